// The Taipei deal over many seeds per layout (median and worst time per deal,
// and how often an attempt had to start again), and recording a long game.
#include "core/PuzzGbl.h"
#include "model/Barajado.h"
#include "model/Grabadora.h"
#include "platform/random.h"

#include <benchmark/benchmark.h>


#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

using Disposicion = std::vector<std::string>;

const std::vector<Disposicion>& Disposiciones() {
    static const std::vector<Disposicion> d = {
        Disposicion(12, std::string(12, '1')),
        {"1111111111", "1222222221", "1223333221", "1223333221", "1223333221", "1223333221", "1222222221",
         "1111111111"},
        Disposicion(6, "444444"),
        {"444444444444444444", "444444444444444444"},
    };
    return d;
}

void PonTaipei(const Disposicion& d) {
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 25;
    g.TAI_NroNiveles = 5;
    g.AnchoPieza = 46;
    g.AltoPieza = 62;
    g.FilasTablero = std::int16_t(d.size());
    g.ColumnasTablero = std::int16_t(d[0].size());
    for (std::size_t f = 0; f < d.size(); ++f)
        for (std::size_t c = 0; c < d[f].size(); ++c)
            g.TAI_Tablero[f + 1][c + 1].Altura = std::int16_t(d[f][c] - '0');
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{});
    g.OrdenPiezas.assign(145, 0);
    for (int t = 1; t <= 144; ++t) g.Piezas[std::size_t(t)].Id = std::int16_t(((t - 1) / 4 + 1) * 10 + (t - 1) % 4 + 1);
}

// One run deals the layout with 1,000 seeds.
void BM_RepartoTaipei(benchmark::State& state) {
    const Disposicion& d = Disposiciones()[std::size_t(state.range(0))];
    std::vector<double> tiempos;
    long reinicios = 0;
    for (auto _ : state) {
        tiempos.clear();
        reinicios = 0;
        for (std::uint32_t semilla = 1; semilla <= 1000; ++semilla) {
            PonTaipei(d);
            plat::randomGenerator().setState(semilla * 2654435761u);
            const auto t0 = std::chrono::steady_clock::now();
            TAI_Reparte();
            const auto t1 = std::chrono::steady_clock::now();
            tiempos.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            reinicios += UltimoReparto().reinicios;
        }
    }
    std::sort(tiempos.begin(), tiempos.end());
    state.counters["median_ms"] = tiempos[tiempos.size() / 2];
    state.counters["worst_ms"] = tiempos.back();
    state.counters["restarts"] = double(reinicios);
}
BENCHMARK(BM_RepartoTaipei)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GrabaCienMil(benchmark::State& state) {
    auto& g = PuzzGbl;
    for (auto _ : state) {
        g.reset();
        g.TipoJuego = 21;
        for (int i = 1; i <= 100000; ++i) GrabaMovimiento(0, 0, 0, 0, std::int16_t(i & 0x3FFF), 1, 0, 0);
        benchmark::DoNotOptimize(g.MovGrabados.data());
    }
}
BENCHMARK(BM_GrabaCienMil)->Unit(benchmark::kMillisecond);

} // namespace
