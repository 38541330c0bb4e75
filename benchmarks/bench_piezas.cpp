// The counter of pieces in place runs after every drop and every recorder
// step; for pentominoes it also matches the placement against every stored
// solution of the board (9,356 for the 6 x 10 rectangle).
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/Juego.h"

#include <benchmark/benchmark.h>


namespace {

// A pentomino game on a 6 x 10 board with `soluciones` synthetic solutions,
// the pieces spread over the board so that every solution matches some.
void preparaPentominos(int soluciones) {
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 24;
    g.NroPiezas = 12;
    g.Piezas.assign(13, RegistroPieza{});
    g.OrdenPiezas.assign(13, 0);
    g.LadoCelda = 30;
    g.OrigenX = g.OrigenY = 15;
    g.FilasTablero = 6;
    g.ColumnasTablero = 10;
    g.PEN_NumSoluciones = std::int16_t(soluciones);
    g.PEN_Soluciones.assign(soluciones + 1, PEN_RegistroSolucion{});
    for (int s = 1; s <= soluciones; ++s)
        for (int p = 1; p <= 12; ++p) {
            auto& sol = g.PEN_Soluciones[s];
            sol.Fila[p] = std::int16_t(1 + (s + p) % 6);
            sol.Columna[p] = std::int16_t(1 + (s * 7 + p) % 10);
            sol.Giro[p] = std::int16_t((s + p) % 4);
            sol.Volteo[p] = std::int16_t((s / 4 + p) % 2);
        }
    for (int p = 1; p <= 12; ++p) {
        auto& pz = g.Piezas[p];
        pz.X = std::int16_t(15 + (p % 10) * 30);
        pz.Y = std::int16_t(15 + (p % 6) * 30);
        pz.Giro = std::int16_t(p % 4);
        pz.Volteo = std::int16_t(p % 2);
    }
    g.PEN_SolucionActual = 1;
}

void BM_ActualizaInfoPiezasPentominos(benchmark::State& state) {
    mesa.reset();
    preparaPentominos(int(state.range(0)));
    for (auto _ : state) {
        ActualizaInfoPiezas();
        benchmark::DoNotOptimize(PuzzGbl.NroPiezasColocadas);
    }
}
BENCHMARK(BM_ActualizaInfoPiezasPentominos)->Arg(9356)->Unit(benchmark::kMicrosecond);

// The jigsaw's largest puzzle: 30 per side in triangles, 3,600 pieces.
void BM_ActualizaInfoPiezasMoviles(benchmark::State& state) {
    mesa.reset();
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 21;
    g.NroPiezas = 3600;
    g.Piezas.assign(3601, RegistroPieza{});
    for (auto _ : state) {
        ActualizaInfoPiezas();
        benchmark::DoNotOptimize(g.NroPiezasColocadas);
    }
}
BENCHMARK(BM_ActualizaInfoPiezasMoviles)->Unit(benchmark::kMicrosecond);

} // namespace
