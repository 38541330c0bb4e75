// The figures of the Tangram model file, as designed: each of the seven pieces
// in one orientation with the top-left corner of its box, measured in the
// leg of a small triangle.
//
// Two measures meet in the pieces: the small triangle's leg `a` (the square's
// side, the large triangle's half leg) and half its hypotenuse `h` = a / sqrt 2
// (the medium triangle's leg is 2h, the parallelogram's height when it lies
// flat is h). Pieces whose legs lie level (triangles at odd rotations, the
// square at even ones, the parallelogram at odd ones) sit on the grid of `a`;
// pieces turned by an eighth sit on the grid of `h`.
#pragma once

#include <QString>

#include <array>
#include <vector>

namespace modtan {

// The leg of a small triangle in pixels, as the pieces are drawn: from its
// first pixel to its last, 62 pixels on (its box is one more).
constexpr double kLado = 62;

struct Colocacion {
    int pieza = 0;    // 1..7
    int giro = 0;     // 0..7, eighths of a turn clockwise
    int volteo = 0;   // 0 or 1 (the parallelogram's faces)
    double x = 0, y = 0; // top-left of the box, in legs of a small triangle
    int ajusteX = 0, ajusteY = 0; // pixels, where rounding alone would not fit the pieces
};

struct Figura {
    QString nombre;                   // at most 25 characters, Windows-1252
    std::array<Colocacion, 7> piezas; // any order; every piece once
};

// Every figure, in the order of the file.
std::vector<Figura> Figuras();

} // namespace modtan
