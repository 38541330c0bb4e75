// The sliding-tile game.
#pragma once

// Sets up the sliding-tile table: nuevo deals a new puzzle, otherwise the
// state just loaded is rebuilt.
void PreparaDeslizantes(bool nuevo);
