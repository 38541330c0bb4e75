// libFuzzer target over the readers of the settings line and of the
// puzzle-state format. Whatever the bytes, nothing may crash; a settings line
// or a state that is accepted must write and read back to the same value.
#include "core/Configuracion.h"
#include "fuzz/Partidas.h"
#include "model/EstadoPuzzle.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Falla(const char* que) {
    std::fprintf(stderr, "round trip broken: %s\n", que);
    std::abort();
}

void AjustesIdaYVuelta(const QByteArray& bytes) {
    const AjustesGlobales previos{23, true, 70, false, 1};
    const AjustesGlobales a = ValidaAjustes(LeeLineaConfiguracion(LeeLineasEstado(bytes).value(0), previos));
    const QByteArray escrito = ComponeArchivoEstado({ComponeLineaConfiguracion(a)});
    const AjustesGlobales b = ValidaAjustes(LeeLineaConfiguracion(LeeLineasEstado(escrito).value(0), {}));
    if (!(a == b)) Falla("settings line");
}

void EstadoIdaYVuelta(const QByteArray& bytes) {
    LecturaPartida r = CargaDatosPuzzle(bytes);
    if (!r.estado) return;
    const ContextoValidacion ctx = ContextoDePrueba();
    if (!ValidaEstadoPartida(*r.estado, ctx).isEmpty()) return;
    const QByteArray escrito = ComponeArchivoEstado(ComponeLineas(*r.estado));
    LecturaPartida otra = CargaDatosPuzzle(escrito);
    if (!otra.estado) Falla("written state does not parse");
    if (!ValidaEstadoPartida(*otra.estado, ctx).isEmpty()) Falla("written state is refused");
    // A degree to be graded again is written as 0 and read back as one.
    if (r.estado->c.GradoPorCalcular) {
        if (otra.estado->c.GradoDificultad != 0) Falla("a degree to grade was not written as 0");
        r.estado->c.GradoPorCalcular = false;
    }
    if (!(*otra.estado == *r.estado)) {
        // Which line tells the two values apart.
        const QStringList a = ComponeLineas(*r.estado), b = ComponeLineas(*otra.estado);
        for (qsizetype i = 0; i < a.size(); ++i)
            if (a[i] != b[i])
                std::fprintf(stderr, "line %d:\n  %s\n  %s\n", int(i + 1), qPrintable(a[i].left(200)),
                             qPrintable(b[i].left(200)));
        const EstadoPartida &x = *r.estado, &y = *otra.estado;
        std::fprintf(stderr, "header %d pieces %d order %d moves %d layout %d deal %d paths %d grade %.17g %.17g\n",
                     x.c == y.c, x.Piezas == y.Piezas, x.OrdenPiezas == y.OrdenPiezas,
                     x.Movimientos == y.Movimientos, x.Tablero == y.Tablero, x.Reparto == y.Reparto,
                     x.FicheroImagen == y.FicheroImagen && x.UnidadImagen == y.UnidadImagen &&
                         x.CarpetaImagen == y.CarpetaImagen && x.ArchivoImagen == y.ArchivoImagen,
                     x.c.GradoDificultad, y.c.GradoDificultad);
        Falla("state value changed");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PreparaMesaDePrueba();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    AjustesIdaYVuelta(bytes);
    EstadoIdaYVuelta(bytes);
    return 0;
}
