// The Tangram game: its set-up and the piece geometry the other parts use.
//
// Seven pieces: 1 and 2 large triangles, 3 the medium one, 4 and 5 small
// ones, 6 the square, 7 the parallelogram (the only one with two faces).
// Rotation r is r eighths of a turn clockwise; a piece's picture is its box
// in that orientation, and its polygon's vertices are given inside that box.
#pragma once

#include "model/RegistrosModelo.h"
#include "platform/surface.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// Sets up the Tangram table: nuevo deals a new puzzle, otherwise the state
// just loaded is rebuilt. Solving, the table shows the figure of the pieces'
// homes; designing, a new puzzle forgets every home.
void TAN_PreparaJuego(bool nuevo);

// The model file in RutaArchivo: records of kLargoRegistroTangram characters,
// one a line, record n being model n. Columns 1-25 hold the name (blank: an
// empty slot); from column 26 each piece 1..7 has ten: its home's x and y as
// four digits each, its rotation and its flip as one digit each; then "0"s up
// to the CR LF that ends the record.
inline const QString kArchivoModelosTangram = QStringLiteral("ModTan.mlp");
constexpr int kLargoRegistroTangram = 126;

// An empty slot: 25 blanks, 99 "0"s and CR LF.
QString TAN_RegistroVacio();

// A figure as a record holds it: the home of pieces 1..7 ([0] unused).
struct DestinoTangram {
    std::int16_t x = 0, y = 0, giro = 0, volteo = 0;
    bool operator==(const DestinoTangram&) const = default;
};
using DestinosTangram = std::array<DestinoTangram, 8>;

// The pieces' part of a record (columns 26-95): seven blocks of four digits
// of x, four of y, one of the rotation (0..7) and one of the flip (0..1).
// Anything else, a short record included, is refused with the reason.
struct ModeloTangram {
    bool valido = false;
    DestinosTangram destinos{};
    QString motivo;
};
ModeloTangram TAN_AnalizaRegistro(const QString& registro);

// Gives pieces 1..7 the homes (the piece array grows to hold them; the
// present places stay), the whole figure moved so that its box starts at the
// board origin of the current table (TAN_OrigenTablero): a figure stored on
// a table of another width keeps its shape and stays on the board.
void TAN_AplicaModelo(const DestinosTangram& destinos);

// Reads model NroModelo into the homes: the record is analysed first and
// only a sound one changes them. An empty slot, a record past the end or a
// missing file read as the empty model (every home at 0, 0 in the rest
// position). Returns whether a model was read; otherwise `motivo` (optional)
// says why, and a refused record (bad digits, a rotation outside 0..7, a
// flip outside 0..1, a damaged line) has left every home as it was.
bool TAN_LeeModelo(QString* motivo = nullptr);

// The board origin of a Tangram on the current table: AnchoMesa \ 40, in
// both coordinates. The pieces' size tables, as the geometry sets them.
std::int16_t TAN_OrigenTablero();
struct TablasTangram {
    std::array<std::int16_t, 8> anchos, altos, lados;
};
TablasTangram TAN_TablasPiezas();

// Stores the figure the pieces form now as a new model: its box (at the
// pieces' present places) moved to start at the board origin (OrigenX,
// OrigenY) in a copy, so the pieces themselves never move; named by
// NombreParaRegistro (a name left empty is refused); into the first record
// with a blank name, else after the last. Two models may share a name.
ResultadoEscritura TAN_GuardaModelo(const QString& nombre);

// Deletes model nro: its record becomes the empty record, a slot the next
// stored figure takes. A number that is not in the file is refused.
ResultadoEscritura TAN_BorraModelo(std::int16_t nro);

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
