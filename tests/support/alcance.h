// Whether a player can see a loose piece whole on the table, told from the
// scroll bars and the command panel as they stand, apart from the program's
// own reckoning of the reach.
#pragma once

#include "core/PuzzGbl.h"
#include "table/mesa.h"

#include <algorithm>

namespace testing_support {

// A box of the table (its left, top, width and height in table pixels) lies
// wholly in sight and clear of the command panel at some position of the
// scroll bars; with no bars shown, at the only one. The panel stands still in
// the window while the table scrolls under it.
inline bool AlAlcanceDeLasBarras(int x, int y, int w, int h) {
    const auto& g = PuzzGbl;
    const int derecha = mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : g.AnchoMesa;
    const int abajo = mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : g.AltoMesa;
    const int maxH = mesa.BarraHor.Visible() ? mesa.BarraHor.Max() : 0;
    const int maxV = mesa.BarraVer.Visible() ? mesa.BarraVer.Max() : 0;
    const plat::Surface& panel = mesa.Pic_Botonera;
    const bool conPanel = panel.visible() && panel.left() < g.AnchoMesa;
    // The scrolls worth trying: either end of each bar, and the ones that
    // bring the box's near or far edge to the window's edge.
    for (int dh : {0, maxH, std::clamp(x, 0, maxH), std::clamp(x + w - derecha, 0, maxH)})
        for (int dv : {0, maxV, std::clamp(y, 0, maxV), std::clamp(y + h - abajo, 0, maxV)}) {
            const int vx = x - dh, vy = y - dv;
            const bool enVista = vx >= 0 && vy >= 0 && vx + w <= derecha && vy + h <= abajo;
            const bool bajoPanel = conPanel && vx < panel.left() + panel.width() && vx + w > panel.left() &&
                                   vy < panel.top() + panel.height() && vy + h > panel.top();
            if (enVista && !bajoPanel) return true;
        }
    return false;
}

} // namespace testing_support
