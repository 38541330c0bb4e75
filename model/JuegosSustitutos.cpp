// Stand-ins for the parts of the pentomino game and of the jigsaw and Taipei
// tables that have not landed yet. Each is replaced by its game's own code:
// the pentomino set-up, sizes and homes by the pentomino shapes and
// solutions; the jigsaw and Taipei set-ups by their table set-ups.
#include "core/PuzzGbl.h"
#include "imaging/PreparaMesa.h"
#include "core/Sustitutos.h"
#include "model/Pentominos.h"
#include "model/Sustitutos.h"
#include "platform/errors.h"
#include "platform/numbers.h"

#include <algorithm>

void PreparacionSustituta(const QString& nombre, bool nuevo) {
    AnotaLlamada(nombre + (nuevo ? QStringLiteral(" -1") : QStringLiteral(" 0")));
    PuzzGbl.UltimoMovGrabado = PuzzGbl.MovActual;
}

void PreparaPiezasMoviles(bool nuevo) { PreparacionSustituta(QStringLiteral("PreparaPiezasMoviles"), nuevo); }
void TAI_PreparaMesa(bool nuevo) { PreparacionSustituta(QStringLiteral("TAI_PreparaMesa"), nuevo); }
void PEN_PreparaJuego(bool nuevo) { PreparacionSustituta(QStringLiteral("PEN_PreparaJuego"), nuevo); }

void PEN_TamanoPieza(std::int16_t pieza, std::int16_t giro) {
    if (pieza < 1 || pieza > 12) return;
    const auto& f = PuzzGbl.PEN_TablaPiezas[pieza];
    const bool derecha = giro == 0 || giro == 2;
    const int ancho = derecha ? f.Ancho : f.Alto;
    const int alto = derecha ? f.Alto : f.Ancho;
    try {
        const auto w = plat::toInt16(static_cast<long long>(ancho) * PuzzGbl.LadoCelda + 1);
        const auto h = plat::toInt16(static_cast<long long>(alto) * PuzzGbl.LadoCelda + 1);
        PuzzGbl.AnchoPiezaBase = w;
        PuzzGbl.AltoPiezaBase = h;
    } catch (const plat::RuntimeError&) {
    }
}

void PEN_FijaSolucion() {
    auto& g = PuzzGbl;
    const int s = g.PEN_SolucionActual;
    if (s < 1 || s > g.PEN_NumSoluciones || static_cast<std::size_t>(s) >= g.PEN_Soluciones.size()) return;
    const auto& sol = g.PEN_Soluciones[s];
    const int ultima = std::min<int>(12, int(g.Piezas.size()) - 1);
    for (int p = 1; p <= ultima; ++p) {
        try {
            auto& pz = g.Piezas[p];
            const auto x = plat::toInt16(g.OrigenX + (sol.Columna[p] - 1LL) * g.LadoCelda);
            const auto y = plat::toInt16(g.OrigenY + (sol.Fila[p] - 1LL) * g.LadoCelda);
            pz.XDestino = x;
            pz.YDestino = y;
            pz.GiroDestino = sol.Giro[p];
            pz.VolteoDestino = sol.Volteo[p];
        } catch (const plat::RuntimeError&) {
        }
    }
}
