// Speed of the jigsaw on a 1280 x 1024 table with a 1024 x 768 picture: a
// full redraw of the 900 triangles and of about 400 pieces of every shape,
// and the whole set-up (geometry, cut, templates, homes and the deal drawn
// piece by piece) of the largest puzzle of every shape.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/PiezasMoviles.h"
#include "imaging/PreparaMesa.h"
#include "model/Juego.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <random>

namespace {

constexpr int kAnchoMesa = 1280, kAltoMesa = 1024;
constexpr int kPiezasPorCasilla[8] = {1, 1, 1, 4, 2, 2, 2, 2};

// A busy 1024 x 768 picture, zoomed at 100 %, and the table's panels in place.
void PreparaMesa(int forma, int lado) {
    mesa.reset();
    PuzzGbl.reset();
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.AnchoMesa = kAnchoMesa;
    g.AltoMesa = kAltoMesa;
    mesa.Pic_Botonera.move(kAnchoMesa - 141, 0, 141, 431);
    mesa.Pic_Trabajo.setSize(kAnchoMesa, kAltoMesa);
    g.FormaPieza = std::int16_t(forma);
    g.PiezasLado = std::int16_t(lado);
    g.PiezasCasilla = std::int16_t(kPiezasPorCasilla[forma]);
    g.ZoomImagen = 100;
    g.AnchoBmp = 1024;
    g.AltoBmp = 768;
    g.ColorFondo = 0x603010;
    g.ColorLineas = 0xFFFFFF;
    g.DibujarBorde = true;
    g.GiroPermitido = true;
    g.VelocidadJuego = 100;
    std::mt19937 rng(7);
    QImage foto(1024, 768, QImage::Format_RGB32);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) foto.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
    plat::Surface& modi = mesa.Pic_FonTamModi;
    modi.setSize(1024, 768);
    modi.setPicture(foto);
}

void Redibuja(benchmark::State& state, int forma, int lado) {
    PreparaMesa(forma, lado);
    PreparaJuego(true);
    for (auto _ : state) {
        RedibujaImagen(2);
        benchmark::ClobberMemory();
    }
    state.counters["piezas"] = PuzzGbl.NroPiezas;
}

void BM_Redibuja900Triangulos(benchmark::State& state) { Redibuja(state, 3, 15); }
BENCHMARK(BM_Redibuja900Triangulos)->Unit(benchmark::kMillisecond);

// About 400 pieces: 20 per side of the one-piece shapes, 10 of the
// triangles, 14 of the figures in frames (392).
void BM_Redibuja400(benchmark::State& state) {
    const int forma = int(state.range(0));
    const int lado = forma == 3 ? 10 : kPiezasPorCasilla[forma] == 2 ? 14 : 20;
    Redibuja(state, forma, lado);
}
BENCHMARK(BM_Redibuja400)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

// The largest puzzle: 20 pieces per side.
void BM_PreparaMayor(benchmark::State& state) {
    const int forma = int(state.range(0));
    PreparaMesa(forma, 20);
    for (auto _ : state) {
        PreparaJuego(true);
        benchmark::ClobberMemory();
    }
    state.counters["piezas"] = PuzzGbl.NroPiezas;
}
BENCHMARK(BM_PreparaMayor)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

// A loaded 900-piece state put back on the table: the set-up without a deal
// (flag 0) and the redraw of every piece, as the state reader does.
void BM_Reconstruye900Triangulos(benchmark::State& state) {
    PreparaMesa(3, 15);
    PreparaJuego(true);
    for (auto _ : state) {
        PreparaJuego(false);
        RedibujaImagen(0);
        benchmark::ClobberMemory();
    }
    state.counters["piezas"] = PuzzGbl.NroPiezas;
}
BENCHMARK(BM_Reconstruye900Triangulos)->Unit(benchmark::kMillisecond);

// The outline templates and the cut lines of the largest puzzle alone.
void BM_PlantillasYCortes(benchmark::State& state) {
    const int forma = int(state.range(0));
    PreparaMesa(forma, forma == 3 ? 15 : 20);
    CalculaGeometriaPuzzle();
    plat::Surface& b = mesa.Pic_Bitmap;
    b.setSize(PuzzGbl.AnchoImagen, PuzzGbl.AltoImagen);
    b.setPicture(mesa.Pic_FonTamModi.picture());
    b.setForeColor(0xFFFFFF);
    for (auto _ : state) {
        DibujaPlantillasPiezas();
        DibujaCortesPiezas(b);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlantillasYCortes)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

} // namespace
