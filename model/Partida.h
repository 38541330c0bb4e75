// Dealing, gathering, grading and the start of a puzzle, as the command panel
// calls them; and the Taipei hint search.
#pragma once

// Shuffles or deals the pieces of the current game and starts the puzzle
// (IniciaGrabadora).
void BarajaPiezas();
// Sliding game: random swaps until the arrangement is solvable, then
// IniciaGrabadora.
void BarajaDeslizantes();
// Sliding game: whether the present arrangement can be solved.
bool EsResoluble();
// Gathers the misplaced pieces one by one, letting events run between them;
// ends early when RecogiendoPiezas is cleared.
void RecogePiezas();
// Grades the current puzzle into GradoDificultad.
void CalculaDificultad();
// The start of a puzzle: history flag set, finished picture off, time and
// moves to 0, an empty move list, the chronometer started.
void IniciaGrabadora();
// Taipei: a removable pair of free tiles into TAI_ParejaSugerida (1) and (2),
// both 0 when there is none.
void TAI_BuscaPareja();
