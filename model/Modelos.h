// The model files of Tangram figures, pentomino boards and Taipei layouts:
// records of one length in the "Archivo" folder, one a line, record n being
// model number n (read and written through model/RegistrosModelo.h);
// characters 1-25 hold its name and a blank name marks an empty slot. Here
// are the Taipei layout reader and the lists of the models of each file.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class ListaOrdenada;

constexpr int kLargoNombreModelo = 25;

// Whether the record is an empty slot: its name is blanks only.
bool ModeloVacio(const QString& registro);
// An empty slot of a file of `largo`-character records: a blank name, "0"s,
// CR LF.
QString RegistroModeloVacio(int largo);

// "ModTai.mlp": name, rows (2 digits), columns (2), levels (1), 4 unused, the
// stack heights row by row (one digit a cell, 352 at most), 64 unused, CR LF.
inline const QString kArchivoModelosTaipei = QStringLiteral("ModTai.mlp");
constexpr int kLargoRegistroTaipei = 452;
constexpr int kColumnaAlturasTaipei = 35; // first height, counted from 1

// Reads record nro of "ModTai.mlp" into TAI_RegistroModelo and the board:
// FilasTablero, ColumnasTablero and TAI_NroNiveles, then every stack height
// (every tile slot emptied), and the rows and columns that hold a stack
// (TAI_NroFilas, TAI_NroColumnas). A record that cannot be read (no file, nro
// below 1 or past the end) is taken as an empty slot: a layout of 0 rows, 0
// columns and 0 levels. Cells beyond the 16 x 22 board are left out.
// Returns whether a layout was found: a named record whose sizes fit the
// board (1..16 rows, 1..22 columns, 1..5 levels).
bool TAI_CargaModelo(std::int16_t nro);
// The same for record NroModelo, as the settings window asks for it.
void TAI_CargaModelo();

// One model of a model file as a list shows it.
struct ModeloListado {
    QString nombre;            // the name, trimmed
    std::int32_t registro = 0; // its record number, which is its model number
    bool operator==(const ModeloListado&) const = default;
};

// The models of the current game's model file, in file order: "ModTan.mlp"
// for Tangram (23), "ModPen.mlp" and "ModTai.mlp" for pentominoes (24) and
// Taipei (25), read line by line (model/RegistrosModelo.h). Empty slots and
// damaged lines are skipped but counted. Nothing for another game or a file
// that cannot be read.
std::vector<ModeloListado> LeeListaModelos();

// Clears the list and adds one item per model of LeeListaModelos(), its name
// as the text and its record number as the item's data.
void RellenaListaModelos(ListaOrdenada& lista);
