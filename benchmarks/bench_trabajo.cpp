// Speed of the table surface: a hover over a stack of large jigsaw pieces
// followed by one drag step, and the repaint of a large table.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "table/Trabajo.h"
#include "bench_mesa.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kAncho = 2048, kAlto = 1536;

void PreparaMesa() { MesaLisa(kAncho, kAlto, 0xFF306040u); }

// Eight pieces of a 3 x 3 jigsaw cut from a 1536-pixel picture, stacked so
// that the pointer lies in the transparent part of the seven in front and on
// the one at the back; an unrelated piece is held and dragged.
void BM_HoverYArrastreSobreOcho(benchmark::State& state) {
    PreparaMesa();
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.FormaPieza = 0;
    g.AnchoPieza = g.AltoPieza = 512;
    g.AnchoPiezaBase = g.AltoPiezaBase = 640; // a transparent band of 128 right and below
    mesa.Pic_Bitmap.setSize(1536, 1536);
    g.NroPiezas = 9;
    g.Piezas.assign(10, RegistroPieza{});
    g.OrdenPiezas.assign(10, 0);
    for (int i = 1; i <= 9; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
    for (int i = 1; i <= 7; ++i) g.Piezas[std::size_t(i)].X = g.Piezas[std::size_t(i)].Y = std::int16_t(100 + i * 4);
    g.Piezas[8].X = g.Piezas[8].Y = 700;
    g.Piezas[9].X = g.Piezas[9].Y = 1200;
    const double x = 720, y = 720; // in the bands of 1..7, on 8
    for (auto _ : state) {
        g.ArrastrandoPieza = false;
        Pic_Trabajo_MouseMove(0, 0, x, y);
        benchmark::DoNotOptimize(g.PiezaSeleccionada);
        g.ArrastrandoPieza = true;
        g.PiezaSeleccionada = 9;
        g.TrabajoNuevoX = g.TrabajoNuevoY = 1200;
        PasoArrastre(1201, 1201);
        g.Piezas[9].X = g.Piezas[9].Y = 1200;
    }
    g.ArrastrandoPieza = false;
    Pic_Trabajo_MouseMove(0, 0, x, y);
    if (g.PiezaSeleccionada != 8) state.SkipWithError("the hover does not reach the back piece");
    g.PiezaSeleccionada = 9;
    g.TrabajoNuevoX = g.TrabajoNuevoY = 1200;
    PasoArrastre(1201, 1201);
    if (g.Piezas[9].X != 1201) state.SkipWithError("the drag step does not move the piece");
}
BENCHMARK(BM_HoverYArrastreSobreOcho)->Unit(benchmark::kMicrosecond);

void BM_RepintaMesa(benchmark::State& state) {
    PreparaMesa();
    for (auto _ : state) mesa.Pic_Trabajo_Paint();
}
BENCHMARK(BM_RepintaMesa)->Unit(benchmark::kMillisecond);

} // namespace
