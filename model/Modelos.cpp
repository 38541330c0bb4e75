#include "model/Modelos.h"

#include "core/PuzzGbl.h"
#include "core/Visores.h"
#include "core/mesa.h"
#include "model/Pentominos.h"
#include "model/RegistrosModelo.h"
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
    const auto formato = FormatoModelosJuego(PuzzGbl.TipoJuego);
    if (!formato) return {};
    std::vector<ModeloListado> modelos;
    for (const ModeloUsable& m : RegistrosModelo(*formato).usables()) modelos.push_back({m.nombre, m.registro});
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
