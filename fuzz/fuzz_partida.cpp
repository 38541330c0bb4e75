// libFuzzer target over the road of a saved puzzle: the bytes are a ".puz"
// file of the "Archivo" folder, loaded as the load window loads it (read
// bounded, checked against the model files on disk, then the puzzle rebuilt
// on the table, its picture read from the path of line 4). Whatever the bytes,
// nothing may crash or hang.
#include "core/Configuracion.h"
#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "fuzz/Partidas.h"
#include "model/EstadoPuzzle.h"
#include "platform/files.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir* g_carpeta = nullptr;
PuzzGblData* g_inicial = nullptr;

} // namespace

// The font library keeps its caches for the whole run.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QGuiApplication app(*argc, *argv);
    g_carpeta = new QTemporaryDir;
    if (!g_carpeta->isValid()) std::abort();
    const QString carpeta = plat::asFolder(g_carpeta->path());
    FijaTamanoPantalla(QSize(800, 600));
    InicializaTablas();
    PreparaMesaDePrueba();
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta;
    g.RutaArchivo = carpeta + QStringLiteral("Archivo/");
    g.RutaImagenes = carpeta + QStringLiteral("Imagenes/");
    plat::createFolder(g.RutaArchivo);
    plat::createFolder(g.RutaImagenes);
    // The models the seeds were written for.
    EscribeModelosDePrueba(g.RutaArchivo);
    g.TipoJuego = 22;
    RegistraPresentadorMensaje([](const QString&, const QString&) { PuzzGbl.RespuestaMensaje = false; });
    InstalaEstadoPuzzle();
    g_inicial = new PuzzGblData(PuzzGbl);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PuzzGbl = *g_inicial;
    const QString ruta = PuzzGbl.RutaArchivo + QStringLiteral("partida.puz");
    // Written plainly: the program's own durable write would slow every run.
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    f.close();
    LeePuzzleJuego(ruta);
    return 0;
}
