#include "model/Modelos.h"

#include "core/PuzzGbl.h"
#include "core/Visores.h"
#include "core/mesa.h"
#include "model/Pentominos.h"
#include "model/Taipei.h"
#include "model/Tangram.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>
#include <array>

bool ModeloVacio(const QString& registro) { return SinBlancos(registro.left(kLargoNombreModelo)).isEmpty(); }

QString RegistroModeloVacio(int largo) {
    return QString(kLargoNombreModelo, u' ') + QString(largo - kLargoNombreModelo - 2, u'0') + QStringLiteral("\r\n");
}

std::vector<ModeloListado> LeeListaModelos() {
    int largo = 0;
    QString nombre;
    switch (PuzzGbl.TipoJuego) {
    case 23: largo = kLargoRegistroTangram, nombre = kArchivoModelosTangram; break;
    case 24: largo = kLargoRegistroPentominos, nombre = kArchivoModelosPentominos; break;
    case 25: largo = kLargoRegistroTaipei, nombre = kArchivoModelosTaipei; break;
    default: return {};
    }
    QStringList registros;
    try {
        registros = plat::readRecords(plat::findFileCaseInsensitive(PuzzGbl.RutaArchivo, nombre), largo);
    } catch (const plat::RuntimeError&) {
        return {};
    }
    std::vector<ModeloListado> modelos;
    for (int n = 1; n <= registros.size(); ++n) {
        const QString& r = registros[n - 1];
        if (!ModeloVacio(r)) modelos.push_back({r.left(kLargoNombreModelo), n});
    }
    return modelos;
}

void RellenaListaModelos(ListaOrdenada& lista) {
    lista.Clear();
    try {
        for (const ModeloListado& m : LeeListaModelos()) {
            lista.AddItem(m.nombre);
            lista.setItemData(lista.NewIndex(), m.registro);
        }
    } catch (const plat::RuntimeError&) {
        // A list that can take no more: it keeps what it holds.
    }
}
