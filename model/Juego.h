// Pieces and the per-game dispatch: setting up a puzzle, the placement and
// orientation tests, a piece's box for an orientation, the visible extent of a
// triangle's mask, lifting a piece for dragging and the counter of pieces in
// place; and the puzzle geometry of every game.
#pragma once

#include <cstdint>

// Sets up the current game: the geometry, the recorder's list mode, then the
// game's own set-up. nuevo: deal a new puzzle (true) or rebuild the state just
// loaded (false).
void PreparaJuego(bool nuevo);

// Works out the number of pieces, the piece or cell size, the board picture's
// size and the board's origin for the current game. Returns false, writing
// nothing, when the inputs cannot make a puzzle (an unknown game, no pieces per
// side, an empty picture or board ...).
bool CalculaGeometriaPuzzle();

bool OrientacionCorrecta(std::int16_t pieza);
bool PiezaBienColocada(std::int16_t pieza);
std::int16_t AnchoPiezaGirada(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);
std::int16_t AltoPiezaGirada(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);
void CalculaLimitesMascara(std::int16_t pieza);
void CogePieza(std::int16_t x, std::int16_t y, std::int16_t pieza);
void ActualizaInfoPiezas();
