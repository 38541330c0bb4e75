#include "model/Juego.h"
#include "core/Configuracion.h"

#include "core/PuzzGbl.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PreparaMesa.h"
#include "model/Deslizantes.h"
#include "model/LimitesMascara.h"
#include "model/Pasos.h"
#include "model/Pentominos.h"
#include "model/Tangram.h"
#include "platform/numbers.h"

#include <algorithm>

using pasos::Paso;
using pasos::PiezaValida;

namespace {

using namespace juego;

constexpr plat::Color kBlanco = 0xFFFFFF;

// The stored solution that the placement matches best: each solution's
// Coincidencias is brought up to date, and when the current one matches fewer
// pieces than the best, the best (the highest number among equal counts)
// becomes current and gives the pieces their homes.
void BuscaMejorSolucion() {
    auto& g = PuzzGbl;
    const int soluciones = std::min<int>(g.PEN_NumSoluciones, int(g.PEN_Soluciones.size()) - 1);
    const int piezas = std::min({int(g.NroPiezas), int(g.Piezas.size()) - 1, 12});
    const int lado = g.LadoCelda;
    int mejor = 0, mejorCuenta = -1;
    for (int s = 1; s <= soluciones; ++s) {
        auto& sol = g.PEN_Soluciones[s];
        int cuenta = 0;
        for (int i = 1; i <= piezas; ++i) {
            const auto& p = g.Piezas[i];
            if (p.Giro == sol.Giro[i] && p.X == (sol.Columna[i] - 1) * lado + g.OrigenX &&
                p.Y == (sol.Fila[i] - 1) * lado + g.OrigenY && p.Volteo == sol.Volteo[i])
                ++cuenta;
        }
        sol.Coincidencias = std::int16_t(cuenta);
        if (cuenta >= mejorCuenta) {
            mejorCuenta = cuenta;
            mejor = s;
        }
    }
    // Without a current solution among all those counted there is nothing
    // to switch from: the homes stay.
    const int actual = g.PEN_SolucionActual;
    if (mejor == 0 || soluciones < g.PEN_NumSoluciones || actual < 1 || actual > soluciones) return;
    if (g.PEN_Soluciones[actual].Coincidencias < mejorCuenta) {
        g.PEN_SolucionActual = std::int16_t(mejor);
        PEN_FijaSolucion();
    }
}

void CuentaPiezasColocadas() {
    auto& g = PuzzGbl;
    const int ultima = std::min<int>(g.NroPiezas, int(g.Piezas.size()) - 1);
    int cuenta = 0;
    for (int i = 1; i <= ultima; ++i)
        if (PiezaBienColocada(std::int16_t(i))) ++cuenta;
    g.NroPiezasColocadas = std::int16_t(cuenta);
}

void MuestraContador() {
    const auto& g = PuzzGbl;
    if (g.TipoJuego == kTangram && g.TAN_ModoJuego == 1) return;
    double a = g.NroPiezasColocadas, b = g.NroPiezas;
    if (g.TipoJuego == kTaipei) {
        a /= 2;
        b /= 2;
    }
    const QString patron = QStringLiteral("##0");
    DibujaVisor(mesa.Pic_InfoColo, plat::format(a, patron) + QStringLiteral(" / ") + plat::format(b, patron), 1);
    // Shown at once, as the board it counts: the count of the puzzle before
    // must not stay in sight while the handler that dealt goes on.
    mesa.Pic_InfoColo.refresh();
}

} // namespace

void PreparaJuego(bool nuevo) {
    // A new deal is play in this game: a state kept for it gives way.
    if (nuevo) JuegoEmpezado();
    // A new puzzle: nothing is pointed at and no piece's mask is kept.
    PuzzGbl.PiezaSeleccionada = 0;
    // The right/wrong display belonged to the puzzle that goes.
    PuzzGbl.MostrarBienoMal = false;
    PuzzGbl.PiezaAnterior = 0;
    PuzzGbl.GiroAnterior = 0;
    ++PuzzGbl.GeneracionMascaras;
    Paso([] { CalculaGeometriaPuzzle(); });
    PuzzGbl.EstadoListaMov = 2;
    Paso([nuevo] {
        switch (PuzzGbl.TipoJuego) {
        case kPiezasMoviles: PreparaPiezasMoviles(nuevo); break;
        case kDeslizantes: PreparaDeslizantes(nuevo); break;
        case kTangram: TAN_PreparaJuego(nuevo); break;
        case kPentominos: PEN_PreparaJuego(nuevo); break;
        case kTaipei: TAI_PreparaMesa(nuevo); break;
        default: break;
        }
    });
}

bool OrientacionCorrecta(std::int16_t pieza) {
    if (!PiezaValida(pieza)) return false;
    const auto& p = PuzzGbl.Piezas[pieza];
    switch (PuzzGbl.TipoJuego) {
    case kPiezasMoviles: return p.Giro == p.GiroDestino;
    case kDeslizantes: return true;
    case kTangram:
        if (pieza <= 5) return p.Giro == p.GiroDestino;
        if (pieza == 6) return p.Giro % 2 == p.GiroDestino % 2;
        if (pieza == 7) return p.Giro % 4 == p.GiroDestino % 4 && p.Volteo == p.VolteoDestino;
        return false;
    case kPentominos: return p.Giro == p.GiroDestino && p.Volteo == p.VolteoDestino;
    default: return false;
    }
}

