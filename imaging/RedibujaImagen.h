// Redrawing the whole table from the back buffer's background and the pieces
// in drawing order.
#pragma once

#include <cstdint>

// modo 1: redraw and repaint the table at once; 0: redraw only.
void RedibujaImagen(std::int16_t modo);
