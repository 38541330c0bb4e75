// Cell arithmetic of the sliding-tile board. Cells are numbered 1..N x N row
// by row from the top left; a tile's X, Y and the hole's AgujeroX, AgujeroY
// are the pixel corners of their cells. The parity test and the shuffle by
// exchanges are declared in model/Partida.h.
#pragma once

#include <cstdint>

// The cell whose corner is (x, y).
std::int16_t CasillaEnPunto(std::int16_t x, std::int16_t y);
// The distance in cells (columns plus rows) between two cell corners.
std::int16_t DistanciaCasillas(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);
// Sets DireccionDeslizar for the piece: 1 up, 2 right, 3 down, 4 left when it
// stands next to the hole, else 0 (also for a number that is not a piece).
void DireccionDeslizamiento(std::int16_t pieza);
// Lists in PiezasMovibles (1..NumMovibles) the pieces next to the hole, in
// increasing number, at most four.
void BuscaPiezasMovibles();
// Every piece and the hole on a cell of the board, each cell holding one.
bool TableroCoherente();
