// The visible part of a triangle piece, from its mask.
#pragma once

#include "platform/surface.h"

// Narrows the box in MascaraPosX, MascaraPosY, MascaraAncho, MascaraAlto to
// the triangle that `mascara` holds: the pixels just inside its edges (rows 1
// and H - 2, columns 1 and W - 2) tell which edges the piece touches. A piece
// touching top and bottom keeps half the width (the right half when it touches
// the right edge); one touching left and right keeps half the height (the
// bottom half when it touches the bottom). Halves are rounded to the nearest
// pixel, exact halves to even. A mask under 3 x 3 pixels leaves the box alone.
void AjustaLimitesMascara(const plat::Surface& mascara);
