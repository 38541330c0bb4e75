// What the state files use of the model readers of Tangram, pentominoes and
// Taipei.
#pragma once

#include "platform/surface.h"

#include <cstdint>

// The recorder's start and the sliding-tile rules (IniciaGrabadora,
// EsResoluble, BarajaDeslizantes) are in model/Partida.h.
#include "model/Partida.h"

// Tangram: TAN_DibujaModelo draws the figure of the current model.
#include "model/Tangram.h"

// Pentominoes: the board reader PEN_LeeModelo is in model/Pentominos.h.
#include "model/Pentominos.h"

// Taipei: the layout reader TAI_CargaModelo (model/TaipeiModelo.h) and the
// tiles' suits TAI_AsignaPalos (model/Taipei.h).
#include "model/Taipei.h"
#include "model/TaipeiModelo.h"
