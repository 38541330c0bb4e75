// Shared by the jigsaw tests: a table with its command panel, a busy picture
// zoomed onto it, the geometry of a puzzle of any shape, its cut lines alone,
// and how many piece masks cover each pixel of the board when every piece is
// at home.
#pragma once

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PiezasMoviles.h"
#include "model/Juego.h"
#include "platform/numbers.h"
#include "tests/imaging/imaging_fixtures.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace puzzle_test {

constexpr int kPiezasPorCasilla[8] = {1, 1, 1, 4, 2, 2, 2, 2};
constexpr plat::Color kLineas = 0xFFFFFF, kFondo = 0x603010;

// Noise in every channel, never as light as the cut lines.
inline QImage Foto(int ancho, int alto, unsigned semilla = 11) {
    return imaging_test::Ruido(ancho, alto, semilla, 0x7F7F7Fu);
}

inline void Reinicia() {
    imaging_test::Reinicia();
}

// n empty piece records, drawn in number order.
inline void PiezasEnOrden(int n) {
    auto& g = PuzzGbl;
    g.NroPiezas = std::int16_t(n);
    g.Piezas.assign(std::size_t(n) + 1, RegistroPieza{});
    g.OrdenPiezas.assign(std::size_t(n) + 1, 0);
    for (int i = 1; i <= n; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
}

// The seven pieces of a Tangram figure being solved, each at its home, laid
// apart along the bottom of a 1024 x 768 board picture.
inline void TangramApartado() {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 2;
    g.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
    g.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
    g.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
    g.TAN_Gemela = {0, 2, 1, 0, 5, 4, 0, 0};
    PiezasEnOrden(7);
    for (int i = 1; i <= 7; ++i) {
        auto& r = g.Piezas[std::size_t(i)];
        r.X = r.XDestino = std::int16_t(140 * i - 130);
        r.Y = r.YDestino = 600;
    }
    mesa.Pic_Bitmap.setSize(1024, 768);
    mesa.Pic_Bitmap.setBackColor(0x3366CC);
}

// The table's size, with the command panel at its right edge.
inline void PonMesa(int ancho, int alto) {
    PuzzGbl.AnchoMesa = std::int16_t(ancho);
    PuzzGbl.AltoMesa = std::int16_t(alto);
    mesa.Pic_Botonera.move(ancho - 141, 0, 141, 431);
    mesa.Pic_Trabajo.setSize(ancho, alto);
}

// A jigsaw of the shape with `lado` pieces per side cut from a picture of
// ancho x alto shown at 100 %; the geometry worked out, nothing set up yet.
inline void Puzzle(int forma, int lado, int ancho, int alto, unsigned semilla = 11) {
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.FormaPieza = std::int16_t(forma);
    g.PiezasLado = std::int16_t(lado);
    g.PiezasCasilla = std::int16_t(forma >= 0 && forma <= 7 ? kPiezasPorCasilla[forma] : 1);
    g.ZoomImagen = 100;
    g.AnchoBmp = ancho;
    g.AltoBmp = alto;
    g.ColorFondo = std::int32_t(kFondo);
    g.ColorLineas = std::int32_t(kLineas);
    g.DibujarBorde = true;
    g.VelocidadJuego = 100;
    plat::Surface& modi = mesa.Pic_FonTamModi;
    modi.setSize(ancho, alto);
    modi.setPicture(Foto(ancho, alto, semilla));
    modi.keepImageAsPicture();
    CalculaGeometriaPuzzle();
}

// The cut lines alone, black on white, as the board carries them.
inline QImage Cortes() {
    const auto& g = PuzzGbl;
    plat::Surface s(QStringLiteral("cortes"), g.AnchoImagen, g.AltoImagen);
    s.setBackColor(0xFFFFFF);
    s.setForeColor(0x000000);
    DibujaCortesPiezas(s);
    return s.image().copy();
}

// How many masks cover each board pixel (row by row) with every piece at home
// and unturned; `fuera` counts mask pixels beyond the board.
inline std::vector<std::uint8_t> Cobertura(int& fuera) {
    auto& g = PuzzGbl;
    const int w = g.AnchoImagen, h = g.AltoImagen;
    std::vector<std::uint8_t> n(std::size_t(w) * std::size_t(h), 0);
    fuera = 0;
    for (int i = 1; i <= g.NroPiezas; ++i) {
        g.Piezas[std::size_t(i)].Giro = 0;
        GeneraImagenPieza(std::int16_t(i));
        const QImage& m = mesa.Pic_PiezaMascara.image();
        const int x0 = g.Piezas[std::size_t(i)].XDestino - g.MargenPiezaX;
        const int y0 = g.Piezas[std::size_t(i)].YDestino - g.MargenPiezaY;
        for (int y = 0; y < m.height(); ++y) {
            const auto* fila = reinterpret_cast<const QRgb*>(m.constScanLine(y));
            for (int x = 0; x < m.width(); ++x) {
                if ((fila[x] & 0xFFFFFFu) != 0) continue;
                const int bx = x0 + x, by = y0 + y;
                if (bx < 0 || by < 0 || bx >= w || by >= h) ++fuera;
                else ++n[std::size_t(by) * std::size_t(w) + std::size_t(bx)];
            }
        }
    }
    return n;
}

} // namespace puzzle_test
