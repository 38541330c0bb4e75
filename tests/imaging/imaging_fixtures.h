// Shared set-up of the imaging tests: a clean table and model, noise pictures
// (the board's among them), and synthetic tile sheets with one flat colour per
// body and face.
#pragma once

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/PiezasMoviles.h"
#include "model/Pentominos.h"
#include "model/Tangram.h"

#include <QImage>

#include <random>

namespace imaging_test {

constexpr int kAnchoTablero = 240, kAltoTablero = 200;

inline plat::Color Cuerpo(int x) {
    switch (x) {
    case 240: return 0x00D0E8F0; // bone
    case 354: return 0x0000A000; // green edge
    case 411: return 0x000000C0; // red edge
    default: return 0x00204070;  // wood
    }
}

// A face colour per column and row, never black or white.
inline plat::Color Cara(int columna, int fila) {
    return plat::Color(0x00100000 * fila + 0x00001000 * columna + 0x80);
}

inline void Rellena(plat::Surface& s, int x, int y, int w, int h, plat::Color c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) s.plot(i, j, c);
}

// The tile mask of the synthetic sheet: black on (0, 0)-(50, 66), white elsewhere.
constexpr int kMascaraAncho = 51, kMascaraAlto = 67;

inline void PreparaLaminas() {
    auto& v = mesa.Pic_BmpVario;
    v.setSize(Mesa::kAnchoBmpVario, Mesa::kAltoBmpVario);
    v.cls();
    for (int x : {240, 354, 411, 468}) Rellena(v, x, 0, 56, 73, Cuerpo(x));
    Rellena(v, 297, 0, 56, 73, 0xFFFFFF);
    Rellena(v, 297, 0, kMascaraAncho, kMascaraAlto, 0x000000);
    auto& t = mesa.Pic_BmpTaipei;
    t.setSize(Mesa::kAnchoBmpTaipei, Mesa::kAltoBmpTaipei);
    for (int f = 1; f <= 5; ++f)
        for (int c = 1; c <= 9; ++c) Rellena(t, (c - 1) * 42, (f - 1) * 58, 42, 58, Cara(c, f));
}

// A w x h picture of noise, row by row from the seed, each pixel's colour
// bits limited to `bits`.
inline QImage Ruido(int w, int h, unsigned semilla, QRgb bits = 0xFFFFFFu) {
    std::mt19937 rng(semilla);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | (rng() & bits));
    return img;
}

inline void PreparaTablero() {
    mesa.Pic_Bitmap.setSize(kAnchoTablero, kAltoTablero);
    mesa.Pic_Bitmap.setPicture(Ruido(kAnchoTablero, kAltoTablero, 12345));
    mesa.Pic_PiezaColor.setSize(kAnchoTablero, kAltoTablero);
    mesa.Pic_PiezaColor.setBackColor(0x00FF00);
}

inline void Reinicia() {
    mesa.desconectaVentana();
    mesa.ponCreadorVentana(nullptr);
    mesa.reset();
    PuzzGbl.reset();
}

// n pieces, all zero, the order 1..n.
inline void PonPiezas(int n) {
    PuzzGbl.NroPiezas = std::int16_t(n);
    PuzzGbl.Piezas.assign(std::size_t(n) + 1, RegistroPieza{});
    PuzzGbl.OrdenPiezas.assign(std::size_t(n) + 1, 0);
    for (int i = 1; i <= n; ++i) PuzzGbl.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
}

} // namespace imaging_test
