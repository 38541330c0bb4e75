// Dealing a new puzzle of the current game (BarajaPiezas, declared in
// model/Partida.h) and what the table gives it.
#pragma once

#include <functional>

// What runs between two moves of the sliding game's random walk: the table
// lets its pending events run there. Nothing runs until one is registered;
// an empty function goes back to that. While it runs, CaminoDeslizante and
// Barajando are set, and the table must refuse presses that change the puzzle.
void RegistraEventosBarajado(std::function<void()> eventos);

// Deals the 144 Taipei tiles onto the layout in TAI_Tablero's stack heights
// so that the pairs of TAI_Reparto can be removed from the last to the first.
// Returns false, dealing nothing, when the layout cannot hold the tiles (the
// player is told). After reiniciosMax attempts of the random deal that found
// no place for some tile, the deal is built from an order in which the
// layout's places can be taken two at a time (TAI_ReparteDesdeOrden); a
// layout with no such order is refused as one that cannot hold the tiles.
// Part of BarajaPiezas, which keeps the default.
bool TAI_Reparte(int reiniciosMax = 1000);

// The deal built from a removal order: a depth-first search, with
// back-steps, of an order in which the layout's places come off two at a
// time, each pair free together by the free rule with the places before it
// gone; the pairs of TAI_Reparto (kinds paired at random) take the places in
// that order, pair 72 the first two. False, dealing nothing and telling the
// player, when the layout has no such order (or none is found within the
// search's bound) or cannot hold the tiles.
bool TAI_ReparteDesdeOrden();

// Deals count restarts of the random attempt here, and whether the last deal
// was built from a removal order (and that search's back-steps).
struct EstadisticaReparto {
    int reinicios = 0;
    bool porOrden = false;
    long long retrocesosOrden = 0;
};
const EstadisticaReparto& UltimoReparto();
