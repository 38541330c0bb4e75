// The mask and the image of one piece.
#pragma once

#include <cstdint>

// Builds the mask (black where the piece is, white elsewhere) of piece
// `pieza` in mesa.Pic_PiezaMascara and its image (its pixels where the piece
// is, black elsewhere) in mesa.Pic_PiezaImagen, for its present rotation and
// flip; copies its record into PiezaActual.
void GeneraImagenPieza(std::int16_t pieza);
