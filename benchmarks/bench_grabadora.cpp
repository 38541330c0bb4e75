// Speed of the move recorder panel's drawing, which runs after every move:
// the list extended on a 1920 x 1080 table (94 lines) with the authored sheet.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "table/mesa.h"
#include "bench_mesa.h"
#include "resources/resources.h"
#include "table/PanelGrabadora.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kAnchoMesa = 1920, kAltoMesa = 1080;

void Prepara(bool encendida) {
    MesaLisa(kAnchoMesa, kAltoMesa, 0xFF306040u);
    teselaro::initResources();
    mesa.Load();
    RegistraGrabadora();
    auto& g = PuzzGbl;
    g.AnchoMesa = kAnchoMesa;
    g.AltoMesa = kAltoMesa;
    g.TipoJuego = 21;
    g.NroPiezas = 0;
    g.ListaMovimientos = 1;
    g.EstadoListaMov = 3;
    mesa.BarraHor.Move(0, kAltoMesa, 0, 16);
    mesa.BarraVer.Move(kAnchoMesa, 0, 16, 0);
    g.MovGrabados.assign(1101, RegistroMovimiento{});
    for (int i = 1; i <= 1000; ++i)
        g.MovGrabados[std::size_t(i)] = RegistroMovimiento{std::int16_t(i % 500), 0, 0, 0, 0,
                                                           std::int16_t(i), std::int16_t(2 * i), 0, 0};
    g.UltimoMovGrabado = 1000;
    g.MovActual = encendida ? 960 : 1000;
    g.GrabadoraEncendida = encendida;
}

void BM_GrabadoraExtendida(benchmark::State& state) {
    Prepara(state.range(0) != 0);
    DibujaGrabadora();
    if (PuzzGbl.LineasListaMov != 94) state.SkipWithError("the extended list should show 94 lines");
    for (auto _ : state) {
        DibujaGrabadora();
        benchmark::DoNotOptimize(mesa.Pic_Grabadora.image().constBits());
    }
    RegistraDibujoGrabadora(nullptr);
}
BENCHMARK(BM_GrabadoraExtendida)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
