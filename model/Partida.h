// Dealing, gathering, grading and the start of a puzzle, as the command panel
// calls them; and the Taipei hint search (TAI_BuscaPareja, model/Taipei.h).
#pragma once

#include "model/Taipei.h"

// Shuffles or deals the pieces of the current game and starts the puzzle
// (IniciaGrabadora).
void BarajaPiezas();
// Sliding game: random swaps until the arrangement is solvable, then
// IniciaGrabadora.
void BarajaDeslizantes();
// Sliding game: whether the present arrangement can be solved.
bool EsResoluble();
// Gathers the misplaced pieces one by one, letting events run between them;
// ends early when RecogiendoPiezas is cleared. The table's own work
// (table/RecogePiezas.h).
void RecogePiezas();
// Grades the current puzzle into GradoDificultad.
void CalculaDificultad();
// The start of a puzzle: history flag set, finished picture off, time and
// moves to 0, an empty move list, the chronometer started.
void IniciaGrabadora();
