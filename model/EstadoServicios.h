// What the state files use of the model readers of Tangram, pentominoes and
// Taipei.
#pragma once

#include "platform/surface.h"

#include <cstdint>

// The recorder's start and the sliding-tile rules (IniciaGrabadora,
// EsResoluble, BarajaDeslizantes) are in model/Partida.h.
#include "model/Partida.h"

// Tangram: draws the figure of the current model on the surface.
void TAN_DibujaModelo(plat::Surface& superficie);

// Pentominoes: the board reader PEN_LeeModelo is in model/Pentominos.h.
#include "model/Pentominos.h"

// Taipei: reads layout model nro into the board (stack heights, every tile
// slot emptied), FilasTablero, ColumnasTablero and TAI_NroNiveles; whether it
// could be read.
bool TAI_CargaModelo(std::int16_t nro);
// Taipei: every tile's value, suit, kind, copy and id from its number.
void TAI_AsignaPalos();
