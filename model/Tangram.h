// The Tangram game: its set-up and the piece geometry the other parts use.
#pragma once

#include <cstdint>

// Sets up the Tangram table: nuevo deals a new puzzle, otherwise the state
// just loaded is rebuilt.
void TAN_PreparaJuego(bool nuevo);

// Leaves in AnchoPiezaBase and AltoPiezaBase the picture size of Tangram
// piece `pieza` in that orientation.
void TAN_TamanoPieza(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);

// Fills MarcoFigura with the box of the seven pieces: modo 1 at their present
// places, any other value at their homes.
void TAN_CalculaMarcoFigura(std::int16_t modo);
