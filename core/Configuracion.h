// The global settings file and the per-game state files.
#pragma once

#include <QString>

// Reads "Tsl34.ini", or writes it with the defaults.
void LeeConfiguracion();
// Reads the state file of a game and rebuilds its last puzzle, or applies the
// game's defaults and writes the file.
void LeePuzzleJuego(const QString& ruta);
// Writes "Tsl34.ini"; whether it was written.
bool GuardaConfiguracion();
// Writes the state file of the current game; whether it was written.
bool GuardaPuzzleJuego();
