// The pentomino boards we ship: reading the board with the most stored
// solutions (the 6 x 10 rectangle, 9,356 of them) with its solutions, and the
// counter of pieces in place, which matches the placement against every one
// of them after each drop.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "table/mesa.h"
#include "model/Juego.h"
#include "model/Pentominos.h"
#include "platform/files.h"

#include <benchmark/benchmark.h>

namespace {

const QString kArchivo = QStringLiteral(TESELARO_BINARY_DIR "/generated/Archivo/");

// The shipped board with the most solutions, read; false when the files are missing.
bool LeeMayor(std::int16_t& nro) {
    auto& g = PuzzGbl;
    g.RutaArchivo = kArchivo;
    int cuantas = -1;
    const QStringList registros = plat::readRecords(kArchivo + QStringLiteral("ModPen.mlp"), 452);
    for (int n = 1; n <= registros.size(); ++n) {
        const int c = registros[n - 1].mid(29, 4).toInt();
        if (c > cuantas) cuantas = c, nro = std::int16_t(n);
    }
    return cuantas > 0 && PEN_LeeModelo(nro);
}

void BM_LeeModeloMayor(benchmark::State& state) {
    PuzzGbl.reset();
    InicializaTablas(); // the shapes check each stored solution
    std::int16_t nro = 0;
    if (!LeeMayor(nro)) {
        state.SkipWithError("the pentomino files are not built");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(PEN_LeeModelo(nro));
    state.counters["soluciones"] = PuzzGbl.PEN_NumSoluciones;
}
BENCHMARK(BM_LeeModeloMayor)->Unit(benchmark::kMillisecond);

// Half the pieces where the last stored solution has them, the current
// solution the first: every call counts every solution and keeps the homes.
void BM_ActualizaInfoPiezasMayor(benchmark::State& state) {
    auto& g = PuzzGbl;
    g.reset();
    mesa.reset();
    InicializaTablas();
    std::int16_t nro = 0;
    if (!LeeMayor(nro)) {
        state.SkipWithError("the pentomino files are not built");
        return;
    }
    g.TipoJuego = 24;
    g.NroPiezas = 12;
    g.Piezas.assign(13, RegistroPieza{});
    g.OrdenPiezas.assign(13, 0);
    g.LadoCelda = 31;
    g.OrigenX = g.OrigenY = 15;
    const PEN_RegistroSolucion& ultima = g.PEN_Soluciones[std::size_t(g.PEN_NumSoluciones)];
    for (int p = 1; p <= 6; ++p) {
        auto& pz = g.Piezas[std::size_t(p)];
        pz.X = std::int16_t(15 + (ultima.Columna[p] - 1) * 31);
        pz.Y = std::int16_t(15 + (ultima.Fila[p] - 1) * 31);
        pz.Giro = ultima.Giro[p];
        pz.Volteo = ultima.Volteo[p];
    }
    for (auto _ : state) {
        g.PEN_SolucionActual = 1;
        g.PEN_Soluciones[1].Coincidencias = 0;
        ActualizaInfoPiezas();
        benchmark::DoNotOptimize(g.NroPiezasColocadas);
    }
    state.counters["soluciones"] = g.PEN_NumSoluciones;
}
BENCHMARK(BM_ActualizaInfoPiezasMayor)->Unit(benchmark::kMicrosecond);

} // namespace
