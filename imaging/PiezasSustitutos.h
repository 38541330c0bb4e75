// Services the piece imaging calls whose own work lives elsewhere and has not
// landed yet: the Tangram shapes and the jigsaw masks of the curved and
// figured shapes. Each says what replaces it.
#pragma once

#include "model/Tangram.h"

#include <cstdint>

// Tangram vertices of the piece in TAN_VerticeX / TAN_VerticeY. Stand-in
// until the Tangram geometry lands: leaves the table as it is.
void TAN_CalculaVertices(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);
// A point inside the Tangram piece in TAN_DesplX / TAN_DesplY. Stand-in until
// the Tangram geometry lands: leaves the point as it is.
void TAN_PuntoEtiqueta(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);

// The jigsaw mask of the piece in PiezaActual, drawn into the cleared mask
// surface for FormaPieza. Stand-in until the jigsaw masks land: shape 0 (the
// cell's box) only; shapes 1 to 7 leave the mask white.
void DibujaMascaraPuzzle(std::int16_t pieza);

