#include "model/EleccionModelo.h"

#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "model/Pentominos.h"
#include "model/RegistrosModelo.h"
#include "model/TaipeiModelo.h"
#include "model/Tangram.h"

#include <optional>

namespace {

constexpr std::int16_t kTangram = 23, kPentominos = 24, kTaipei = 25;
constexpr std::int16_t kModoDiseno = 1, kModoResolver = 2;

EleccionModeloJuego Tangram() {
    EleccionModeloJuego e;
    e.usable = [](std::int16_t, const QString& registro) { return TAN_AnalizaRegistro(registro).valido; };
    e.carga = [] { TAN_LeeModelo(); };
    e.titulo = QStringLiteral("Modelos de Tangram");
    e.mensaje = QString::fromUtf8("No hay ningún modelo de Tangram archivado.");
    e.modelos = QStringLiteral("modelo de Tangram");
    e.consecuencia = QStringLiteral(" Se pasa al modo Crear nuevos modelos.");
    e.lineas = 2;
    e.ayuda = ayuda::kModoTangram;
    e.sinModelo = [] { PuzzGbl.TAN_ModoJuego = kModoDiseno; };
    return e;
}

EleccionModeloJuego Pentominos() {
    EleccionModeloJuego e;
    // A board with at least one solution the table can give as homes.
    e.usable = [](std::int16_t nro, const QString&) { return PEN_AnalizaModelo(nro).motivo.isEmpty(); };
    // The board is read before the geometry needs it.
    e.carga = [] { PEN_LeeModelo(PuzzGbl.NroModelo); };
    e.titulo = QString::fromUtf8("Modelos de pentominós");
    e.mensaje = QString::fromUtf8("No hay ningún modelo de pentominós utilizable en ModPen.mlp.");
    e.modelos = QString::fromUtf8("modelo de pentominós");
    e.falloAnexo = [] { return PEN_LeeArchivoSoluciones(); };
    e.lineas = 2;
    e.ayuda = ayuda::kReglasPentominos;
    // An empty table: no board, no pieces (the set-up sees no board).
    e.sinModelo = [] {
        PEN_VaciaModelo();
        PuzzGbl.PEN_SolucionActual = 0;
        PuzzGbl.NombreModelo.clear();
    };
    return e;
}

} // namespace

EleccionModeloJuego EleccionModeloDe(std::int16_t juego) {
    switch (juego) {
    case kTangram: return Tangram();
    case kPentominos: return Pentominos();
    case kTaipei: return TAI_EleccionModelo();
    default: return {};
    }
}

bool EligeModeloPuzzleNuevo() {
    auto& g = PuzzGbl;
    const std::int16_t juego = g.TipoJuego;
    const auto formato = FormatoModelosJuego(juego);
    if (!formato) return true;
    // A Tangram being designed has no model.
    if (juego == kTangram && g.TAN_ModoJuego != kModoResolver) return true;
    const EleccionModeloJuego e = EleccionModeloDe(juego);

    const RegistrosModelo archivo(*formato);
    std::optional<std::int16_t> elegido;
    if (!e.usable) {
        elegido = g.NroModelo;
    } else if (archivo.usable(g.NroModelo) && e.usable(g.NroModelo, archivo.registro(g.NroModelo))) {
        elegido = g.NroModelo;
    } else {
        for (const ModeloUsable& m : archivo.usables())
            if (e.usable(m.registro, archivo.registro(m.registro))) {
                elegido = m.registro;
                break;
            }
    }

    if (!elegido) {
        QString fallo = archivo.fallo();
        if (fallo.isEmpty() && e.falloAnexo) fallo = e.falloAnexo();
        if (fallo.isEmpty())
            Mensaje(e.titulo, e.mensaje + e.consecuencia, e.lineas, 1, e.ayuda);
        else
            Mensaje(e.titulo,
                    QString::fromUtf8("No se puede usar ningún ") + e.modelos + QStringLiteral(" porque ") + fallo +
                        QStringLiteral(".") + e.consecuencia,
                    e.lineas + 1, 1, e.ayuda);
        if (e.sinModelo) e.sinModelo();
        return false;
    }
    g.NroModelo = *elegido;
    g.NombreModelo.clear();
    for (const ModeloUsable& m : archivo.usables())
        if (m.registro == *elegido) g.NombreModelo = m.nombre;
    if (e.carga) e.carga();
    return true;
}