bool PiezaBienColocada(std::int16_t pieza) {
    if (!PiezaValida(pieza)) return false;
    const auto& p = PuzzGbl.Piezas[pieza];
    if (PuzzGbl.TipoJuego == kTaipei) return p.Estado == 0;
    return OrientacionCorrecta(pieza) && p.X == p.XDestino && p.Y == p.YDestino;
}

std::int16_t AnchoPiezaGirada(std::int16_t pieza, std::int16_t giro, std::int16_t volteo) {
    if (!PiezaValida(pieza)) return 0;
    auto& g = PuzzGbl;
    switch (g.TipoJuego) {
    case kPiezasMoviles: return (giro == 0 || giro == 2) ? g.AnchoPiezaBase : g.AltoPiezaBase;
    case kDeslizantes: return g.AnchoPiezaBase;
    case kTangram: TAN_TamanoPieza(pieza, giro, volteo); return g.AnchoPiezaBase;
    case kPentominos: PEN_TamanoPieza(pieza, giro); return g.AnchoPiezaBase;
    case kTaipei: return g.AnchoPieza;
    default: return 0;
    }
}

std::int16_t AltoPiezaGirada(std::int16_t pieza, std::int16_t giro, std::int16_t volteo) {
    if (!PiezaValida(pieza)) return 0;
    auto& g = PuzzGbl;
    switch (g.TipoJuego) {
    case kPiezasMoviles: return (giro == 0 || giro == 2) ? g.AltoPiezaBase : g.AnchoPiezaBase;
    case kDeslizantes: return g.AltoPiezaBase;
    case kTangram: TAN_TamanoPieza(pieza, giro, volteo); return g.AltoPiezaBase;
    case kPentominos: PEN_TamanoPieza(pieza, giro); return g.AltoPiezaBase;
    case kTaipei: return g.AltoPieza;
    default: return 0;
    }
}

void AjustaLimitesMascara(const plat::Surface& mascara) {
    const int w = mascara.scaleWidth(), h = mascara.scaleHeight();
    if (w < 3 || h < 3) return;
    bool arriba = false, abajo = false, izquierda = false, derecha = false;
    for (int x = 0; x < w; ++x) {
        arriba = arriba || mascara.point(x, 1) != kBlanco;
        abajo = abajo || mascara.point(x, h - 2) != kBlanco;
    }
    for (int y = 0; y < h; ++y) {
        izquierda = izquierda || mascara.point(1, y) != kBlanco;
        derecha = derecha || mascara.point(w - 2, y) != kBlanco;
    }
    auto& g = PuzzGbl;
    if (arriba && abajo) {
        g.MascaraAncho = plat::clng(g.MascaraAncho / 2.0);
        if (derecha) g.MascaraPosX += g.MascaraAncho;
    }
    if (izquierda && derecha) {
        g.MascaraAlto = plat::clng(g.MascaraAlto / 2.0);
        if (abajo) g.MascaraPosY += g.MascaraAlto;
    }
}

void CalculaLimitesMascara(std::int16_t pieza) {
    if (!PiezaValida(pieza)) return;
    auto& g = PuzzGbl;
    Paso([&] {
        const auto& p = g.Piezas[pieza];
        g.MascaraPosX = p.X;
        g.MascaraPosY = p.Y;
        g.MascaraAlto = AltoPiezaGirada(pieza, p.Giro, 0);
        g.MascaraAncho = AnchoPiezaGirada(pieza, p.Giro, 0);
    });
    Paso([&] { GeneraImagenPieza(pieza); });
    Paso([] { AjustaLimitesMascara(mesa.Pic_PiezaMascara); });
}

void CogePieza(std::int16_t x, std::int16_t y, std::int16_t pieza) {
    if (!PiezaValida(pieza)) return;
    auto& g = PuzzGbl;
    Paso([&] { g.PiezaActual = g.Piezas[pieza]; });
    Paso([&] { GeneraImagenPieza(pieza); });
    // Onto the visible table, shown at once: the piece stays in sight while
    // the back buffer under it is restored.
    Paso([&] {
        DibujaPiezaEnImagen(mesa.Pic_Trabajo, pieza);
        mesa.Pic_Trabajo.refresh();
    });
    Paso([&] { BorraPiezaDeImagen(pieza); });
    // Erasing images the pieces it redraws; the lifted one is needed again.
    Paso([&] { GeneraImagenPieza(pieza); });
    g.TrabajoNuevoX = x;
    g.TrabajoNuevoY = y;
    g.ArrastrandoPieza = true;
}

void ActualizaInfoPiezas() {
    // The pentomino homes follow the best-matching stored solution first, so
    // that the count and the counter are made against the homes in force.
    if (PuzzGbl.TipoJuego == kPentominos) Paso(BuscaMejorSolucion);
    Paso(CuentaPiezasColocadas);
    Paso(MuestraContador);
}
