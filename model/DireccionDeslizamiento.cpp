// Which way a sliding piece can go.
#include "core/PuzzGbl.h"
#include "model/Deslizantes.h"
#include "model/Pasos.h"

#include <cmath>

namespace {

// A table position to its cell along one axis, halves to even.
long long Celda(std::int16_t pos, std::int16_t origen, std::int16_t lado) {
    return std::llrint((double(pos) - origen) / lado);
}

} // namespace

void DireccionDeslizamiento(std::int16_t pieza) {
    auto& g = PuzzGbl;
    g.DireccionDeslizar = 0;
    if (!pasos::PiezaValida(pieza) || g.AnchoPieza <= 0 || g.AltoPieza <= 0) return;
    const auto& p = g.Piezas[std::size_t(pieza)];
    const long long cp = Celda(p.X, g.OrigenX, g.AnchoPieza), rp = Celda(p.Y, g.OrigenY, g.AltoPieza);
    const long long ch = Celda(g.AgujeroX, g.OrigenX, g.AnchoPieza), rh = Celda(g.AgujeroY, g.OrigenY, g.AltoPieza);
    if (cp == ch && rp == rh + 1) g.DireccionDeslizar = 1;
    else if (cp == ch && rp == rh - 1) g.DireccionDeslizar = 3;
    else if (rp == rh && cp == ch + 1) g.DireccionDeslizar = 4;
    else if (rp == rh && cp == ch - 1) g.DireccionDeslizar = 2;
}
