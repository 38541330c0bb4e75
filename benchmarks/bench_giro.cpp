// Speed of one step of the rotation loop: a 210 x 210 jigsaw piece at the
// back of a stack of eight is brought to the front, taken off the back buffer
// (the eight are drawn again over what it covered), turned, rebuilt, drawn
// and shown. The loop steps every 160 ms: a step must stay well under 5 ms.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "table/Trabajo.h"
#include "bench_mesa.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GiraPiezaBajoOcho(benchmark::State& state) {
    MesaLisa(1024, 768, 0xFF306040u);
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.FormaPieza = 0;
    g.AnchoPieza = g.AltoPieza = 210;
    g.AnchoPiezaBase = g.AltoPiezaBase = 210;
    g.AnchoMesa = 1024;
    g.AltoMesa = 768;
    mesa.Pic_Bitmap.setSize(630, 630);
    g.NroPiezas = 9;
    g.Piezas.assign(10, RegistroPieza{});
    g.OrdenPiezas.assign(10, 0);
    for (int i = 1; i <= 9; ++i) {
        g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
        auto& r = g.Piezas[std::size_t(i)];
        r.X = r.Y = std::int16_t(200 + i * 10);
        r.XDestino = std::int16_t((i - 1) % 3 * 210);
        r.YDestino = std::int16_t((i - 1) / 3 * 210);
    }
    for (auto _ : state) {
        state.PauseTiming();
        // The turned piece goes back under the other eight.
        for (int i = 1; i <= 9; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
        g.PiezaSeleccionada = 9;
        state.ResumeTiming();
        GiraPieza();
    }
    if (g.OrdenPiezas[1] != 9) state.SkipWithError("the turned piece is not in front");
}
BENCHMARK(BM_GiraPiezaBajoOcho)->Unit(benchmark::kMillisecond);

} // namespace
