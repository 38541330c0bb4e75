#include "table/Soltar.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "imaging/Dibujo.h"
#include "model/Juego.h"
#include "platform/numbers.h"
#include "records/Historico.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kPentominos = 24;
constexpr int kTangram = 23;
constexpr int kModoDiseno = 1;

int margen(int factor, int lado) {
    return static_cast<int>(std::floor(((100 - factor) / 2.0) * (lado / 100.0)));
}

} // namespace

bool CajasSeAtraen(int x, int y, int xDestino, int yDestino, int w, int h, int factor) {
    const int mx = margen(factor, w);
    const int my = margen(factor, h);
    const int izquierda = std::max(x, xDestino) + mx;
    const int derecha = std::min(x, xDestino) + w - mx;
    const int arriba = std::max(y, yDestino) + my;
    const int abajo = std::min(y, yDestino) + h - my;
    return izquierda < derecha && arriba < abajo;
}

std::optional<CeldaRejilla> AjusteRejilla(int x, int y, int wCeldas, int hCeldas, int lado, int origenX, int origenY,
                                          int filas, int columnas) {
    const double tolerancia = plat::roundHalfEven(lado * 0.35);
    std::optional<int> fila, columna;
    for (int r = 1; r <= filas && !fila; ++r)
        if (std::abs(origenY + (r - 1) * lado - y) < tolerancia && r + hCeldas - 1 <= filas) fila = r;
    for (int c = 1; c <= columnas && !columna; ++c)
        if (std::abs(origenX + (c - 1) * lado - x) < tolerancia && c + wCeldas - 1 <= columnas) columna = c;
    if (!fila || !columna) return std::nullopt;
    return CeldaRejilla{origenX + (*columna - 1) * lado, origenY + (*fila - 1) * lado};
}

Posicion EmpujaDentro(int x, int y, int w, int h, int mx, int my, const ZonaVisible& z) {
    double abajo = plat::roundHalfEven(z.barraHorArriba);
    double derecha = plat::roundHalfEven(z.barraVerIzquierda);
    // The command panel lies beside the piece (compared as the runtime's
    // single-precision values).
    if (static_cast<float>(z.botoneraAlto + z.valorVer) > static_cast<float>(y + h / 2.0)) derecha = z.botoneraIzquierda;
    if (z.sugerenciasVisibles && z.sugerenciaAncho + z.valorHor > x) abajo = z.sugerenciaArriba;
    double nx = x, ny = y;
    if (ny - my + h / 2.0 < z.valorVer) ny = z.valorVer + my - h / 2.0;
    if (ny + h / 2.0 - my > abajo + z.valorVer) ny = abajo + z.valorVer - h / 2.0 + my;
    if (nx - mx + w / 2.0 < z.valorHor) nx = z.valorHor + mx - w / 2.0;
    if (nx + w / 2.0 - mx > derecha + z.valorHor) nx = derecha + z.valorHor - w / 2.0 + mx;
    return {plat::cint16(nx), plat::cint16(ny)};
}

bool CuentaYTerminaPuzzle() {
    auto& g = PuzzGbl;
    const std::int16_t solucion = g.PEN_SolucionActual;
    ActualizaInfoPiezas();
    // The count was taken against the solution in force when it started; when
    // the board now follows another one, count against that one.
    if (g.TipoJuego == kPentominos && g.PEN_SolucionActual != solucion) ActualizaInfoPiezas();
    if (g.NroPiezasColocadas != g.NroPiezas || g.NroPiezas <= 0 || g.ColocacionManual) return false;
    // Designing a figure leaves every target at 0: nothing to solve.
    if (g.TipoJuego == kTangram && g.TAN_ModoJuego == kModoDiseno) return false;
    MarchaCronometro(2);
    Retardo(500);
    MuestraModelo();
    Sonido(1, 14);
    Mensaje(QStringLiteral("TESELARO"), QStringLiteral("Ha conseguido resolver el puzzle"), 1, 1);
    if (g.PasaAlHistorico) {
        Mensaje(QStringLiteral("Histórico de puzzles resueltos"),
                QStringLiteral("¿Se actualiza el Histórico de puzzles?"), 1, 2, 2161);
        if (g.RespuestaMensaje) ActualizaHistorico();
    }
    g.PasaAlHistorico = false;
    return true;
}
