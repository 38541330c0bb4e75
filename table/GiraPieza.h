// Turning a piece one step and turning it over, and the arithmetic of both:
// the next rotation and the shift that keeps a turned piece where it was.
//
// GiraPieza and VoltearPieza themselves are declared with the table's other
// procedures (table/Trabajo.h).
#pragma once

#include "platform/surface.h"

#include <cstdint>

// The last rotation of the piece in the present game: 3 for the jigsaw, 7
// for Tangram, the shape's distinct rotations less one for pentominoes.
std::int16_t UltimoGiro(std::int16_t pieza);
// The rotation after `giro`: one more, and 0 from the last up (a rotation
// read from a damaged file included) and below 0.
std::int16_t SiguienteGiro(std::int16_t giro, std::int16_t ultimo);

struct Desplazamiento {
    int dx = 0, dy = 0;
    bool operator==(const Desplazamiento&) const = default;
};
// A jigsaw box w by h turned a quarter: its corner moves by (w - h) / 2 to
// the right and as much up (halves to even), so its centre stays.
Desplazamiento DesplazamientoRectangulo(int w, int h);
// Which of the four triangles of its cell a triangle piece's mask holds:
// 1 top, 2 right, 3 bottom, 4 left, probed at three points of the mask.
int TrianguloDeMascara(const plat::Surface& mascara);
// The shift of triangle t of a mask w by h.
Desplazamiento DesplazamientoTriangulo(int t, int w, int h);
// The shift of a Tangram triangle whose bitmap is `lado` wide, turned to
// `nuevoGiro`.
Desplazamiento DesplazamientoTangram(int lado, int nuevoGiro);
// A box w0 by h0 that becomes w1 by h1 keeps its centre.
Desplazamiento DesplazamientoCentro(int w0, int h0, int w1, int h1);
// The parallelogram's rotation once turned over: 1 or 5 become 3, 3 or 7
// become 1, the others stay.
std::int16_t GiroParalelogramoVolteado(std::int16_t giro);
