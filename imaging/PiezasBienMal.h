// The right-or-wrong display: every piece painted flat green where it is in
// its place and flat red where it is not, or back to its picture.
#pragma once

#include "platform/color.h"

#include <cstdint>

// The flat colours of the display (0x00BBGGRR).
constexpr plat::Color kColorBien = 0x00FF00, kColorMal = 0x0000FF;

// Repaints every piece as MostrarBienoMal asks: flat colours while it is set,
// the normal images once it is cleared. Taipei redraws its board (its blocked
// tiles get another body while the flag is set); the sliding game paints its
// cells in order, the other games their drawing order from the back. A
// failing step is passed over.
void MostrarPiezasBienoMal();

// Switches a display that is on off again (the pieces get their images back);
// nothing when it is off. For the roads that change the puzzle under it.
void ApagaPiezasBienoMal();
