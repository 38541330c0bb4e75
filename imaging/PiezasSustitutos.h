// Services the piece imaging calls whose own work lives elsewhere and has not
// landed yet: the jigsaw masks of the curved and figured shapes. It says what
// replaces it.
#pragma once

#include <cstdint>

// The jigsaw mask of the piece in PiezaActual, drawn into the cleared mask
// surface for FormaPieza. Stand-in until the jigsaw masks land: shape 0 (the
// cell's box) only; shapes 1 to 7 leave the mask white.
void DibujaMascaraPuzzle(std::int16_t pieza);

