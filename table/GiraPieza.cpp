#include "table/GiraPieza.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Pasos.h"
#include "platform/blit.h"
#include "platform/numbers.h"
#include "table/Desolapa.h"
#include "table/Soltar.h"
#include "table/Trabajo.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace juego;

constexpr int kSonidoEnSuSitio = 51, kSonidoFuera = 52;

int redondea(double v) { return int(plat::roundHalfEven(v)); }

bool negro(const plat::Surface& s, double x, double y) { return (s.point(redondea(x), redondea(y)) & 0xFFFFFFu) == 0; }

using Caja = CajaPieza;

// Copies from the back buffer to the table the part the piece covered before
// and covers now, and shows it.
void repintaCajas(const Caja& a, const Caja& b) {
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    plat::bitBlt(mesa.Pic_Trabajo, x0, y0, x1 - x0, y1 - y0, mesa.Pic_Imagen, x0, y0, plat::rop::kSrcCopy);
    mesa.Pic_Trabajo.refresh();
}

// The shift of piece p turned from its present rotation to `nuevo`.
Desplazamiento desplazamiento(std::int16_t p, std::int16_t nuevo) {
    auto& g = PuzzGbl;
    const auto& r = g.Piezas[std::size_t(p)];
    switch (g.TipoJuego) {
    case kPiezasMoviles:
        if (g.FormaPieza == 3) {
            GeneraImagenPieza(p);
            const plat::Surface& m = mesa.Pic_PiezaMascara;
            return DesplazamientoTriangulo(TrianguloDeMascara(m), m.scaleWidth(), m.scaleHeight());
        }
        return DesplazamientoRectangulo(AnchoPiezaGirada(p, r.Giro, r.Volteo), AltoPiezaGirada(p, r.Giro, r.Volteo));
    case kTangram:
        if (p <= 5) return DesplazamientoTangram(g.TAN_AnchoPiezas[std::size_t(p)], nuevo);
        [[fallthrough]];
    case kPentominos: {
        const int w0 = AnchoPiezaGirada(p, r.Giro, r.Volteo), h0 = AltoPiezaGirada(p, r.Giro, r.Volteo);
        const int w1 = AnchoPiezaGirada(p, nuevo, r.Volteo), h1 = AltoPiezaGirada(p, nuevo, r.Volteo);
        return DesplazamientoCentro(w0, h0, w1, h1);
    }
    default: return {};
    }
}

// The end of the puzzle after a turn or a flip, as after a drop; the solver
// ends its own run.
bool resolviendo() { return PuzzGbl.ResolviendoAuto || PuzzGbl.EjecutandoSolucion; }

} // namespace

std::int16_t UltimoGiro(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    switch (g.TipoJuego) {
    case kTangram: return 7;
    case kPentominos:
        if (pieza >= 1 && std::size_t(pieza) < g.PEN_TablaPiezas.size())
            return std::int16_t(std::max(0, g.PEN_TablaPiezas[std::size_t(pieza)].Rotaciones - 1));
        return 0;
    default: return 3;
    }
}

std::int16_t SiguienteGiro(std::int16_t giro, std::int16_t ultimo) {
    if (giro < 0 || giro >= ultimo) return 0;
    return std::int16_t(giro + 1);
}

Desplazamiento DesplazamientoRectangulo(int w, int h) {
    const int dx = redondea((w - h) / 2.0);
    return {dx, -dx};
}

int TrianguloDeMascara(const plat::Surface& m) {
    const double w = m.scaleWidth(), h = m.scaleHeight();
    int t = 1;
    if (negro(m, 0.75 * w, 0.5 * h)) t = 2;
    if (negro(m, 0.5 * w, 0.75 * h)) t = 3;
    if (negro(m, 0.25 * w, 0.5 * h)) t = 4;
    return t;
}

