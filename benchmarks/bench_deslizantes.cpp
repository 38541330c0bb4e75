// Solving whole sliding boards by repeated searches, as the automatic solving
// does: random solvable 4 x 4, 6 x 6 and 8 x 8 positions (fixed seed), and an
// unsolvable board of 4 x 4 and of 8 x 8. Per size: median, 95th percentile
// and worst time per board, states per board (mean and worst), the worst
// single search, moves per board and the peak memory of one search.
#include "core/PuzzGbl.h"
#include "model/Deslizantes.h"
#include "model/Partida.h"

#include <benchmark/benchmark.h>


#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

namespace {

constexpr int kCelda = 40, kOrigen = 10;

void Coloca(int n, const std::vector<int>& celdas) {
    auto& g = PuzzGbl;
    g.reset();
    g.TipoJuego = 22;
    g.PiezasLado = std::int16_t(n);
    g.NroPiezas = std::int16_t(n * n - 1);
    g.AnchoPieza = g.AltoPieza = kCelda;
    g.OrigenX = g.OrigenY = kOrigen;
    g.AnchoImagen = g.AltoImagen = std::int16_t(n * kCelda);
    g.Piezas.assign(std::size_t(n * n), RegistroPieza{});
    for (int c = 0; c < n * n; ++c) {
        const auto x = std::int16_t(kOrigen + (c % n) * kCelda), y = std::int16_t(kOrigen + (c / n) * kCelda);
        const int p = celdas[std::size_t(c)];
        if (c + 1 < n * n) {
            g.Piezas[std::size_t(c + 1)].XDestino = x;
            g.Piezas[std::size_t(c + 1)].YDestino = y;
        }
        if (p == 0) {
            g.AgujeroX = x;
            g.AgujeroY = y;
        } else {
            g.Piezas[std::size_t(p)].X = x;
            g.Piezas[std::size_t(p)].Y = y;
        }
    }
}

void Aleatorio(int n, std::mt19937& rng, bool resoluble) {
    std::vector<int> celdas(std::size_t(n * n));
    for (int c = 0; c < n * n; ++c) celdas[std::size_t(c)] = c + 1 == n * n ? 0 : c + 1;
    std::shuffle(celdas.begin(), celdas.end(), rng);
    Coloca(n, celdas);
    if (EsResoluble() != resoluble) {
        auto& g = PuzzGbl;
        std::swap(g.Piezas[1].X, g.Piezas[2].X);
        std::swap(g.Piezas[1].Y, g.Piezas[2].Y);
    }
}

bool Resuelto() {
    const auto& g = PuzzGbl;
    for (int i = 1; i <= g.NroPiezas; ++i)
        if (g.Piezas[std::size_t(i)].X != g.Piezas[std::size_t(i)].XDestino ||
            g.Piezas[std::size_t(i)].Y != g.Piezas[std::size_t(i)].YDestino)
            return false;
    return true;
}

struct Resultado {
    double ms = 0;
    long estados = 0, movimientos = 0;
    int peorLlamada = 0;
    std::size_t memoria = 0;
    bool resuelto = false;
};

Resultado Resuelve() {
    Resultado r;
    auto& g = PuzzGbl;
    const auto t0 = std::chrono::steady_clock::now();
    while (!Resuelto()) {
        ResuelveDeslizantes();
        const auto& e = UltimaBusqueda();
        r.estados += e.estados;
        r.peorLlamada = std::max(r.peorLlamada, e.estados);
        r.memoria = std::max(r.memoria, e.memoria);
        if (g.NumPasosSolucion == 0) break;
        for (int i = g.NumPasosSolucion; i >= 1; --i) {
            auto& p = g.Piezas[std::size_t(g.CaminoSolucion[std::size_t(i)])];
            std::swap(p.X, g.AgujeroX);
            std::swap(p.Y, g.AgujeroY);
            ++r.movimientos;
        }
    }
    r.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    r.resuelto = Resuelto();
    return r;
}

// range(0): the side; range(1): boards; range(2): 1 solvable, 0 not.
void BM_ResuelveTableros(benchmark::State& state) {
    const int n = int(state.range(0)), tableros = int(state.range(1));
    const bool resoluble = state.range(2) != 0;
    std::vector<Resultado> rs;
    for (auto _ : state) {
        rs.clear();
        std::mt19937 rng(20240 + n);
        for (int k = 0; k < tableros; ++k) {
            Aleatorio(n, rng, resoluble);
            rs.push_back(Resuelve());
        }
    }
    std::vector<double> tiempos;
    double estados = 0, movimientos = 0;
    int peorLlamada = 0, sinResolver = 0;
    long peorTablero = 0;
    std::size_t memoria = 0;
    for (const auto& r : rs) {
        tiempos.push_back(r.ms);
        estados += double(r.estados);
        movimientos += double(r.movimientos);
        peorTablero = std::max(peorTablero, r.estados);
        peorLlamada = std::max(peorLlamada, r.peorLlamada);
        memoria = std::max(memoria, r.memoria);
        if (!r.resuelto) ++sinResolver;
    }
    std::sort(tiempos.begin(), tiempos.end());
    state.counters["median_ms"] = tiempos[tiempos.size() / 2];
    state.counters["p95_ms"] = tiempos[std::min(tiempos.size() - 1, tiempos.size() * 95 / 100)];
    state.counters["worst_ms"] = tiempos.back();
    state.counters["states_board"] = estados / double(rs.size());
    state.counters["states_worst_board"] = double(peorTablero);
    state.counters["states_worst_call"] = double(peorLlamada);
    state.counters["moves_board"] = movimientos / double(rs.size());
    state.counters["peak_MB"] = double(memoria) / (1024.0 * 1024.0);
    state.counters["unsolved"] = double(sinResolver);
}
BENCHMARK(BM_ResuelveTableros)
    ->Args({4, 1000, 1})
    ->Args({6, 100, 1})
    ->Args({8, 20, 1})
    ->Args({4, 1, 0})
    ->Args({8, 1, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
