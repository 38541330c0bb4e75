// A fresh table for a game played through its handlers: the globals and the
// table window reset and loaded, the command panel's launcher and the table's
// procedures as the program installs them, the constant tables and the
// program's pictures.
#pragma once

#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/Trabajo.h"
#include "table/mesa.h"

namespace puzzle_test {

inline void PreparaMesaDePartida() {
    PuzzGbl.reset();
    mesa.reset();
    mesa.Load();
    ReiniciaLanzador();
    ReiniciaProcTrabajo();
    RegistraBotonera();
    InicializaTablas();
    teselaro::initResources();
}

} // namespace puzzle_test
