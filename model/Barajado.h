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
// player is told). After reiniciosMax attempts that found no place for some
// tile, the tiles are stacked bottom up at random instead and the player is
// told the deal may not clear. Part of BarajaPiezas, which keeps the default.
bool TAI_Reparte(int reiniciosMax = 1000);

// Whether the layout's stack heights can take the 144 tiles: inside the
// 16 x 22 board, each at most TAI_NroNiveles (at most 5), summing to 144.
bool TAI_DisposicionValida();

// Deals by random draws count restarts of the attempt here, and whether the
// last deal fell back to filling the stacks bottom up.
struct EstadisticaReparto {
    int reinicios = 0;
    bool relleno = false;
};
const EstadisticaReparto& UltimoReparto();
