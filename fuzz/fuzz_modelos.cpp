// libFuzzer target over the readers of the model files: the Tangram figures
// ("ModTan.mlp"), the pentomino boards ("ModPen.mlp") with their solutions
// ("SolPen.mlp"), the Taipei layouts ("ModTai.mlp"), the lists of models and
// the words that say what is wrong with a model.
//
// The first byte chooses the file, the second the model number, the rest is
// the file as it lies in the "Archivo" folder. For the solutions, the first
// record of the rest is the board file and what follows it the solutions of
// board 1. Whatever the bytes, nothing may crash, and what a reader calls
// playable must fit the board.
#include "core/PuzzGbl.h"
#include "model/Modelos.h"
#include "model/Pentominos.h"
#include "model/TaipeiModelo.h"
#include "model/Tangram.h"
#include "platform/files.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir* g_carpeta = nullptr;

void Falla(const char* que, int valor) {
    std::fprintf(stderr, "%s: %d\n", que, valor);
    std::abort();
}

QString Carpeta() { return plat::asFolder(g_carpeta->path()); }

// Written plainly: the program's own durable write would slow every run.
void Escribe(const QString& nombre, const QByteArray& bytes) {
    QFile f(Carpeta() + nombre);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) std::abort();
}

void Limpia() {
    for (const QString& n : {kArchivoModelosTangram, kArchivoModelosPentominos, kArchivoModelosTaipei,
                             kArchivoSolucionesPentominos})
        QFile::remove(Carpeta() + n);
}

void Tangram(std::int16_t nro) {
    PuzzGbl.NroModelo = nro;
    const std::size_t antes = PuzzGbl.Piezas.size();
    QString motivo;
    // A figure read gives the seven pieces their homes; one not read says why
    // and leaves either the empty model (an empty slot) or the pieces as they were
    // (a refused record).
    if (TAN_LeeModelo(&motivo)) {
        if (PuzzGbl.Piezas.size() != 8) Falla("Tangram pieces", int(PuzzGbl.Piezas.size()));
    } else {
        if (motivo.isEmpty()) Falla("a figure not read without a reason", nro);
        if (PuzzGbl.Piezas.size() != 8 && PuzzGbl.Piezas.size() != antes)
            Falla("Tangram pieces", int(PuzzGbl.Piezas.size()));
    }
    PuzzGbl.TipoJuego = 23;
    (void)LeeListaModelos();
}

void Pentominos(std::int16_t nro) {
    if (PEN_LeeModelo(nro)) {
        const auto& g = PuzzGbl;
        if (g.FilasTablero < 1 || g.FilasTablero > 16) Falla("board rows", g.FilasTablero);
        if (g.ColumnasTablero < 1 || g.ColumnasTablero > 22) Falla("board columns", g.ColumnasTablero);
        if (g.PEN_NumSoluciones < 1 || std::size_t(g.PEN_NumSoluciones) + 1 != g.PEN_Soluciones.size())
            Falla("solutions", g.PEN_NumSoluciones);
        for (std::size_t s = 1; s < g.PEN_Soluciones.size(); ++s)
            for (std::size_t p = 1; p <= 12; ++p) {
                const auto& sol = g.PEN_Soluciones[s];
                if (sol.Fila[p] < 1 || sol.Fila[p] > 16 || sol.Columna[p] < 1 || sol.Columna[p] > 22 ||
                    sol.Giro[p] < 0 || sol.Giro[p] > 3 || sol.Volteo[p] < 0 || sol.Volteo[p] > 1)
                    Falla("solution field", int(s));
            }
        if (!DiagnosticoModelo(24, nro).isEmpty()) Falla("a playable board is said to be wrong", nro);
    } else if (DiagnosticoModelo(24, nro).isEmpty()) {
        Falla("an unplayable board has nothing wrong", nro);
    }
    PuzzGbl.TipoJuego = 24;
    (void)LeeListaModelos();
}

void Taipei(std::int16_t nro) {
    if (TAI_CargaModelo(nro)) {
        const auto& g = PuzzGbl;
        if (g.FilasTablero < 1 || g.FilasTablero > 16 || g.ColumnasTablero < 1 || g.ColumnasTablero > 22 ||
            g.TAI_NroNiveles < 1 || g.TAI_NroNiveles > 5)
            Falla("layout sizes", g.FilasTablero);
        if (!DiagnosticoModelo(25, nro).isEmpty()) Falla("a playable layout is said to be wrong", nro);
    } else if (DiagnosticoModelo(25, nro).isEmpty()) {
        Falla("an unplayable layout has nothing wrong", nro);
    }
    PuzzGbl.TipoJuego = 25;
    (void)LeeListaModelos();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_carpeta = new QTemporaryDir;
    if (!g_carpeta->isValid()) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int que = data[0] % 4;
    // Numbers from -8 up, so that 0, negative ones and those past the end come.
    const auto nro = std::int16_t(int(data[1]) - 8);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    PuzzGbl.reset();
    PuzzGbl.RutaArchivo = Carpeta();
    Limpia();
    switch (que) {
    case 0:
        Escribe(kArchivoModelosTangram, bytes);
        Tangram(nro);
        break;
    case 1:
        Escribe(kArchivoModelosPentominos, bytes);
        Pentominos(nro);
        break;
    case 2:
        Escribe(kArchivoModelosTaipei, bytes);
        Taipei(nro);
        break;
    default:
        Escribe(kArchivoModelosPentominos, bytes.left(kLargoRegistroPentominos));
        Escribe(kArchivoSolucionesPentominos, bytes.mid(kLargoRegistroPentominos));
        Pentominos(1);
        break;
    }
    return 0;
}
