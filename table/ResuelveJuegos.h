// Automatic solving of the free-piece games (jigsaw, Tangram, pentominoes)
// and of Taipei on the table. Both run with EjecutandoSolucion set, marked as
// a long action, let the window's events run once per piece or pair, and end
// with PasaAlHistorico, ArrastrandoPieza, SoltandoPieza, ResolviendoAuto and
// EjecutandoSolucion cleared; a completed puzzle shows its finished picture.
// No message, no solved sound and no history question is given.
#pragma once

#include <QString>

#include <functional>

// Every misplaced piece, front first, is turned over and turned to its home
// as a player would, then carried home; each flip, turn and carry recorded.
// Stops after the piece in hand once ResolviendoAuto is cleared.
void ResuelvePiezasLibres();

// Taipei: the search's sequence of pairs, or, when it finds none, the deal's
// pairs backwards after stepping back recorded removals until every pair
// still needed is on the board. Each pair blinks, is removed and recorded.
// Stops after the pair in hand once ResolviendoAuto is cleared.
void ResuelveTaipei();

// The search the Taipei run asks first (TAI_BuscaSolucion); tests may
// register their own, an empty function goes back to it.
void RegistraBuscaSolucionTaipei(std::function<void()> busca);

// The back-step panel's text for the n-th back-step.
QString TextoRetroceso(int n);
// What the player is told when stepping back reaches the first move with
// pairs of the deal still missing.
QString TextoTaipeiSinSolucion();
