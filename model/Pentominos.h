// The pentomino game: the shapes turned and flipped, the piece sizes, the
// boards and their stored solutions, and the set-up of the table.
#pragma once

#include <QString>

#include <cstdint>

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

// Reads board `nro` of "ModPen.mlp" and its stored solutions from
// "SolPen.mlp" (both in RutaArchivo) into FilasTablero, ColumnasTablero,
// PEN_Modelo, PEN_NumSoluciones and PEN_Soluciones. Whether the board can be
// played: it was read and has at least one stored solution. An empty slot, a
// number past the end, a missing file or a damaged record give an empty board
// without solutions; a damaged solution line is left out, and the count is
// lowered to the lines found.
bool PEN_LeeModelo(std::int16_t nro);

// Sets the homes of pieces 1..12 from the stored solution PEN_SolucionActual.
void PEN_FijaSolucion();

// Sets up the pentomino table: nuevo deals a new puzzle on a stored solution
// chosen at random, otherwise the state just loaded is rebuilt.
void PEN_PreparaJuego(bool nuevo);
