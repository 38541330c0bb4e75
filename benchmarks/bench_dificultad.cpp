// One grading of the puzzle on the table, per game: a 900-piece jigsaw, a
// shuffled 9 x 9 sliding board, the Tangram square on an 800 x 600 table (it
// draws the figure and samples it), a 6 x 10 pentomino board and a dealt
// Taipei layout (it works out the blocking measures too).
#include "core/PuzzGbl.h"
#include "model/Barajado.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Taipei.h"
#include "platform/random.h"
#include "tools/modtai/disposiciones.h"

#include <benchmark/benchmark.h>

namespace {

void Mide(benchmark::State& state) {
    for (auto _ : state) {
        CalculaDificultad();
        benchmark::DoNotOptimize(PuzzGbl.GradoDificultad);
    }
}

void BM_GradoPiezasMoviles(benchmark::State& state) {
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 21;
    g.AnchoPieza = 27, g.AltoPieza = 20, g.PiezasCasilla = 1, g.NroPiezas = 900;
    g.FactorAtraccion = 20, g.GiroPermitido = true, g.FormaPieza = 7;
    Mide(state);
}

void BM_GradoDeslizantes(benchmark::State& state) {
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 22;
    g.PiezasLado = 9, g.NroPiezas = 80, g.AnchoPieza = g.AltoPieza = 50, g.TipoRotulo = 1;
    g.Piezas.assign(82, RegistroPieza{});
    plat::randomGenerator().setState(7);
    for (int i = 1; i <= 80; ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        p.XDestino = std::int16_t(((i - 1) % 9) * 50), p.YDestino = std::int16_t(((i - 1) / 9) * 50);
        p.X = std::int16_t((plat::rndInt(9) - 1) * 50), p.Y = std::int16_t((plat::rndInt(9) - 1) * 50);
    }
    Mide(state);
}

void BM_GradoTangram(benchmark::State& state) {
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 2;
    g.AnchoMesa = 800, g.AltoMesa = 600;
    g.ColorFondo = 0x800000, g.ColorLineas = 0xFFFFFF, g.FactorAtraccion = 20;
    // The square of the model file.
    constexpr int casas[8][3] = {{0, 0, 0},     {20, 20, 4},  {20, 20, 2},   {108, 108, 3},
                                 {108, 64, 6},  {20, 152, 0}, {64, 108, 1},  {153, 20, 2}};
    g.Piezas.assign(8, RegistroPieza{});
    for (int p = 1; p <= 7; ++p) {
        auto& r = g.Piezas[std::size_t(p)];
        r.XDestino = std::int16_t(casas[p][0]), r.YDestino = std::int16_t(casas[p][1]);
        r.GiroDestino = std::int16_t(casas[p][2]);
    }
    if (!CalculaGeometriaPuzzle()) state.SkipWithError("no geometry");
    Mide(state);
}

void BM_GradoPentominos(benchmark::State& state) {
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 24;
    g.FilasTablero = 6, g.ColumnasTablero = 10, g.PEN_NumSoluciones = 9356;
    Mide(state);
}

void BM_GradoTaipei(benchmark::State& state) {
    const auto& d = modtai::Disposiciones()[0];
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 25;
    g.TAI_NroNiveles = std::int16_t(modtai::Niveles(d));
    g.AnchoPieza = 50, g.AltoPieza = 67;
    g.FilasTablero = std::int16_t(modtai::Filas(d));
    g.ColumnasTablero = std::int16_t(modtai::Columnas(d));
    for (int f = 0; f < modtai::Filas(d); ++f)
        for (int c = 0; c < modtai::Columnas(d); ++c)
            g.TAI_Tablero[f + 1][c + 1].Altura = std::int16_t(d.filas[std::size_t(f)][std::size_t(c)] - '0');
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{});
    g.OrdenPiezas.assign(145, 0);
    TAI_AsignaPalos();
    plat::randomGenerator().setState(11);
    TAI_Reparte();
    state.SetLabel(d.nombre.toStdString());
    Mide(state);
}

} // namespace

BENCHMARK(BM_GradoPiezasMoviles);
BENCHMARK(BM_GradoDeslizantes);
BENCHMARK(BM_GradoTangram)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GradoPentominos);
BENCHMARK(BM_GradoTaipei)->Unit(benchmark::kMicrosecond);
