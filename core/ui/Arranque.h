// The start-up road of the program.
#pragma once

// Runs the program from start to end and returns its exit code.
int Main();
