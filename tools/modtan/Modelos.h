// From a designed figure to a record of the model file: the pieces' homes in
// pixels with the figure's box at the board origin, the checks that the
// pieces lie side by side as one figure, and the pictures of it.
#pragma once

#include "Figuras.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace modtan {

// The board origin the models are stored at: the one of the narrowest table
// the program runs on (800 pixels: 800 \ 40).
constexpr int kOrigen = 20;

struct Destino {
    int x = 0, y = 0, giro = 0, volteo = 0;
};
// Pieces 1..7 at [1..7]; [0] unused.
using Destinos = std::array<Destino, 8>;

// Sets the program's Tangram geometry (the piece tables) in force. Run once
// before the rest.
void PreparaGeometria();

// The homes of the figure's pieces, its box starting at (kOrigen, kOrigen).
Destinos Coloca(const Figura& f);

// What is wrong with the homes as a figure: pieces whose areas share a pixel,
// a silhouette in more than one part or with enclosed gaps, a box not at the
// origin, values the record cannot hold. Empty when nothing is.
QStringList Problemas(const Destinos& d);

// Background pixels between two pixels of the silhouette one pixel apart,
// grouped where they touch: the sizes of the groups. A group longer than
// kGrietaPermitida is a crack along a joint and fails the figure; the tip of
// a narrow notch may keep that many.
constexpr int kGrietaPermitida = 2;
std::vector<int> Grietas(const Destinos& d);

// The record of the model file: name, the seven homes, the "0"s and CR LF.
QString Registro(const QString& nombre, const Destinos& d);

// The silhouette as the table draws it (figure in ColorLineas on
// ColorFondo), with a margin of kOrigen all round; and each piece in a colour
// of its own over it, to see how the figure is built.
QImage Silueta(const Destinos& d);
QImage Despiece(const Destinos& d);

} // namespace modtan
