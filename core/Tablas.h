// The constant tables filled once at start, and the records they hold.
//
// The tables themselves are globals of PuzzGbl (section "constant tables").
// Every fixed width below counts characters, never bytes, so accented texts
// and "Ñ" keep their columns.
#pragma once

#include "platform/color.h"

#include <QString>

#include <array>
#include <cstdint>

// The description of one spin control: its limits, step, display pattern and
// whether the limits wrap.
struct ParametroSpin {
    float Minimo = 0.0f;
    float Maximo = 0.0f;
    float Paso = 0.0f;
    QString Formato; // display pattern; its length also sets the text box's width
    bool Circular = false; // true: the limits neither clamp the value nor stop the repeat
};

// One pentomino shape. Entries 1 to 5 of CeldaX and CeldaY are the column and
// row (from 0) of its five cells inside its box; entry 0 holds nothing.
struct PEN_RegistroForma {
    std::array<std::int16_t, 6> CeldaX{};
    std::array<std::int16_t, 6> CeldaY{};
    std::int16_t Ancho = 0;      // box width in cells (rotation 0)
    std::int16_t Alto = 0;       // box height in cells
    std::int16_t Rotaciones = 0; // distinct rotations: 1, 2 or 4
    std::int16_t Caras = 0;      // 1: its mirror image is the same shape; 2: flipping gives another
    QString Letra;               // one character
    plat::Color Color = 0;
};

// One tip of the tips panel: three lines of 60 characters, blank-padded, and
// the help topic that its more-help link opens (0: none).
struct Sugerencia {
    QString Texto;
    std::int16_t IdAyuda = 0;
};

// Widths of the fixed texts.
constexpr int kAnchoOpcionSelector = 38;
constexpr int kAnchoTextoSugerencia = 180;
constexpr int kAnchoLineaSugerencia = 60;

// A fixed-width text: cut to `ancho` characters or padded with blanks on the
// right. The settings window stores the options of its selector 2 with it.
QString TextoDeAncho(const QString& texto, int ancho);

// The option texts of the selectors (selector 0..36 by option 0..6), every
// one a fixed text of blanks.
using TablaOpcionesSelector = std::array<std::array<QString, 7>, 37>;
TablaOpcionesSelector OpcionesEnBlanco();

// A tip from its stored form: characters 1 to 180 are the text, 181 to 184
// the help topic. An empty form gives an empty tip with topic 0.
Sugerencia SugerenciaDeConstante(const QString& constante);

// A pentomino shape from its 24-character row "xy xy xy xy xy W H R C L"
// (five cells, box width and height, rotations, sides, letter); the colour is
// left at 0.
PEN_RegistroForma FormaDeConstante(const QString& fila);

// Fills the constant tables of PuzzGbl, sets the table area AnchoMesa x
// AltoMesa to the screen (logical pixels), creates the six empty regions and
// starts the tip clock 15 s in the past, so that a tip is due at once.
void InicializaTablas();
