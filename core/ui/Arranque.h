// The start-up road of the program and its ending.
#pragma once

#include <QString>

// Runs the start-up road: splash, folders, display question, table, settings,
// the current game's last puzzle and the welcome. Returns false when the
// program is to end at once (the display question was cancelled); otherwise
// the program lives on in the table's event handlers.
bool Main();

// The ending: writes the global settings file, then the current game's state
// file, and has the program end once any running loop has unwound. Returns
// whether both files were written.
bool TerminaPrograma();

// The texts of the display question for a screen of w x h pixels.
QString TextoResolucion(int w, int h);
