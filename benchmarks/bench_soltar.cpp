// Speed of a drop: a large jigsaw piece let go far from its home on a large
// table (attraction test, sound, push-back test, redraw, record, count); a
// Tangram piece let go over another (un-overlap) or near it (gluing); and the
// history line written and read back.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "records/Historico.h"
#include "table/Desolapa.h"
#include "table/Soltar.h"
#include "bench_mesa.h"

#include <benchmark/benchmark.h>

#include <utility>

namespace {

constexpr int kAncho = 2048, kAlto = 1536;

void BM_SueltaPiezaGrande(benchmark::State& state) {
    MesaLisa(kAncho, kAlto, 0xFF306040u);
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

// The seven Tangram pieces on a 1024 x 768 table, turned an eighth and laid
// apart along its bottom, with the square at (400, 300).
void MesaTangram() {
    MesaLisa(1024, 768, 0xFF808080u);
    mesa.Pic_Bitmap.setSize(1024, 768);
    mesa.Pic_Bitmap.setPicture(std::as_const(mesa.Pic_Fondo).image()); // the pieces as grey as the table
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 1;
    g.AtraccionPiezas = true;
    g.AnchoMesa = 1024;
    g.AltoMesa = 768;
    g.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
    g.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
    g.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
    g.NroPiezas = 7;
    g.Piezas.assign(8, RegistroPieza{});
    g.OrdenPiezas = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int i = 1; i <= 7; ++i) {
        auto& r = g.Piezas[std::size_t(i)];
        r.X = r.XDestino = std::int16_t(140 * i - 130);
        r.Y = r.YDestino = 600;
        r.Giro = r.GiroDestino = 1;
    }
    g.Piezas[6].X = 400;
    g.Piezas[6].Y = 300;
    g.Piezas[6].Giro = 0;
}

// One drop of a large triangle: let go at (x, y), from where it was picked up
// (a place it comes back to between drops).
void SueltaTangram(benchmark::State& state, int x, int y, int esperadoX, int esperadoY) {
    MesaTangram();
    auto& g = PuzzGbl;
    g.OrdenPiezas = {0, 1, 2, 3, 4, 5, 6, 7};
    for (auto _ : state) {
        state.PauseTiming();
        g.UltimoMovGrabado = g.MovActual = 0;
        g.PosAnteriorX = g.Piezas[1].X = 10;
        g.PosAnteriorY = g.Piezas[1].Y = 100;
        g.Piezas[1].X = std::int16_t(x);
        g.Piezas[1].Y = std::int16_t(y);
        g.PiezaSeleccionada = 1;
        g.ArrastrandoPieza = true;
        state.ResumeTiming();
        Pic_Trabajo_MouseUp(1, 0, x, y);
    }
    if (g.Piezas[1].X != esperadoX || g.Piezas[1].Y != esperadoY)
        state.SkipWithError("the piece did not land where it should");
}

// Let go over the square's upper half: pushed up out of it.
void BM_SueltaTangramEncima(benchmark::State& state) { SueltaTangram(state, 380, 250, 380, 217); }
BENCHMARK(BM_SueltaTangramEncima)->Unit(benchmark::kMicrosecond);

// Let go 4 pixels from the square: nothing to push out of, glued 3 pixels.
void BM_SueltaTangramCerca(benchmark::State& state) { SueltaTangram(state, 272, 300, 275, 300); }
BENCHMARK(BM_SueltaTangramCerca)->Unit(benchmark::kMicrosecond);

// The geometry alone: the same push out of the square, and the same gluing,
// without the drawing.
void BM_GeometriaTangram(benchmark::State& state) {
    MesaTangram();
    const Poligono cuadrado = PoligonoTangram(6, 400, 300, 0, 0);
    const Poligono encima = PoligonoTangram(1, 380, 250, 1, 0);
    const Poligono cerca = PoligonoTangram(1, 272, 300, 1, 0);
    LimitesMesa limites;
    limites.ancho = 1024;
    limites.alto = 768;
    for (auto _ : state) {
        const auto res = DesolapaPoligono(encima, {380, 250}, 125, 125, {cuadrado}, limites);
        benchmark::DoNotOptimize(res);
        benchmark::DoNotOptimize(PegaPoligono(cerca, {354, 341}, {{cuadrado, {432, 332}}}));
    }
}
BENCHMARK(BM_GeometriaTangram)->Unit(benchmark::kMicrosecond);

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
