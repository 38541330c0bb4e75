// The Tangram game: its set-up and the piece geometry the other parts use.
//
// Seven pieces: 1 and 2 large triangles, 3 the medium one, 4 and 5 small
// ones, 6 the square, 7 the parallelogram (the only one with two faces).
// Rotation r is r eighths of a turn clockwise; a piece's picture is its box
// in that orientation, and its polygon's vertices are given inside that box.
#pragma once

#include "platform/surface.h"

#include <QString>

#include <cstdint>
#include <optional>

// Sets up the Tangram table: nuevo deals a new puzzle, otherwise the state
// just loaded is rebuilt. Solving, the table shows the figure of the pieces'
// homes; designing, a new puzzle forgets every home.
void TAN_PreparaJuego(bool nuevo);

// The model file in RutaArchivo: fixed records of kLargoRegistroTangram
// characters, record n being model n. Columns 1-25 hold the name (blank: an
// empty slot); from column 26 each piece 1..7 has ten: its home's x and y as
// four digits each, its rotation and its flip as one digit each; then "0"s up
// to the CR LF that ends the record.
inline const QString kArchivoModelosTangram = QStringLiteral("ModTan.mlp");
constexpr int kLargoRegistroTangram = 126;

// An empty slot: 25 blanks, 99 "0"s and CR LF.
QString TAN_RegistroVacio();

// Reads model NroModelo into the homes of pieces 1..7 (the piece array grows
// to hold them); the present places stay. An empty slot, a record past the
// end or a missing file read as the empty model: every home at 0, 0 in the
// rest position. A field reads as the number it starts with (0 when none);
// a rotation outside 0..7 or a flip outside 0..1 reads 0.
void TAN_LeeModelo();

// Exchanges the homes (place, rotation and flip) of the piece and its twin
// (TAN_Gemela); a piece without a twin keeps its own.
void TAN_IntercambiaDestino(std::int16_t pieza);

// Leaves in AnchoPiezaBase and AltoPiezaBase the picture size of Tangram
// piece `pieza` in that orientation. Another piece number changes nothing.
void TAN_TamanoPieza(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);

// Fills row `pieza` of TAN_VerticeX / TAN_VerticeY (vertices 1..3 for the
// triangles, 1..4 for the square and the parallelogram) from the box that
// TAN_TamanoPieza left for the same orientation. A piece outside 1..7, a
// triangle rotation outside 0..7 or a parallelogram rotation or flip outside
// 0..7 and 0..1 leaves the table as it is; the square only asks whether the
// rotation is odd.
void TAN_CalculaVertices(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);

// Leaves in TAN_DesplX / TAN_DesplY a point inside the piece's polygon for
// that orientation (the seed of the fill that paints it), relative to the
// piece's box. Sets AnchoPiezaBase and AltoPiezaBase as TAN_TamanoPieza does.
void TAN_PuntoEtiqueta(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);

// Fills MarcoFigura with the box of the seven pieces: modo 1 at their present
// places, any other value at their homes. Right and bottom lie one pixel past
// the pieces' boxes; pieces the piece array does not hold are left out.
void TAN_CalculaMarcoFigura(std::int16_t modo);

// Draws pieces at their homes on the surface as polygons filled in
// ColorLineas: all seven, after clearing the surface to ColorFondo, or only
// `pieza` over what the surface already shows. A piece number outside 1..7
// draws nothing.
void TAN_DibujaModelo(plat::Surface& superficie, std::optional<std::int16_t> pieza = std::nullopt);

// Paints piece `pieza`'s home area on the back buffer in the table colour:
// takes that piece out of the drawn figure.
void TAN_DibujaPieza(std::int16_t pieza);
