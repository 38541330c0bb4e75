// Procedures of the game table that the model, the imaging and the start-up
// call: the chronometer switch and the drawing of the table's panels.
#pragma once

#include <cstdint>

// 1 starts the chronometer, anything else stops it: CronometroEnMarcha becomes
// true exactly when modo is 1.
void MarchaCronometro(std::int16_t modo);

// Draws the command panel for the current game.
void DibujaBotonera();

// Draws the move recorder panel and its list of recorded moves.
void DibujaGrabadora();

// Shows tip number nro in the tips panel.
void MuestraSugerencia(std::int16_t& nro);
