// The Taipei solver on the real clock over dealt boards of every carried
// layout: fresh deals (144 tiles) and the positions reached by taking pairs
// of the deal's own order until 100, 60, 40 and 20 tiles are left, with the
// positions that failed remembered (and, on request, without). Counters:
// shares solved within 0.1, 1 and 3 s, median, 95th percentile and worst
// time, the worst overrun of the 3-second limit, back-steps (median and
// worst) and the memory the search holds for its failed positions.
// Targets: no call past the limit by more than 10 ms; fresh deals solved
// within 3 s in at least 99% on every layout, median under 100 ms; from the
// positions of the deal's order, within the limit in at least 99%, median
// under 50 ms.
//
// Also the deal built from a removal order (under 100 ms) on every layout and
// on two long rows of stacks of four, and the hint on a full and a half
// cleared board.
//
// TESELARO_BENCH_SEMILLAS sets the number of deals (30 unless given);
// TESELARO_BENCH_SIN_FALLIDAS=1 adds the runs without failed positions.
#include "core/PuzzGbl.h"
#include "model/Barajado.h"
#include "model/Taipei.h"
#include "platform/random.h"
#include "tools/modtai/disposiciones.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

int Semillas() {
    const char* s = std::getenv("TESELARO_BENCH_SEMILLAS");
    const int n = s ? std::atoi(s) : 0;
    return n > 0 ? n : 30;
}

void PonTaipei(const modtai::Disposicion& d) {
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 25;
    g.TAI_NroNiveles = std::int16_t(modtai::Niveles(d));
    g.AnchoPieza = 50;
    g.AltoPieza = 67;
    g.FilasTablero = std::int16_t(modtai::Filas(d));
    g.ColumnasTablero = std::int16_t(modtai::Columnas(d));
    for (int f = 0; f < modtai::Filas(d); ++f)
        for (int c = 0; c < modtai::Columnas(d); ++c)
            g.TAI_Tablero[f + 1][c + 1].Altura = std::int16_t(d.filas[std::size_t(f)][std::size_t(c)] - '0');
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{});
    g.OrdenPiezas.assign(145, 0);
    TAI_AsignaPalos();
}

// Dealt with the seed, with `quedan` tiles left: the deal's pairs from 72 down
// are taken until then.
void Reparte(const modtai::Disposicion& d, std::uint32_t semilla, int quedan) {
    PonTaipei(d);
    plat::randomGenerator().setState(semilla * 2654435761u);
    TAI_Reparte();
    auto& g = PuzzGbl;
    for (int n = 72; n > quedan / 2; --n)
        for (int m = 1; m <= 2; ++m) g.Piezas[std::size_t(g.TAI_Reparto[std::size_t(n)][std::size_t(m)])].Estado = 0;
}

double Cuantil(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(q * double(v.size())))];
}

// Args: layout, tiles left (144, 100, 60, 40 or 20), remembering failed positions (1) or not (0).
void BM_BuscaSolucionTaipei(benchmark::State& state) {
    const auto& d = modtai::Disposiciones()[std::size_t(state.range(0))];
    const int quedan = int(state.range(1));
    const bool recuerda = state.range(2) == 1;
    state.SetLabel(d.nombre.toStdString() + ", " + std::to_string(quedan) + " tiles" +
                   (recuerda ? ", failed positions kept" : ", without"));
    RegistraRelojSolucionTaipei({});
    const int semillas = Semillas();
    std::vector<double> tiempos, retrocesos;
    int en01 = 0, en1 = 0, en3 = 0;
    double exceso = 0, memoria = 0;
    for (auto _ : state) {
        for (int s = 1; s <= semillas; ++s) {
            state.PauseTiming();
            Reparte(d, std::uint32_t(s), quedan);
            state.ResumeTiming();
            const auto t0 = std::chrono::steady_clock::now();
            TAI_BuscaSolucion(recuerda);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            tiempos.push_back(ms);
            retrocesos.push_back(double(UltimaSolucionTaipei().retrocesos));
            memoria = std::max(memoria, double(UltimaSolucionTaipei().bytesFallidas));
            if (UltimaSolucionTaipei().agotado) exceso = std::max(exceso, ms - 3000.0);
            if (PuzzGbl.TAI_SolucionHallada) {
                if (ms <= 100) ++en01;
                if (ms <= 1000) ++en1;
                if (ms <= 3000) ++en3;
            }
        }
    }
    state.counters["solved_0.1s"] = double(en01) / semillas;
    state.counters["solved_1s"] = double(en1) / semillas;
    state.counters["solved_3s"] = double(en3) / semillas;
    state.counters["median_ms"] = Cuantil(tiempos, 0.5);
    state.counters["p95_ms"] = Cuantil(tiempos, 0.95);
    state.counters["worst_ms"] = Cuantil(tiempos, 1.0);
    state.counters["overrun_ms"] = exceso;
    state.counters["median_backsteps"] = Cuantil(retrocesos, 0.5);
    state.counters["worst_backsteps"] = Cuantil(retrocesos, 1.0);
    state.counters["set_MB"] = memoria / (1024.0 * 1024.0);
}
BENCHMARK(BM_BuscaSolucionTaipei)
    ->ArgsProduct({benchmark::CreateDenseRange(0, int(modtai::Disposiciones().size()) - 1, 1),
                   {144, 100, 60, 40, 20},
                   std::getenv("TESELARO_BENCH_SIN_FALLIDAS") ? std::vector<std::int64_t>{1, 0}
                                                              : std::vector<std::int64_t>{1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The deal built from a removal order: every carried layout (args 0..n-1) and
// two long rows of stacks of four (arg n).
void BM_RepartoDesdeOrden(benchmark::State& state) {
    const auto& todas = modtai::Disposiciones();
    const modtai::Disposicion dosFilas{QStringLiteral("dos filas"), {"444444444444444444", "444444444444444444"}};
    const auto& d = std::size_t(state.range(0)) < todas.size() ? todas[std::size_t(state.range(0))] : dosFilas;
    state.SetLabel(d.nombre.toStdString());
    std::vector<double> tiempos;
    int hechos = 0;
    for (auto _ : state) {
        for (int s = 1; s <= Semillas(); ++s) {
            state.PauseTiming();
            PonTaipei(d);
            plat::randomGenerator().setState(std::uint32_t(s) * 40503u);
            state.ResumeTiming();
            const auto t0 = std::chrono::steady_clock::now();
            if (TAI_ReparteDesdeOrden()) ++hechos;
            tiempos.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        }
    }
    state.counters["dealt"] = hechos;
    state.counters["median_ms"] = Cuantil(tiempos, 0.5);
    state.counters["worst_ms"] = Cuantil(tiempos, 1.0);
}
BENCHMARK(BM_RepartoDesdeOrden)
    ->DenseRange(0, int(modtai::Disposiciones().size()), 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The hint on the turtle's full board (arg 0) and with the first half of the
// deal's removal order taken (arg 1).
void BM_BuscaParejaTaipei(benchmark::State& state) {
    Reparte(modtai::Disposiciones()[0], 7, state.range(0) == 1 ? 72 : 144);
    auto& g = PuzzGbl;
    for (auto _ : state) {
        TAI_BuscaPareja();
        benchmark::DoNotOptimize(g.TAI_ParejaSugerida.data());
    }
}
BENCHMARK(BM_BuscaParejaTaipei)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
