// Temporary: the few per-game services the drawing calls, until the pieces
// and dispatch module lands with its own.
#include "model/Juego.h"

#include "core/PuzzGbl.h"
#include "core/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PiezasSustitutos.h"

namespace {
bool Valida(int p) { return p >= 1 && p <= PuzzGbl.NroPiezas && p < int(PuzzGbl.Piezas.size()); }
} // namespace

bool PiezaBienColocada(std::int16_t pieza) {
    if (!Valida(pieza)) return false;
    const RegistroPieza& r = PuzzGbl.Piezas[pieza];
    if (PuzzGbl.TipoJuego == 25) return r.Estado == 0;
    return r.Giro == r.GiroDestino && r.Volteo == r.VolteoDestino && r.X == r.XDestino && r.Y == r.YDestino;
}

std::int16_t AnchoPiezaGirada(std::int16_t pieza, std::int16_t giro, std::int16_t volteo) {
    auto& g = PuzzGbl;
    switch (g.TipoJuego) {
    case 21: return (giro == 0 || giro == 2) ? g.AnchoPiezaBase : g.AltoPiezaBase;
    case 22: return g.AnchoPiezaBase;
    case 23: TAN_TamanoPieza(pieza, giro, volteo); return g.AnchoPiezaBase;
    case 24: PEN_TamanoPieza(pieza, giro); return g.AnchoPiezaBase;
    case 25: return g.AnchoPieza;
    default: return 0;
    }
}

std::int16_t AltoPiezaGirada(std::int16_t pieza, std::int16_t giro, std::int16_t volteo) {
    auto& g = PuzzGbl;
    switch (g.TipoJuego) {
    case 21: return (giro == 0 || giro == 2) ? g.AltoPiezaBase : g.AnchoPiezaBase;
    case 22: return g.AltoPiezaBase;
    case 23: TAN_TamanoPieza(pieza, giro, volteo); return g.AltoPiezaBase;
    case 24: PEN_TamanoPieza(pieza, giro); return g.AltoPiezaBase;
    case 25: return g.AltoPieza;
    default: return 0;
    }
}

void CogePieza(std::int16_t x, std::int16_t y, std::int16_t pieza) {
    if (!Valida(pieza)) return;
    auto& g = PuzzGbl;
    g.PiezaActual = g.Piezas[pieza];
    GeneraImagenPieza(pieza);
    DibujaPiezaEnImagen(mesa.Pic_Trabajo, pieza);
    BorraPiezaDeImagen(pieza);
    GeneraImagenPieza(pieza);
    g.TrabajoNuevoX = x;
    g.TrabajoNuevoY = y;
    g.ArrastrandoPieza = true;
}

void ActualizaInfoPiezas() {
    auto& g = PuzzGbl;
    std::int16_t n = 0;
    for (int p = 1; p <= g.NroPiezas; ++p)
        if (PiezaBienColocada(std::int16_t(p))) ++n;
    g.NroPiezasColocadas = n;
}
