// What the model's long loops (the sliding walk, the sliding search) run
// between their steps: the window's pending events, marked as a long action so
// that the table and its panel refuse or defer what would change the puzzle.
#pragma once

void InstalaEventosModelo();
