// Speed of drawing a Tangram figure: the silhouette of the largest shipped
// figure drawn afresh on a full-screen back buffer, as the set-up and the
// state reader draw it; and one piece taken out of it, as the tutor does.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/Juego.h"
#include "model/RegistrosModelo.h"
#include "model/Tangram.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

namespace {

constexpr int kAnchoMesa = 1920, kAltoMesa = 1080;

// The shipped figure with the largest box, read onto a 1920 x 1080 table.
bool PreparaFiguraMayor() {
    auto& g = PuzzGbl;
    g.reset();
    g.RutaArchivo = QFileInfo(QStringLiteral(TESELARO_MODTAN)).absolutePath() + u'/';
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 2;
    g.AnchoMesa = kAnchoMesa;
    g.AltoMesa = kAltoMesa;
    g.ColorFondo = 0x800000;
    g.ColorLineas = 0xFFFFFF;
    long long mayor = -1;
    std::int16_t elegido = 0;
    for (const ModeloUsable& m : RegistrosModelo(FormatoModelosTangram()).usables()) {
        g.NroModelo = m.registro;
        if (!TAN_LeeModelo() || !CalculaGeometriaPuzzle()) continue;
        TAN_CalculaMarcoFigura(2);
        const auto& b = g.MarcoFigura;
        const long long area = (long long)(b.Derecha - b.Izquierda) * (b.Abajo - b.Arriba);
        if (area > mayor) mayor = area, elegido = m.registro, g.NombreModelo = m.nombre;
    }
    if (elegido == 0) return false;
    g.NroModelo = elegido;
    return TAN_LeeModelo() && CalculaGeometriaPuzzle();
}

void BM_DibujaModeloMayor(benchmark::State& state) {
    if (!PreparaFiguraMayor()) {
        state.SkipWithError("no shipped figure");
        return;
    }
    plat::Surface s(QStringLiteral("Pic_Imagen"), kAnchoMesa, kAltoMesa);
    s.setFillStyle(plat::FillStyle::Solid);
    for (auto _ : state) {
        TAN_DibujaModelo(s);
        benchmark::DoNotOptimize(s.image().constBits());
    }
    state.SetLabel(PuzzGbl.NombreModelo.toStdString());
}
BENCHMARK(BM_DibujaModeloMayor)->Unit(benchmark::kMicrosecond);

void BM_QuitaUnaPieza(benchmark::State& state) {
    if (!PreparaFiguraMayor()) {
        state.SkipWithError("no shipped figure");
        return;
    }
    plat::Surface& s = mesa.Pic_Imagen;
    s.setSize(kAnchoMesa, kAltoMesa);
    s.setFillStyle(plat::FillStyle::Solid);
    TAN_DibujaModelo(s);
    for (auto _ : state) {
        TAN_DibujaPieza(1);
        TAN_DibujaModelo(s, std::int16_t(1));
        benchmark::DoNotOptimize(s.image().constBits());
    }
}
BENCHMARK(BM_QuitaUnaPieza)->Unit(benchmark::kMicrosecond);

} // namespace
