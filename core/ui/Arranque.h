// The start-up road of the program and its ending.
#pragma once

#include <QString>

// Runs the start-up road: splash, folders, display question, table, settings,
// the current game's last puzzle and the welcome. Returns false when the
// program is to end at once (the display question was cancelled); otherwise
// the program lives on in the table's event handlers.
bool Main();

// Writes the global settings file, then the current game's state file;
// whether both were written.
bool GuardaEstadoPrograma();
// Unloads the table and ends the program once any running loop has unwound.
void FinalizaPrograma();
// The ending: both files, then the end. Returns whether both were written.
bool TerminaPrograma();

// The texts of the display question for a screen of w x h pixels.
QString TextoResolucion(int w, int h);
