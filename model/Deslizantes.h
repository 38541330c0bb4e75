// The sliding-tile game.
#pragma once

// Sets up the sliding-tile table: nuevo deals a new puzzle, otherwise the
// state just loaded is rebuilt.
void PreparaDeslizantes(bool nuevo);

#include <cstdint>

// Sets DireccionDeslizar for the piece: the direction it would slide into the
// hole (1 up, 2 right, 3 down, 4 left), 0 when it does not touch the hole or
// is no piece of the puzzle.
void DireccionDeslizamiento(std::int16_t pieza);
