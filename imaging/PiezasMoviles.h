// The jigsaw's cutting: the cut lines drawn over the board picture, the
// outline templates of the curved and irregular shapes, and the mask of one
// piece of any of the eight shapes. The set-up of the jigsaw table that uses
// them is PreparaPiezasMoviles (imaging/PreparaMesa.h).
#pragma once

#include "platform/surface.h"

#include <QImage>

#include <cstdint>

// Draws the cut lines of FormaPieza over the surface, cell by cell from its
// (0, 0), in the surface's fore colour and line width; sets the shape's
// parameters (CorteParam1..4, CorteProporcion1..2) for the masks. A shape
// outside 0..7 draws nothing. A cell position beyond 16 bits is an overflow
// error passed to the caller.
void DibujaCortesPiezas(plat::Surface& superficie);

// The size and margins of a piece's picture (AnchoPiezaBase, AltoPiezaBase,
// MargenPiezaX, MargenPiezaY) and, for the curved and irregular shapes, the
// two outline templates on mesa.Pic_Temporal, one per class of a chessboard
// colouring of the cells.
void DibujaPlantillasPiezas();

// Draws the jigsaw piece's outline, in rotation 0, into the cleared mask
// surface mesa.Pic_PiezaMascara: black where the piece is. The piece's home
// is read from PiezaActual.
void DibujaMascaraPuzzle(std::int16_t pieza);

// All the pieces of one class share their mask: the triangles of one side of
// their cells, the figures, the frames, the curved and irregular pieces of one
// chessboard class with the same straightened sides. The imaging keeps the
// mask of each class drawn for the present cut (shape, sizes, parameters,
// templates and set-up), in each turn (giro 0 to 3) it was turned to, and
// gives it back for the next piece of that class. A null image when none is
// kept.
QImage MascaraPuzzleGuardada(std::int16_t pieza, std::int16_t giro);
void GuardaMascaraPuzzle(std::int16_t pieza, std::int16_t giro, const QImage& mascara);
