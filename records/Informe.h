// The column reports of the records windows: the page of one solved puzzle
// of the history and the statistics of the puzzle on the table. Both are a
// column of labelled lines, the label (22 characters, dotted up to its colon)
// in black at x 20 and the value at x 178, each line at its own y. The pages
// are worked out as data first, so that what a window shows can be checked
// without a window, then printed by one line printer.
#pragma once

#include "platform/color.h"
#include "platform/surface.h"
#include "records/Historico.h"

#include <QString>

#include <cstdint>
#include <vector>


namespace informe {
constexpr int kXEtiqueta = 20;
constexpr int kXValor = 178;
constexpr plat::Color kNegro = 0x000000;
constexpr plat::Color kPurpura = 0x800080; // the values of a stored record
constexpr plat::Color kAzul = 0xFF0000;    // the values of the live puzzle, the counts of a record
} // namespace informe

// One printed line: the label at x 20 in black, the value at x 178.
struct LineaInforme {
    int y = 0;
    QString etiqueta;
    QString valor;
    plat::Color color = informe::kAzul;
    bool operator==(const LineaInforme&) const = default;
};

// A text printed on its own (the Tangram table).
struct TextoInforme {
    int x = 0, y = 0;
    QString texto;
    plat::Color color = informe::kAzul;
    bool operator==(const TextoInforme&) const = default;
};

// A horizontal line from x1 to x2 (its last pixel left out) at y.
struct RayaInforme {
    int x1 = 0, x2 = 0, y = 0;
    bool operator==(const RayaInforme&) const = default;
};

struct Informe {
    std::vector<LineaInforme> lineas;
    std::vector<TextoInforme> textos;
    std::vector<RayaInforme> rayas;
    // The y of the name line, where the statistics put the name box (-1: none).
    int yNombre = -1;
    // The height the report surface needs.
    int alto = 0;
};

// The report font: Liberation Mono at the size at which a 22-character
// label fits in front of the value column.
plat::Font FuenteInforme();

// Prints one line: the label in black at (20, y), the value in its colour
// at (178, y).
void ImprimeLinea(plat::Surface& s, const QString& etiqueta, const QString& valor, plat::Color color, int y);
// Prints a whole report (lines, loose texts, underlines).
void ImprimeInforme(plat::Surface& s, const Informe& inf);

// ---- helpers both reports share ----

// The pasted picture's name test, EsImagenPortapapeles, is in core/TsComun.h.
// A folder as shown: whole up to 31 characters, else its first 28 and "...".
QString CarpetaVisible(const QString& carpeta);
// A time in H:MM:SS (hours past 24); a negative count shows nothing.
QString TextoTiempo(double segundos);
// The text of a shape, a class of pieces or a game ("" outside its table).
QString TextoTipoPuzzle(int juego);
QString TextoFondo(int tipoRotulo);
QString TextoClasePiezas(int piezasCasilla);
QString TextoFormaPieza(int forma);

// ---- the two reports ----

// The page of a stored record shown at list position `posicion` (from 0);
// the game's lines are chosen by the record's own game.
Informe InformeRegistro(const RegistroHistorico& r, std::int32_t posicion);
// The page of an empty list in a window of that inner height.
Informe InformeVacio(int altoInterior);

// The statistics of the puzzle on the table, from the program-wide state.
// Recounts NroPiezasColocadas (except in the Tangram design mode).
Informe InformeEstadisticas();
