// The move recorder: the list of moves made on the table, stepping back and
// forward through it, and switching review on and off. The start of a puzzle
// (IniciaGrabadora) is declared with the deals in model/Partida.h.
#pragma once

#include <cstdint>

// Records one move: where the front piece was and how it was turned and
// flipped, and the same after the move (Taipei: the two tiles of the removed
// pair in xAntes and yAntes, the rest 0). A move that changes nothing is not
// recorded; a move made after stepping back drops the moves that followed.
void GrabaMovimiento(std::int16_t xAntes, std::int16_t yAntes, std::int16_t giroAntes, std::int16_t volteoAntes,
                     std::int16_t xDespues, std::int16_t yDespues, std::int16_t giroDespues,
                     std::int16_t volteoDespues);
// One step through the list: direccion 0 redoes the next move, 1 undoes the
// current one. A step with no move to take does nothing; a move naming no
// piece of this puzzle moves the counter but changes nothing on the table.
void GrabadoraPaso(std::int16_t direccion);
// Review on: the chronometer is stopped (its state kept) and the list is cut
// at the current move.
void EnciendeGrabadora();
// Review off: replays every remaining move, then gives the chronometer back
// the state it had when review started.
void ApagaGrabadora();
