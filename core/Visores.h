// Painters of the owner-drawn texts, frames and inset displays. They draw on
// any surface in its own pixels and with its own font, set the drawing state
// they need and leave their last values on the surface.
#pragma once

#include "platform/surface.h"

#include <QString>

#include <cstdint>

// Prints the text raised at (x, y): white at (x, y), then the blue face
// (0xD00000) at (x + 1, y + 1). With `transparente` false the white print
// first paints the text's cell in the surface's background colour, which cuts
// a gap into the lines behind it. Leaves fore colour 0xD00000, transparent
// text and a transparent fill.
void ImprimeTextoRelieve(plat::Surface& s, std::int16_t x, std::int16_t y, const QString& texto,
                         bool transparente);

// Where a letter-spaced text of n characters, T pixels wide in all, goes on a
// surface W pixels wide: the spacing between letters (0 to 6) and the x of
// the first letter of the white pass (the blue pass is one pixel right).
struct Espaciado {
    int espacio;
    int x;
};
Espaciado CalculaEspaciado(int anchoSuperficie, int anchoTexto, int caracteres);

// Prints the text on one line at y = 4, letter-spaced and centred in the
// surface's width: white, then blue (0xFF0000) one pixel right and down.
void ImprimeTextoEspaciado(plat::Surface& s, const QString& texto);

// Clears the surface to 0xC0C0C0 and draws an etched frame (white and grey
// lines one pixel apart). A title that is not blank is centred on the top
// edge, raised, cutting the frame's lines, and the frame starts 6 pixels
// lower. The caller's title is not changed.
void DibujaMarco(plat::Surface& s, QString titulo);

// Draws the inset display over the whole surface with the text, stripped of
// its outer blanks, centred. Style 1 is the piece counter's look; any other
// value gives the look of style 2. Leaves the size drawn in
// PuzzGbl.AnchoControl and PuzzGbl.AltoControl.
void DibujaVisor(plat::Surface& s, const QString& texto, std::int16_t estilo);

// The text without the blanks at both ends (only blanks: tabs and other
// white space stay).
QString SinBlancos(const QString& texto);
