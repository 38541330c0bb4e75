// The plain table of the games whose pieces lie loose on it (Tangram,
// pentominoes, Taipei): no scroll bars, the board picture and the back buffer
// as large as the table.
#pragma once

#include <functional>

namespace plat {
class Surface;
}

// The board picture covers the table in the pieces' colour, emptied; the
// scroll bars stand at the table's right and bottom edges, hidden and at 0;
// the corner square and the preview are hidden.
void PreparaMesaLisa();

// The back buffer covers the table in the table's colour with what `dibuja`
// draws on it (nothing when empty) and becomes the empty table: the visible
// table is placed over it and repainted, the clean table takes a copy of it,
// and piece images are outlined in the lines' colour.
void PreparaFondoLiso(const std::function<void(plat::Surface&)>& dibuja = {});
