// Reading back the state of a large jigsaw: 15 x 15 cells of four triangles (900 pieces) on a
// 1000 x 750 picture (the smallest cells triangles may have)
// with 9999 recorded moves, parsed, checked and put in force, with the
// picture's zoom and the rebuild of the table.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/EstadoPuzzle.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

QByteArray EstadoGrande() {
    EstadoPartida e;
    e.FicheroImagen = QStringLiteral(" ");
    CabeceraPartida& c = e.c;
    c.NombreJugador = QStringLiteral("MiNombre ");
    c.ColorFondo = 0x800000;
    c.ColorPieza = 0x8000;
    c.NroModelo = 1;
    c.ZoomImagen = 100;
    c.PiezasLado = 15;
    c.FormaPieza = 3;
    c.NroPiezas = 900;
    c.TAN_ModoJuego = 2;
    c.TipoRotulo = 2;
    c.AnchoBmp = 1000;
    c.AltoBmp = 750;
    c.TipoJuego = 21;
    c.FactorAtraccion = 20;
    c.MaterialPiezas = 1;
    c.AnchoMesa = 1024;
    c.AltoMesa = 768;
    c.MovActual = 9999;
    e.Piezas.assign(901, {});
    e.OrdenPiezas.assign(901, 0);
    for (int i = 1; i <= 900; ++i) {
        e.Piezas[i] = {std::int16_t(i % 1000), std::int16_t(i / 3), std::int16_t(i % 4), 0,
                       std::int16_t((i - 1) % 30 * 30), std::int16_t((i - 1) / 30 * 20), 0, 0};
        e.OrdenPiezas[i] = std::int16_t(901 - i);
    }
    e.Movimientos.assign(10000, {});
    for (int j = 1; j <= 9999; ++j)
        e.Movimientos[j] = {std::int16_t(j % 900 + 1), std::int16_t(j % 1000), 40, 1, 0, -40, 700, 2, 0};
    return ComponeArchivoEstado(ComponeLineas(e));
}

// The table of 1024 x 768 the state was saved on.
void PonMesa() {
    PuzzGbl.AnchoMesa = 1024;
    PuzzGbl.AltoMesa = 768;
    mesa.Pic_Botonera.move(1024 - 141, 0, 141, 431);
}

// The state read and checked; nothing when it was refused.
std::optional<EstadoPartida> LeeYValida(const QByteArray& bytes, benchmark::State& state) {
    LecturaPartida r = CargaDatosPuzzle(bytes);
    if (!r.estado || !ValidaEstadoPartida(*r.estado, ContextoActual(21)).isEmpty()) {
        state.SkipWithError("the state was refused");
        return std::nullopt;
    }
    return std::move(*r.estado);
}

void BM_LeeJigsawGrande(benchmark::State& state) {
    PonMesa();
    const QByteArray bytes = EstadoGrande();
    for (auto _ : state) {
        auto estado = LeeYValida(bytes, state);
        if (!estado) break;
        AplicaEstadoPartida(*estado);
        benchmark::DoNotOptimize(PuzzGbl.Piezas.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * bytes.size());
}
BENCHMARK(BM_LeeJigsawGrande)->Unit(benchmark::kMillisecond);

// The reading alone: the file parsed and checked, nothing put in force (the
// commit above also rebuilds the whole table of 900 pieces).
void BM_LeeYValidaJigsawGrande(benchmark::State& state) {
    PonMesa();
    const QByteArray bytes = EstadoGrande();
    for (auto _ : state) {
        auto estado = LeeYValida(bytes, state);
        if (!estado) break;
        benchmark::DoNotOptimize(estado->Piezas.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * bytes.size());
}
BENCHMARK(BM_LeeYValidaJigsawGrande)->Unit(benchmark::kMillisecond);

} // namespace

