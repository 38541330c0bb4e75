// Services the piece imaging calls whose own work lives elsewhere and has not
// landed yet: the pentomino shapes and the jigsaw masks of the curved and
// figured shapes. Each says what replaces it.
#pragma once

#include "model/Pentominos.h"

#include <cstdint>

// Pentomino cells for an orientation in PEN_PiezaGirada. Stand-in until the
// pentomino shapes land: leaves the cells as they are.
void PEN_TransformaPieza(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);

// The jigsaw mask of the piece in PiezaActual, drawn into the cleared mask
// surface for FormaPieza. Stand-in until the jigsaw masks land: shape 0 (the
// cell's box) only; shapes 1 to 7 leave the mask white.
void DibujaMascaraPuzzle(std::int16_t pieza);

