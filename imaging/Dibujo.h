// Drawing the pieces on the table.
#pragma once

#include "platform/surface.h"

#include <cstdint>

// Draws piece `pieza` through its mask (as GeneraImagenPieza left it) at its
// position onto `destino`, over what the back buffer holds there.
void DibujaPiezaEnImagen(plat::Surface& destino, std::int16_t pieza);

// Takes piece `pieza` off the back buffer and redraws what lay under it.
void BorraPiezaDeImagen(std::int16_t pieza);
