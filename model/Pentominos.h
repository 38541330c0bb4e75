// The pentomino game: its set-up, the piece sizes and the stored solutions.
#pragma once

#include <cstdint>

// Sets up the pentomino table: nuevo deals a new puzzle, otherwise the state
// just loaded is rebuilt.
void PEN_PreparaJuego(bool nuevo);

// Leaves in AnchoPiezaBase and AltoPiezaBase the picture size of pentomino
// `pieza` turned by `giro` quarter turns.
void PEN_TamanoPieza(std::int16_t pieza, std::int16_t giro);

// Sets the homes of pieces 1..12 from the stored solution PEN_SolucionActual.
void PEN_FijaSolucion();
