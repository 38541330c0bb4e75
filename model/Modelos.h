// The model files of Tangram figures, pentomino boards and Taipei layouts:
// records of one length in the "Archivo" folder, one a line, record n being
// model number n (read and written through model/RegistrosModelo.h);
// characters 1-25 hold its name and a blank name marks an empty slot. Here
// are the lists of the models of each file.
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

// The layout reader TAI_CargaModelo is in model/TaipeiModelo.h.

// What keeps model `nro` of game `juego` (24 pentominoes, 25 Taipei) from
// being played, as words that follow "porque": its model file is missing or
// cannot be read, holds no such model, or the model is damaged; for a
// pentomino board, the same of "SolPen.mlp" and its solutions; for a Taipei
// layout, that it does not fit the table in use (AnchoMesa x AltoMesa). An empty text
// when the model can be played (and for the other games). Every global is
// left as it was. soloPantalla, when given, tells whether the fault is only
// that a sound layout does not fit this screen.
QString DiagnosticoModelo(std::int16_t juego, std::int16_t nro, bool* soloPantalla = nullptr);

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
// that cannot be read; `fallo` (optional) then receives why it could not
// (FalloLectura(), model/RegistrosModelo.h), and "" otherwise.
std::vector<ModeloListado> LeeListaModelos(QString* fallo = nullptr);

// Clears the list and adds one item per model of LeeListaModelos(), its name
// as the text and its record number as the item's data. Returns why the
// model file could not be read, "" when it was.
QString RellenaListaModelos(ListaOrdenada& lista);
