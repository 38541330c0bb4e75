#include "model/Modelos.h"

#include "core/PuzzGbl.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "model/Pentominos.h"
#include "model/RegistrosModelo.h"
#include "model/Taipei.h"
#include "model/TaipeiModelo.h"
#include "model/Tangram.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>
#include <array>

bool ModeloVacio(const QString& registro) { return SinBlancos(registro.left(kLargoNombreModelo)).isEmpty(); }

QString RegistroModeloVacio(int largo) {
    return QString(kLargoNombreModelo, u' ') + QString(largo - kLargoNombreModelo - 2, u'0') + QStringLiteral("\r\n");
}

QString DiagnosticoModelo(std::int16_t juego, std::int16_t nro, bool* soloPantalla) {
    if (soloPantalla) *soloPantalla = false;
    if (juego != 24 && juego != 25) return QString();
    const QString nombre = juego == 24 ? kArchivoModelosPentominos : kArchivoModelosTaipei;
    const QString numero = QString::fromUtf8(" el modelo número ") + QString::number(nro);
    const RegistrosModelo archivo(juego == 24 ? FormatoModelosPentominos() : FormatoModelosTaipei());
    if (!archivo.leido()) return archivo.fallo();
    if (!archivo.usable(nro))
        return QStringLiteral("el archivo ") + nombre + QStringLiteral(" no contiene") + numero;
    const QString danado = numero.mid(1) + QStringLiteral(" del archivo ") + nombre + QString::fromUtf8(" está dañado");

    const PuzzGblData copia = PuzzGbl;
    QString motivo;
    if (juego == 25) {
        if (!TAI_CargaModelo(nro)) {
            motivo = danado;
        } else {
            // A sound layout that only does not fit this screen's table.
            motivo = TAI_MotivoAjuste(TAI_DisposicionActual(), copia.AnchoMesa, copia.AltoMesa);
            if (soloPantalla) *soloPantalla = !motivo.isEmpty();
        }
    } else {
        // The analysis gives the board's or its solutions' fault in the same words.
        motivo = PEN_AnalizaModelo(nro).motivo;
    }
    PuzzGbl = copia;
    return motivo;
}

std::vector<ModeloListado> LeeListaModelos(QString* fallo) {
    if (fallo) fallo->clear();
    const auto formato = FormatoModelosJuego(PuzzGbl.TipoJuego);
    if (!formato) return {};
    const RegistrosModelo archivo(*formato);
    if (fallo) *fallo = archivo.fallo();
    std::vector<ModeloListado> modelos;
    for (const ModeloUsable& m : archivo.usables()) modelos.push_back({m.nombre, m.registro});
    return modelos;
}

QString RellenaListaModelos(ListaOrdenada& lista) {
    lista.Clear();
    QString fallo;
    try {
        for (const ModeloListado& m : LeeListaModelos(&fallo)) {
            lista.AddItem(m.nombre);
            lista.setItemData(lista.NewIndex(), m.registro);
        }
    } catch (const plat::RuntimeError&) {
        // A list that can take no more: it keeps what it holds.
    }
    return fallo;
}
