#include "imaging/PiezasSustitutos.h"

#include "core/PuzzGbl.h"
#include "core/mesa.h"

void DibujaMascaraPuzzle(std::int16_t) {
    if (PuzzGbl.FormaPieza != 0) return;
    mesa.Pic_PiezaMascara.box(0, 0, PuzzGbl.AnchoPieza - 1, PuzzGbl.AltoPieza - 1);
}