Desplazamiento DesplazamientoTriangulo(int t, int w, int h) {
    static constexpr double fx[4] = {-0.25, 0.25, 0.25, -0.25};
    static constexpr double fy[4] = {-0.25, -0.25, 0.25, 0.25};
    if (t < 1 || t > 4) return {};
    const double lado = (t == 1 || t == 3) ? h : w;
    return {redondea(lado * fx[t - 1]), redondea(lado * fy[t - 1])};
}

Desplazamiento DesplazamientoTangram(int lado, int nuevoGiro) {
    static constexpr double a[8] = {-0.4, 0, 0.4, -0.4, 0, 0.4, -0.1, 0.1};
    static constexpr double b[8] = {-0.1, 0.1, -0.4, 0, 0.4, -0.4, 0, 0.4};
    if (nuevoGiro < 0 || nuevoGiro > 7) return {};
    return {redondea(lado * a[nuevoGiro]), redondea(lado * b[nuevoGiro])};
}

Desplazamiento DesplazamientoCentro(int w0, int h0, int w1, int h1) {
    return {redondea((w0 - w1) / 2.0), redondea((h0 - h1) / 2.0)};
}

std::int16_t GiroParalelogramoVolteado(std::int16_t giro) {
    switch (giro) {
    case 1:
    case 5: return 3;
    case 3:
    case 7: return 1;
    default: return giro;
    }
}

void GiraPieza() {
    auto& g = PuzzGbl;
    const std::int16_t p = g.PiezaSeleccionada;
    if (!pasos::PiezaValida(p)) return;
    PasaAlFrente(PosicionEnOrden(p));
    const Caja antes = CajaDePieza(p);
    BorraPiezaDeImagen(p);
    g.ArrastrandoPieza = false;
    auto& r = g.Piezas[std::size_t(p)];
    const std::int16_t nuevo = SiguienteGiro(r.Giro, UltimoGiro(p));
    const Desplazamiento d = desplazamiento(p, nuevo);
    r.X = plat::toInt16((long long)r.X + d.dx);
    r.Y = plat::toInt16((long long)r.Y + d.dy);
    r.Giro = nuevo;
    // The solver's single press brings the piece straight to its home rotation.
    if (g.ResolviendoAuto || g.GiroSimulado) r.Giro = r.GiroDestino;
    GeneraImagenPieza(p);
    DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
    repintaCajas(antes, CajaDePieza(p));
    if (g.TipoJuego == kTangram) pasos::Paso(TAN_DesolapaPieza);
    ActualizaInfoPiezas();
    // The solver keeps the chronometer paused while it works.
    if (!resolviendo()) MarchaCronometro(1);
}

void VoltearPieza() {
    auto& g = PuzzGbl;
    const std::int16_t p = g.PiezaSeleccionada;
    if (!pasos::PiezaValida(p)) return;
    // The move is recorded for the front piece: the turned one comes first.
    PasaAlFrente(PosicionEnOrden(p));
    auto& r = g.Piezas[std::size_t(p)];
    g.PosAnteriorX = r.X;
    g.PosAnteriorY = r.Y;
    const std::int16_t giroAntes = r.Giro, volteoAntes = r.Volteo;
    const Caja antes = CajaDePieza(p);
    BorraPiezaDeImagen(p);
    r.Volteo = std::int16_t(1 - std::abs(int(r.Volteo)));
    if (g.TipoJuego == kTangram && p == 7) r.Giro = GiroParalelogramoVolteado(r.Giro);
    GeneraImagenPieza(p);
    DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
    repintaCajas(antes, CajaDePieza(p));
    if (g.TipoJuego == kTangram) pasos::Paso(TAN_DesolapaPieza);
    Sonido(0, PiezaBienColocada(p) ? kSonidoEnSuSitio : kSonidoFuera);
    ActualizaInfoPiezas();
    GrabaMovimiento(g.PosAnteriorX, g.PosAnteriorY, giroAntes, volteoAntes, r.X, r.Y, r.Giro, r.Volteo);
    if (!resolviendo()) pasos::Paso([] { CuentaYTerminaPuzzle(); });
}
