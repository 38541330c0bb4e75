// Opening the history over 10,000 records of one game (and 2,000 of others):
// reading the file, keeping the game's records, ordering them, and printing
// the first page on the report surface. Target: under 100 ms in every order.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "platform/files.h"
#include "records/Informe.h"
#include "records/ListaHistorico.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_AbreHistorico(benchmark::State& state) {
    QTemporaryDir dir;
    PuzzGbl.reset();
    InicializaTablas();
    PuzzGbl.RutaPrograma = dir.path() + QLatin1Char('/');
    PuzzGbl.TipoJuego = 21;
    QStringList lineas;
    for (int i = 0; i < 12000; ++i) {
        RegistroHistorico r;
        r.Fecha = QStringLiteral("01/02/2024");
        r.Hora = QStringLiteral("10:00:00");
        r.TipoJuego = i % 6 == 5 ? 25 : 21;
        r.ArchivoImagen = QStringLiteral("Imagen %1.jpg").arg(i % 97);
        r.CarpetaImagen = QStringLiteral("/home/jugador/Imagenes/");
        r.ZoomImagen = 100;
        r.NroPiezas = std::int16_t(16 + i % 200);
        r.GradoDificultad = float(i % 1000) / 10.0f;
        r.SegundosCronometro = i * 37 % 100000;
        r.NombreJugador = QStringLiteral("Jugador%1 ").arg(i % 10).left(9);
        lineas << LineaHistorico(r);
    }
    plat::writeLines(PuzzGbl.RutaPrograma + QStringLiteral("Tesel34.his"), lineas);
    plat::Surface texto(QStringLiteral("Texto"), 398, 500);
    texto.setFont(FuenteInforme());
    const int orden = int(state.range(0));
    for (auto _ : state) {
        ListaHistorico lista;
        CargaHistorico(lista, orden);
        texto.cls();
        const Informe inf = InformeRegistro(lista.Historico[std::size_t(lista.Lis_Ordenar[0])], 0);
        ImprimeInforme(texto, inf);
        benchmark::DoNotOptimize(lista.UltimoHistorico);
    }
}
BENCHMARK(BM_AbreHistorico)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

} // namespace
