// The mask and image of one piece, and the turning of a picture.
#pragma once

#include "platform/surface.h"

#include <cstdint>

// Builds mesa.Pic_PiezaMascara (black where the piece is, white elsewhere) and
// mesa.Pic_PiezaImagen (the piece's pixels, black elsewhere) for the piece in
// its current orientation; remembers it in PiezaAnterior and GiroAnterior.
void GeneraImagenPieza(std::int16_t pieza);

// Turns the surface's picture in place: 1 a quarter turn clockwise, 2 a half
// turn, 3 a quarter turn counter-clockwise; other codes change nothing.
void GiraImagen(plat::Surface& superficie, std::int16_t giro);
