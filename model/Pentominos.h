// The pentomino game: the shapes turned and flipped, the piece sizes, the
// boards and their stored solutions, and the set-up of the table.
#pragma once

#include "core/PuzzGbl.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The board file in RutaArchivo: fixed records of kLargoRegistroPentominos
// characters, record n being board n.
inline const QString kArchivoModelosPentominos = QStringLiteral("ModPen.mlp");
constexpr int kLargoRegistroPentominos = 452;
// The stored solutions, lines of 76 characters, in RutaArchivo too.
inline const QString kArchivoSolucionesPentominos = QStringLiteral("SolPen.mlp");

// Leaves in PEN_PiezaGirada the five cells (column and row inside the box,
// from 0) and the box in cells of pentomino `pieza` (1..12) turned `giro`
// quarter turns clockwise and then, when `volteo` is 1, mirrored. A piece
// number outside 1..12 leaves it as it is.
void PEN_TransformaPieza(std::int16_t pieza, std::int16_t giro, std::int16_t volteo);

// Leaves in AnchoPiezaBase and AltoPiezaBase the picture size of pentomino
// `pieza` turned by `giro` quarter turns.
void PEN_TamanoPieza(std::int16_t pieza, std::int16_t giro);

// A board as its record and the solutions file give it, before it is put
// in force.
struct ModeloPentomino {
    std::int16_t filas = 0, columnas = 0;
    std::array<std::array<bool, 23>, 17> celdas{}; // rows 1..16, columns 1..22
    // The usable stored solutions, from 1 (entry 0 holds nothing).
    std::vector<PEN_RegistroSolucion> soluciones = std::vector<PEN_RegistroSolucion>(1);
    // Why the board cannot be played, as words that follow "porque" (naming
    // the file); empty when it can.
    QString motivo;
    int numSoluciones() const { return int(soluciones.size()) - 1; }
};

// Reads board `nro` of "ModPen.mlp" (a line of the file, through the shared
// model records) and its solutions from "SolPen.mlp" (lines of any line end),
// both in RutaArchivo; changes no global. Refused, with the reason: a file
// that cannot be read, no such board (past the end, an empty slot), a
// damaged record (sizes that are not 1..16 rows and 1..22 columns, a count or
// a cell that is no digit, a cell outside the rows and columns, other than 60
// cells), or no usable solution. A solution line is left out (and the count
// is lowered) when a field is no number, a piece is turned or flipped beyond
// what the table offers for its shape, or the pieces do not cover the
// board's cells exactly; lines beyond the record's count are not read.
ModeloPentomino PEN_AnalizaModelo(std::int16_t nro);

// Reads "SolPen.mlp" of RutaArchivo whole, into `datos` when given: why it
// cannot be read (FalloLectura()), or "" when it was read.
QString PEN_LeeArchivoSoluciones(QByteArray* datos = nullptr);

// Puts a board in force: FilasTablero, ColumnasTablero, PEN_Modelo,
// PEN_Soluciones and PEN_NumSoluciones (PEN_SolucionActual is left to the
// set-up).
void PEN_PonModelo(const ModeloPentomino& m);

// Reads board `nro` and puts it in force when it can be played, returning
// true. A board that cannot be played changes nothing and returns false; the
// reason goes to `motivo` when given.
bool PEN_LeeModelo(std::int16_t nro, QString* motivo = nullptr);

// Puts the empty board in force: no cells and no solutions.
void PEN_VaciaModelo();

// Whether a board that can be played is in force (it has stored solutions).
bool PEN_HayTablero();

// Sets the homes of pieces 1..12 from the stored solution PEN_SolucionActual.
void PEN_FijaSolucion();

// Sets up the pentomino table: nuevo deals a new puzzle on a stored solution
// chosen at random, otherwise the state just loaded is rebuilt. Without a
// board that can be played the table stays empty: no board and no pieces.
void PEN_PreparaJuego(bool nuevo);
