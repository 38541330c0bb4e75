// Automatic solving on the table and the sliding game's move hint.
//
// The sliding-tile game plays the solver's paths on the table: each slide is
// animated with its sound and recorded as if the player had made it, and the
// window's events run between the slides, marked as a long action, so that a
// second press of the solve button can ask the run to stop. A position for
// which the solver finds no path ends the run with a message instead of
// searching again for ever. The other games are solved in
// table/ResuelveJuegos.h.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// What the player is told when the solver finds no path.
QString TextoSinSolucion();

// The launcher's solve command for every game: the sliding game is solved
// (ResolviendoAuto set) or hinted (ResolviendoAuto clear, the tutor); the
// free-piece games and Taipei are solved.
void ResuelvePuzzleMesa();

// Automatic solving of the sliding game: searches and plays paths until the
// board is solved, a stop is asked (ResolviendoAuto cleared) or no path is
// found (the player is told). PasaAlHistorico ends cleared, ResolviendoAuto
// and EjecutandoSolucion end clear; a solved board shows the finished puzzle.
void ResuelveDeslizantesAuto();

// The sliding game's tutor: plays one fresh path of the solver (it brings the
// next misplaced piece home), each slide recorded as a move, and stops there,
// solved or not; PasaAlHistorico ends cleared. A position without a path is
// told to the player and left as it is.
void TutorDeslizantes();

// One slide of a path: the piece, next to the hole, goes into it with its
// animation and sound, and the move is recorded. False (and nothing done)
// for a number that is no piece or a piece that is not next to the hole.
bool DeslizaPiezaSolucion(std::int16_t pieza);

// What runs between two slides of a run: the window's pending events. Tests
// may register their own; an empty function goes back to the events.
void RegistraEventosResolucion(std::function<void()> eventos);

// What runs between two steps of any game's run: the registered function, or
// the window's pending events; nothing once the program is ending.
void EventosEntrePasosResolucion();

// Plugs the solve command and the tutor into the command panel's launcher.
void InstalaResuelveTablero();
