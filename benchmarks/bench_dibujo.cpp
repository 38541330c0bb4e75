// Speed of the board drawing on a full-screen table: full redraws of a large
// jigsaw and of a full Taipei layout, one drag frame of a large piece, and
// erasing a piece from under a stack.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Juego.h"
#include "bench_mesa.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <random>

namespace {

constexpr int kAnchoMesa = 1920, kAltoMesa = 1080;

void Rellena(plat::Surface& s, int x, int y, int w, int h, plat::Color c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) s.plot(i, j, c);
}

void PreparaMesa() {
    MesaLisa(kAnchoMesa, kAltoMesa, 0xFF306040u);
    std::mt19937 rng(7);
    QImage tablero(1024, 768, QImage::Format_RGB32);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) tablero.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
    mesa.Pic_Bitmap.setSize(1024, 768);
    mesa.Pic_Bitmap.setPicture(tablero);
    auto& v = mesa.Pic_BmpVario;
    v.setSize(Mesa::kAnchoBmpVario, Mesa::kAltoBmpVario);
    Rellena(v, 240, 0, 56, 73, 0xDCEEF4);
    Rellena(v, 297, 0, 56, 73, 0xFFFFFF);
    Rellena(v, 297, 0, 50, 67, 0x000000);
    mesa.Pic_BmpTaipei.setSize(Mesa::kAnchoBmpTaipei, Mesa::kAltoBmpTaipei);
    mesa.Pic_BmpTaipei.setBackColor(0xC0D0E0);
}

void Piezas(int n) {
    auto& g = PuzzGbl;
    g.NroPiezas = std::int16_t(n);
    g.Piezas.assign(std::size_t(n) + 1, RegistroPieza{});
    g.OrdenPiezas.assign(std::size_t(n) + 1, 0);
    for (int i = 1; i <= n; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
}

// A 1024 x 768 jigsaw of 20 x 20 rectangular pieces, each with room for tabs.
void Puzzle() {
    PreparaMesa();
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.FormaPieza = 0;
    g.AnchoPieza = 51;
    g.AltoPieza = 38;
    g.MargenPiezaX = 13;
    g.MargenPiezaY = 10;
    g.AnchoPiezaBase = 77;
    g.AltoPiezaBase = 58;
    g.AnchoImagen = 1024;
    g.AltoImagen = 768;
    Piezas(400);
    std::mt19937 rng(3);
    for (int i = 1; i <= 400; ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        p.XDestino = std::int16_t(((i - 1) % 20) * 51);
        p.YDestino = std::int16_t(((i - 1) / 20) * 38);
        p.X = std::int16_t(20 + rng() % 1800);
        p.Y = std::int16_t(20 + rng() % 1000);
        p.Giro = std::int16_t(rng() % 4);
    }
}

void BM_RedibujaPuzzle400(benchmark::State& state) {
    Puzzle();
    for (auto _ : state) {
        RedibujaImagen(2);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RedibujaPuzzle400)->Unit(benchmark::kMillisecond);

void BM_RedibujaTaipei144(benchmark::State& state) {
    PreparaMesa();
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    g.AnchoPiezaBase = 56;
    g.AltoPiezaBase = 73;
    g.AnchoPieza = 50;
    g.AltoPieza = 66;
    g.FilasTablero = 16;
    g.ColumnasTablero = 22;
    Piezas(144);
    // Stacks of 5, 4, 3, 2 and 1 levels: 144 tiles in all.
    int t = 0;
    auto pon = [&](int f, int c, int niveles) {
        for (int k = 1; k <= niveles && t < 144; ++k) {
            ++t;
            auto& casilla = g.TAI_Tablero[std::size_t(f)][std::size_t(c)];
            casilla.Ficha[std::size_t(k)] = std::int16_t(t);
            casilla.Altura = std::int16_t(k);
            auto& p = g.Piezas[std::size_t(t)];
            p.Fila = std::int16_t(f), p.Columna = std::int16_t(c), p.Nivel = std::int16_t(k);
            p.Estado = 1;
            p.Palo = std::int16_t(1 + t % 3), p.Valor = std::int16_t(1 + t % 9);
            p.X = std::int16_t(40 + 50 * (c - 1) / 2 * 2 - 6 * (k - 1)), p.Y = std::int16_t(30 + 66 * (f - 1) / 2 * 2 - 6 * (k - 1));
        }
    };
    for (int f = 1; f <= 14 && t < 144; f += 2)
        for (int c = 1; c <= 22 && t < 144; c += 2) pon(f, c, 1 + (f + c) % 5);
    for (auto _ : state) {
        RedibujaImagen(2);
        benchmark::ClobberMemory();
    }
    state.counters["tiles"] = t;
}
BENCHMARK(BM_RedibujaTaipei144)->Unit(benchmark::kMillisecond);

void BM_MarcoArrastre210(benchmark::State& state) {
    PreparaMesa();
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = 210;
    g.DibujarBorde = true;
    Piezas(1);
    g.Piezas[1].X = 500;
    g.Piezas[1].Y = 400;
    RedibujaImagen(1);
    CogePieza(500, 400, 1);
    int paso = 14;
    for (auto _ : state) {
        const int x = g.TrabajoNuevoX + paso;
        if (x > 1200 || x < 300) paso = -paso;
        ActualizaTrabajo(std::int16_t(x), g.TrabajoNuevoY, 1);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MarcoArrastre210)->Unit(benchmark::kMicrosecond);

void BM_BorraBajoOcho(benchmark::State& state) {
    Puzzle();
    auto& g = PuzzGbl;
    // Nine pieces piled on one spot: erasing the front one redraws the eight under it.
    for (int i = 1; i <= 400; ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        if (i <= 9) {
            p.X = std::int16_t(600 + 5 * i);
            p.Y = std::int16_t(400 + 4 * i);
        } else {
            p.X = std::int16_t(1500 + (i % 5) * 80);
            p.Y = std::int16_t(20 + (i % 12) * 80);
        }
    }
    RedibujaImagen(2);
    for (auto _ : state) {
        BorraPiezaDeImagen(1);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BorraBajoOcho)->Unit(benchmark::kMillisecond);

} // namespace
