// Landing a dropped piece: the rules that decide where it ends (attraction to
// its home, the pentomino grid, the push back inside the visible table) as
// plain arithmetic, and the end of a solved puzzle.
#pragma once

#include <cstdint>
#include <optional>

// Attraction: the piece's box (w by h at x, y) and its home box, both shrunk
// by Int(((100 - factor) / 2) * (size / 100)) on every side, as half-open
// integer boxes. True when the two shrunk boxes share a pixel.
bool CajasSeAtraen(int x, int y, int xDestino, int yDestino, int w, int h, int factor);

// The pentomino grid: the place (x, y of the piece's top-left cell) the piece
// snaps to, or nothing. The tolerance is 0.35 of a cell rounded half to even;
// the first row and the first column within it that keep the whole piece
// (wCeldas by hCeldas cells) on the board are taken.
struct CeldaRejilla {
    int x, y;
    bool operator==(const CeldaRejilla&) const = default;
};
std::optional<CeldaRejilla> AjusteRejilla(int x, int y, int wCeldas, int hCeldas, int lado, int origenX, int origenY,
                                          int filas, int columnas);

// The part of the table a piece's centre is kept on: the bars and the
// command panel in window pixels, with the scroll values to add; the tips
// panel, which lies on the table, in table pixels.
struct ZonaVisible {
    double barraHorArriba = 0;   // top of the horizontal scroll bar
    double barraVerIzquierda = 0; // left of the vertical scroll bar
    int valorVer = 0, valorHor = 0;
    double botoneraIzquierda = 0, botoneraAlto = 0;
    bool sugerenciasVisibles = false;
    double sugerenciaIzquierda = 0, sugerenciaAncho = 0, sugerenciaArriba = 0;
};
struct Posicion {
    std::int16_t x, y;
    bool operator==(const Posicion&) const = default;
};
// Where a piece (w by h box at x, y, the bitmap's margins mx, my) ends once
// its box's centre is brought back onto the visible table.
Posicion EmpujaDentro(int x, int y, int w, int h, int mx, int my, const ZonaVisible& zona);

// The count after a drop, the end test and the end itself. The pieces in
// place are counted (a pentomino board counted against another stored
// solution is counted again against it); when every piece is in place (and the puzzle is neither being arranged by hand nor designed), the
// chronometer stops, the finished picture is shown, the player is told, and,
// while the puzzle still qualifies, asked whether to keep it in the history.
// Returns whether the puzzle ended.
bool CuentaYTerminaPuzzle();

// The message of a Taipei board on which no free pair is left (after a pair
// is taken, and from the tutor).
void AvisaTaipeiSinSalida();

// The release of a button on the table: lands the held piece (a Tangram
// piece pushed out of the pieces it covers, or glued to a neighbour; then
// attraction to a home no other piece covers, grid, push back, and a Tangram
// piece pushed back is pushed out of the pieces it covers once more), plays
// its sound, redraws and records it, counts and ends the puzzle; always
// clears the drop flags and re-runs the hover test at the release point.
void Pic_Trabajo_MouseUp(std::int16_t boton, std::int16_t shift, double x, double y);
