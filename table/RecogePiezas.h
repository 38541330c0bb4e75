// The gathering of misplaced pieces (RecogePiezas, declared with the deal in
// model/Partida.h): every piece not in its place is slid, one by one, into a
// free band of the visible table, each slide one recorded move.
//
// Jigsaw: an L-shaped band that winds inwards from the right and the bottom
// of the visible table, pieces scaled to how many there are. Tangram: columns
// 20 pixels left of each other's edge, leftwards from the command panel.
// Pentominoes: the deal's columns. Pieces are visited as the drawing order
// (the jigsaw and pentominoes) or the piece numbers (Tangram) stood at the
// start, each tested afresh; the window's events run between pieces, and a
// cleared RecogiendoPiezas stops the gathering there. The flag is always
// cleared at the end.
#pragma once

#include <functional>

// What runs between two pieces: the table lets its pending events run. An
// empty function goes back to plain event processing.
void RegistraEventosRecogida(std::function<void()> eventos);
