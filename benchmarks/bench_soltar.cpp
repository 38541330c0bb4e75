// Speed of a drop: a large jigsaw piece let go far from its home on a large
// table (attraction test, sound, push-back test, redraw, record, count), and
// the history line written and read back.
#include "core/PuzzGbl.h"
#include "core/mesa.h"
#include "records/Historico.h"
#include "table/Soltar.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

constexpr int kAncho = 2048, kAlto = 1536;

void BM_SueltaPiezaGrande(benchmark::State& state) {
    mesa.reset();
    PuzzGbl.reset();
    QImage vacia(kAncho, kAlto, QImage::Format_RGB32);
    vacia.fill(0xFF306040u);
    for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) {
        s->setSize(kAncho, kAlto);
        s->setPicture(vacia);
    }
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.AnchoMesa = kAncho;
    g.AltoMesa = kAlto;
    g.AnchoPieza = g.AltoPieza = 512;
    g.AnchoPiezaBase = g.AltoPiezaBase = 512;
    g.FactorAtraccion = 20;
    mesa.Pic_Bitmap.setSize(1536, 1536);
    g.NroPiezas = 9;
    g.Piezas.assign(10, RegistroPieza{});
    g.OrdenPiezas.assign(10, 0);
    for (int i = 1; i <= 9; ++i) {
        g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
        g.Piezas[std::size_t(i)].XDestino = g.Piezas[std::size_t(i)].YDestino = std::int16_t(i * 100);
    }
    int paso = 0;
    for (auto _ : state) {
        state.PauseTiming();
        g.UltimoMovGrabado = g.MovActual = 0;
        g.PosAnteriorX = g.PosAnteriorY = 1400;
        g.Piezas[1].X = std::int16_t(1000 + (paso % 2));
        g.Piezas[1].Y = 900;
        ++paso;
        g.ArrastrandoPieza = true;
        state.ResumeTiming();
        Pic_Trabajo_MouseUp(1, 0, 1000, 900);
    }
    if (g.UltimoMovGrabado != 1) state.SkipWithError("the drop records no move");
}
BENCHMARK(BM_SueltaPiezaGrande)->Unit(benchmark::kMicrosecond);

void BM_LineaHistorico(benchmark::State& state) {
    PuzzGbl.reset();
    PuzzGbl.TipoJuego = 24;
    PuzzGbl.CarpetaImagen = QStringLiteral("/home/jugador/Imágenes, copia/");
    PuzzGbl.NombreJugador = QStringLiteral("Íñigo");
    PuzzGbl.GradoDificultad = 12.345;
    RegistroHistorico r;
    for (auto _ : state) {
        const QString linea = LineaHistorico(RegistroActual(46000.5));
        benchmark::DoNotOptimize(LeeLineaHistorico(linea, r));
    }
}
BENCHMARK(BM_LineaHistorico)->Unit(benchmark::kMicrosecond);

} // namespace
