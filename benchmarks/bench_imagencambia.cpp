// Speed of the settings window's redraw after a change of zoom: a 1024 x 768
// JPEG already decoded once, shown at 150 % (1536 x 1152) with its thumbnail,
// size display and relative-size preview, on a 1280 x 1024 table.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "table/mesa.h"
#include "personalise/personal.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <random>

namespace {

void ImagenCambiaJpegZoom150(benchmark::State& state) {
    QTemporaryDir dir;
    const QString carpeta = dir.path() + QStringLiteral("/");
    std::mt19937 rng(7);
    QImage foto(1024, 768, QImage::Format_RGB32);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) foto.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
    foto.save(carpeta + QStringLiteral("foto.jpg"), "JPG", 90);

    mesa.reset();
    PuzzGbl.reset();
    InicializaTablas();
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.AnchoMesa = 1280;
    g.AltoMesa = 1024;
    mesa.Pic_Botonera.move(1280 - 141, 0, 141, 431);
    mesa.Pic_Trabajo.setSize(1280, 1024);
    g.FormaPieza = 0;
    g.PiezasCasilla = 1;
    g.PiezasLado = 8;
    g.ColorFondo = 0x603010;

    Personal& p = CreaVentanaPersonal();
    p.Pic_MostrarImagen.setSize(240, 180);
    p.Pic_InfoTamBmp.setSize(154, 27);
    p.Pic_TamRelIma.setSize(80, 60);
    p.PonCarpetaLista(carpeta);
    p.File1.setListIndex(0); // decoded once, kept
    g.ZoomImagen = 150;
    for (auto _ : state) {
        p.ImagenCambia();
        benchmark::ClobberMemory();
    }
    state.counters["ancho"] = mesa.Pic_FonTamModi.scaleWidth();
    DestruyeVentanaPersonal();
}
BENCHMARK(ImagenCambiaJpegZoom150)->Unit(benchmark::kMillisecond);

} // namespace
