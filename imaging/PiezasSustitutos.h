// Services the piece imaging calls whose own work lives elsewhere and has not
// landed yet: the Tangram and pentomino shapes. Each says what replaces it.
#pragma once

#include "model/Pentominos.h"
#include "model/Tangram.h"

#include <cstdint>

// Tangram vertices of the piece in TAN_VerticeX / TAN_VerticeY. Stand-in
// until the Tangram geometry lands: leaves the table as it is.
void TAN_CalculaVertices(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);
// A point inside the Tangram piece in TAN_DesplX / TAN_DesplY. Stand-in until
// the Tangram geometry lands: leaves the point as it is.
void TAN_PuntoEtiqueta(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);
// Pentomino cells for an orientation in PEN_PiezaGirada. Stand-in until the
// pentomino shapes land: leaves the cells as they are.
void PEN_TransformaPieza(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);

