// The Taipei solver over dealt boards of every carried layout, full and with
// half of the deal's pairs taken (fixed seeds: how many are solved, back-steps
// and time per deal, median and worst), and the hint on a full board and on a
// board half cleared.
//
// The solver's clock here counts its readings, 10 us each: a search gives up
// after about 300,000 back-steps whatever the machine, so which deals are
// solved does not change from run to run; the times are real. (On the real
// clock the 3 seconds allow some millions of back-steps.)
#include "core/PuzzGbl.h"
#include "model/Barajado.h"
#include "model/Taipei.h"
#include "platform/random.h"
#include "tools/modtai/disposiciones.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr int kSemillas = 10;

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

// Dealt with the seed; with mitad, the last 36 pairs of the deal are taken.
void Reparte(const modtai::Disposicion& d, std::uint32_t semilla, bool mitad = false) {
    PonTaipei(d);
    plat::randomGenerator().setState(semilla * 2654435761u);
    TAI_Reparte();
    auto& g = PuzzGbl;
    if (mitad)
        for (int n = 72; n > 36; --n)
            for (int m = 1; m <= 2; ++m)
                g.Piezas[std::size_t(g.TAI_Reparto[std::size_t(n)][std::size_t(m)])].Estado = 0;
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
double Peor(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

// One run solves the layout (arg 0) dealt with kSemillas seeds, full (arg 1
// is 0) or half cleared (1).
void BM_BuscaSolucionTaipei(benchmark::State& state) {
    const auto& d = modtai::Disposiciones()[std::size_t(state.range(0))];
    const bool mitad = state.range(1) == 1;
    state.SetLabel(d.nombre.toStdString() + (mitad ? " half cleared" : " full"));
    double lecturas = 0;
    RegistraRelojSolucionTaipei([&lecturas] { return (lecturas += 1) / 100000.0; });
    std::vector<double> tiempos, retrocesos;
    int resueltos = 0;
    for (auto _ : state) {
        tiempos.clear();
        retrocesos.clear();
        resueltos = 0;
        for (std::uint32_t semilla = 1; semilla <= kSemillas; ++semilla) {
            state.PauseTiming();
            Reparte(d, semilla, mitad);
            state.ResumeTiming();
            const auto t0 = std::chrono::steady_clock::now();
            TAI_BuscaSolucion();
            const auto t1 = std::chrono::steady_clock::now();
            tiempos.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            retrocesos.push_back(UltimaSolucionTaipei().retrocesos);
            if (PuzzGbl.TAI_SolucionHallada) ++resueltos;
        }
    }
    RegistraRelojSolucionTaipei({});
    state.counters["solved"] = resueltos;
    state.counters["deals"] = kSemillas;
    state.counters["median_ms"] = Mediana(tiempos);
    state.counters["worst_ms"] = Peor(tiempos);
    state.counters["median_backsteps"] = Mediana(retrocesos);
    state.counters["worst_backsteps"] = Peor(retrocesos);
}
BENCHMARK(BM_BuscaSolucionTaipei)
    ->ArgsProduct({benchmark::CreateDenseRange(0, int(modtai::Disposiciones().size()) - 1, 1), {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The hint on the turtle's full board (arg 0) and with the first half of the
// deal's removal order taken (arg 1).
void BM_BuscaParejaTaipei(benchmark::State& state) {
    Reparte(modtai::Disposiciones()[0], 7, state.range(0) == 1);
    auto& g = PuzzGbl;
    for (auto _ : state) {
        TAI_BuscaPareja();
        benchmark::DoNotOptimize(g.TAI_ParejaSugerida.data());
    }
}
BENCHMARK(BM_BuscaParejaTaipei)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
