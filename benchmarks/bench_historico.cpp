// One solved puzzle added to a long history: 100,000 records already in
// "Tesel34.his" (about 15 MB), then the record of the puzzle on the table
// appended as a confirmed end of puzzle does. The old records are neither read
// nor written, so the time does not grow with the history.
#include "core/PuzzGbl.h"
#include "platform/files.h"
#include "records/Historico.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void PuzzleResuelto() {
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.ArchivoImagen = QStringLiteral("paisaje.jpg");
    g.CarpetaImagen = QStringLiteral("/home/jugador/Imágenes/");
    g.NombreJugador = QStringLiteral("MiNombre ");
    g.AnchoBmp = 800, g.AltoBmp = 600, g.ZoomImagen = 100, g.AnchoImagen = 800, g.AltoImagen = 600;
    g.PiezasLado = 5, g.PiezasCasilla = 1, g.FormaPieza = 2, g.NroPiezas = 25, g.AnchoPieza = 160;
    g.AltoPieza = 120, g.GradoDificultad = 49.8207, g.SegundosCronometro = 3725, g.FactorAtraccion = 20;
}

// state.range(0) records already in the file.
void BM_AnadeAlHistorico(benchmark::State& state) {
    QTemporaryDir carpeta;
    PuzzGbl.reset();
    PuzzGbl.RutaPrograma = plat::asFolder(carpeta.path());
    PuzzleResuelto();
    const QString linea = LineaHistorico(RegistroActual(46000.5));
    QByteArray todo;
    const QByteArray una = plat::toCp1252(linea) + "\r\n";
    todo.reserve(una.size() * state.range(0));
    for (int i = 0; i < state.range(0); ++i) todo += una;
    plat::writeFile(RutaHistorico(), todo);
    for (auto _ : state) {
        const bool ok = ActualizaHistorico(46000.5);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["bytes"] = double(QFileInfo(RutaHistorico()).size());
}
// The history of a new player beside a long one: the same time.
BENCHMARK(BM_AnadeAlHistorico)->Arg(1)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
