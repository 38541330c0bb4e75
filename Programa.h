// What the program installs before its start-up road runs: the puzzle-state
// services, the game table window and its panels, the controls' services,
// the automatic solver, the settings window and the records windows, and the
// question asked when the table is closed. The message window and the sound
// player are the caller's (the program's own, or a test's).
#pragma once

void InstalaPrograma();
