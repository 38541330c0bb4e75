// The tutor on the table: three blinks that point at the home of the pointed
// piece (jigsaw, Tangram, pentominoes) or at a pair of Taipei tiles that can
// be removed. The sliding game has no blinking tutor (its tutor button plays
// a stretch of the automatic solution).
#pragma once

#include <cstdint>

// Shows the tutor's answer for PiezaSeleccionada (Taipei: TAI_ParejaSugerida)
// in the current game, then clears PasaAlHistorico and TutorActivo. Pieces,
// drawing order and moves stay as they were; a number that names no piece
// (or no tile on the board) shows nothing. Runs no events.
void TutorIndicandoMesa();

// Redraws on the back buffer the box of the piece as it stands, from the
// background and every piece touching it in drawing order (the piece
// included), so a piece behind others stays behind them.
void RedibujaCajaEnOrden(std::int16_t pieza);
