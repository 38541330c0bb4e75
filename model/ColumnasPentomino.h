// The columns that pentominoes are laid out in beside their board, left of
// the command panel, one after another leftwards; once the columns reach the
// board they start below it. The deal and the gathering of misplaced pieces
// lay pieces out the same way.
#pragma once

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cstdint>

class ColumnasPentomino {
public:
    ColumnasPentomino() {
        const auto& g = PuzzGbl;
        limite_ = g.OrigenX + g.AnchoImagen + 15;
        paso_ = 3 * g.LadoCelda + 15;
        bajoTablero_ = g.OrigenY + g.AltoImagen + 15;
        ancho_ = mesa.Pic_Trabajo.width();
        alto_ = mesa.Pic_Trabajo.height();
        huecoX_ = mesa.Pic_Botonera.left() - paso_;
        if (huecoX_ < limite_) arriba_ = bajoTablero_;
        huecoY_ = arriba_;
    }
    // The place of the next piece, w by h; a column that cannot take it gives
    // way to the next. A board too tall and wide for the columns leaves no
    // room: the piece stays on the table, over the others if it must.
    struct Lugar {
        std::int16_t x, y;
    };
    Lugar Siguiente(int w, int h) {
        if (huecoY_ + h > alto_) {
            huecoX_ -= paso_;
            if (huecoX_ < limite_) arriba_ = bajoTablero_;
            huecoY_ = arriba_;
        }
        const Lugar l{plat::toInt16(std::clamp(huecoX_, 0, std::max(0, ancho_ - w))),
                      plat::toInt16(std::clamp(huecoY_, 0, std::max(0, alto_ - h)))};
        huecoY_ += h + 15;
        return l;
    }

private:
    int limite_ = 0, paso_ = 0, bajoTablero_ = 0, ancho_ = 0, alto_ = 0;
    int arriba_ = 10, huecoX_ = 0, huecoY_ = 0;
};
