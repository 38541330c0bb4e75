// Drawing pieces on the table: masked drawing, erasing, dragging, animated
// moves, full redraws, the drawing order, the preview's place and the
// finished picture.
#pragma once

#include <optional>

#include "platform/surface.h"

#include <cstdint>

// A piece's box on the table for its present orientation: its place less the
// margins, its turned width and height.
struct CajaPieza {
    int x = 0, y = 0, w = 0, h = 0;
};
CajaPieza CajaDePieza(std::int16_t pieza);

// Draws the piece, masked, at its position onto the target surface, over the
// back buffer's content there.
void DibujaPiezaEnImagen(plat::Surface& destino, std::int16_t pieza);
// Removes the piece from the back buffer and redraws what its box covered.
void BorraPiezaDeImagen(std::int16_t pieza);
// Moves the dragged piece by the pointer's displacement on the visible table.
void ActualizaTrabajo(std::int16_t x, std::int16_t y, std::int16_t pieza);
// Slides the piece from one place to another, then draws it into the back buffer.
void MuevePiezaAnimada(std::int16_t x0, std::int16_t y0, std::int16_t x1, std::int16_t y1, std::int16_t pieza);
// Clears the back buffer and draws every piece in drawing order; modo 0
// repaints after each piece, 1 once at the end, other values never.
void RedibujaImagen(std::int16_t modo);
// Place of the piece in OrdenPiezas (1..NroPiezas), 0 when it is not there.
std::int16_t PosicionEnOrden(std::int16_t pieza);
// Brings the entry at that place to the front of OrdenPiezas.
void PasaAlFrente(std::int16_t posicion);
// Where ColocaMuestra puts the preview at its present size; nothing when
// the place does not fit 16 bits.
struct PosicionMuestra {
    std::int16_t x, y;
};
std::optional<PosicionMuestra> LugarMuestra();
void ColocaMuestra();
void MuestraModelo();
void OcultaModelo();
