// Sizes the puzzle geometry shares with the table.
#pragma once

#include <cstdint>

// The command panel's width. Shown, its left edge is AnchoMesa - 141; the
// boards centred beside it are measured from there, whether or not the panel
// is slid out at the moment.
constexpr std::int16_t kAnchoBotonera = 141;
// Its height, from the top of the window.
constexpr std::int16_t kAltoBotonera = 431;
