// Taipei tiles on the board: whether a tile may be taken.
#pragma once

#include <cstdint>

// True when the tile lies on the board, has not been removed, nothing lies on
// it and at least one of its left and right neighbours on its own level is
// gone. A tile number or a board place outside the board is never free.
bool TAI_FichaLibre(std::int16_t ficha);
