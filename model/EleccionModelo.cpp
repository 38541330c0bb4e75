#include "model/EleccionModelo.h"

#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "model/Pentominos.h"
#include "model/RegistrosModelo.h"
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
    e.mensaje = QString::fromUtf8("No hay ningún modelo de Tangram archivado. Se pasa al modo Crear nuevos modelos.");
    e.lineas = 2;
    e.ayuda = ayuda::kModoTangram;
    e.sinModelo = [] { PuzzGbl.TAN_ModoJuego = kModoDiseno; };
    return e;
}

EleccionModeloJuego Pentominos() {
    EleccionModeloJuego e;
    // The board is read before the geometry needs it.
    e.carga = [] { PEN_LeeModelo(PuzzGbl.NroModelo); };
    return e;
}

} // namespace

EleccionModeloJuego EleccionModeloDe(std::int16_t juego) {
    switch (juego) {
    case kTangram: return Tangram();
    case kPentominos: return Pentominos();
    case kTaipei: return {}; // the Taipei set-up reads its layout itself
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
        Mensaje(e.titulo, e.mensaje, e.lineas, 1, e.ayuda);
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
