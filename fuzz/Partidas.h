// The states the fuzzer starts from and checks against: one of each game,
// laid out on an 800 x 600 table, and the Taipei layout they assume.
#pragma once

#include "model/EstadoPuzzle.h"

#include <vector>

// The table of 800 x 600 with its command panel at the right edge.
void PreparaMesaDePrueba();
// A context that needs no model file: every Taipei model is the same layout.
ContextoValidacion ContextoDePrueba();
// The model files that context stands for, written into the folder: Taipei
// layout 1 and pentomino board 1 with two stored solutions.
void EscribeModelosDePrueba(const QString& carpeta);
// One accepted state of each game.
std::vector<EstadoPartida> PartidasDePrueba();
