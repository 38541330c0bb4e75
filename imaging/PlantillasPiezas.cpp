// The size of a jigsaw piece's picture and the outline templates of the
// curved and irregular shapes: two black silhouettes of a whole piece on
// mesa.Pic_Temporal, side by side, one for each class of a chessboard
// colouring of the cells, so that neighbouring pieces interlock.
#include "imaging/PiezasMoviles.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/GeometriaCorte.h"
#include "imaging/Trazos.h"
#include "platform/blit.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using plat::Surface;
using trazos::Arco;

constexpr plat::Color kNegro = 0x000000, kBlanco = 0xFFFFFF;

// The template surface, sized for two pieces and a spare tenth, blank.
void PreparaSuperficie() {
    const auto& g = PuzzGbl;
    Surface& t = mesa.Pic_Temporal;
    t.setBackColor(kBlanco);
    t.setForeColor(kNegro);
    t.setFillColor(kNegro);
    t.setFillStyle(plat::FillStyle::Solid);
    t.setDrawWidth(1);
    t.setSize(plat::cint(2.1 * g.AnchoPiezaBase), plat::cint(1.1 * g.AltoPiezaBase));
    t.clearPicture();
}

// Fills the silhouette whose cell starts at (ox, oy).
void Rellena(double ox, double oy) {
    const auto& g = PuzzGbl;
    mesa.Pic_Temporal.floodFill(plat::cint(ox + g.AnchoPieza / 2.0), plat::cint(oy + g.AltoPieza / 2.0), kNegro);
}

// Fills a tab's head from its centre as well: where the narrow neck closes
// at pixel level the fill from the cell's centre does not reach it, and a
// white tab would leave a hole in the board (its neighbour's socket stays
// white too). Where the neck is open the seed is already black.
void RellenaNudo(double x, double y) { mesa.Pic_Temporal.floodFill(plat::cint(x), plat::cint(y), kNegro); }

// Curved sides, each one half ellipse from corner to corner. Template 1 has
// its top and bottom curving in and its sides bulging out; template 2 the
// reverse. Two arcs run a little past their corner so that the outline closes.
void PlantillaCurvada(int plantilla, double ox, double oy) {
    const auto& g = PuzzGbl;
    Surface& t = mesa.Pic_Temporal;
    const int ap = g.AnchoPieza, ah = g.AltoPieza;
    const double a = (ap - 1) / 2.0, b = (ah - 1) / 2.0;
    const double p1 = g.CorteProporcion1, p2 = g.CorteProporcion2;
    const bool uno = plantilla == 1;
    Arco(t, ox + a, oy, a, uno ? 180 : 0, uno ? 0 : 180, p1);                  // top
    Arco(t, ox + ap - 1, oy + b, b, uno ? 270 : 79, uno ? 90 : 270, p2);       // right
    Arco(t, ox + a, oy + ah - 1, a, uno ? 0 : 180, uno ? 191 : 0, p1);         // bottom
    Arco(t, ox, oy + b, b, uno ? 90 : 270, uno ? 270 : 90, p2);                // left
    Rellena(ox, oy);
}

// One side of an irregular piece: a shoulder, a knob and a shoulder.
struct Lado {
    double x1, y1, a1, b1; // first shoulder: centre, start, end
    double xk, yk, rk, ak, bk; // knob: centre, radius, start, end
    double x2, y2, a2, b2; // second shoulder
    double radio;          // of both shoulders
    std::optional<double> aspecto, aspectoNudo;
};

void DibujaLado(const Lado& l) {
    Surface& t = mesa.Pic_Temporal;
    Arco(t, l.x1, l.y1, l.radio, l.a1, l.b1, l.aspecto);
    Arco(t, l.xk, l.yk, l.rk, l.ak, l.bk, l.aspectoNudo);
    Arco(t, l.x2, l.y2, l.radio, l.a2, l.b2, l.aspecto);
}

// Template 1 has tabs on top and bottom and sockets left and right, template
// 2 the reverse. The sockets of template 2's top and bottom are a little
// wider than the tabs, and their neck narrows as the puzzle gets more pieces
// per side.
void PlantillaIrregular(int plantilla, double ox, double oy) {
    const auto& g = PuzzGbl;
    Surface& t = mesa.Pic_Temporal;
    const double ap = g.AnchoPieza, ah = g.AltoPieza;
    // The sockets' neck narrows with the pieces per side, within the sizes a
    // puzzle can have: from 28 on it would close to nothing and the fill
    // would flood the surface.
    const int n = std::clamp<int>(g.PiezasLado, 3, 20);
    t.pset(ox, oy);
    t.pset(ox + ap, oy);
    t.pset(ox, oy + ah);
    t.pset(ox + ap, oy + ah);
    const double sh = ap, sv = ah; // the side's length: top and bottom, left and right
    const double rh = 0.22 * sh, rv = 0.22 * sv;
    // The knobs' distance from the side, pressed on a cell far from square.
    const double fh = corte::FactorIrregularHorizontal(g.AnchoPieza, g.AltoPieza);
    const double fv = corte::FactorIrregularLateral(g.AnchoPieza, g.AltoPieza);
    const double dh = 0.09 * sh * fh, dv = 0.09 * sv * fv;
    const auto hh = corte::AspectoHorizontal(0.35, fh), nh = corte::AspectoHorizontal(std::nullopt, fh);
    const auto hv = corte::AspectoLateral(2.85, fv), nv = corte::AspectoLateral(std::nullopt, fv);
    if (plantilla == 1) {
        DibujaLado({ox + 0.22 * sh, oy, 180, 15, ox + 0.5 * sh, oy - dh, 0.115 * sh, 290, 250, ox + 0.78 * sh, oy,
                    165, 0, rh, hh, nh});
        DibujaLado({ox, oy + 0.22 * sv, 90, 350, ox + dv, oy + 0.5 * sv, 0.115 * sv, 230, 130, ox, oy + 0.78 * sv,
                    10, 270, rv, hv, nv});
        DibujaLado({ox + ap, oy + 0.22 * sv, 190, 90, ox + ap - dv, oy + 0.5 * sv, 0.115 * sv, 50, 310, ox + ap,
                    oy + 0.78 * sv, 270, 170, rv, hv, nv});
        DibujaLado({ox + 0.22 * sh, oy + ah, 345, 180, ox + 0.5 * sh, oy + ah + dh, 0.115 * sh, 110, 70,
                    ox + 0.78 * sh, oy + ah, 0, 195, rh, hh, nh});
    } else {
        DibujaLado({ox + 0.22 * sh, oy, 0, 180, ox + 0.5 * sh, oy + dh, 0.12 * sh, 120.0 - n, n + 65.0,
                    ox + 0.78 * sh, oy, 0, 180, rh, hh, nh});
        DibujaLado({ox, oy + 0.22 * sv, 250, 90, ox - dv, oy + 0.5 * sv, 0.115 * sv, 10, 350, ox, oy + 0.78 * sv,
                    270, 110, rv, hv, nv});
        DibujaLado({ox + ap, oy + 0.22 * sv, 90, 290, ox + ap + dv, oy + 0.5 * sv, 0.115 * sv, 190, 170, ox + ap,
                    oy + 0.78 * sv, 70, 270, rv, hv, nv});
        DibujaLado({ox + 0.22 * sh, oy + ah, 180, 0, ox + 0.5 * sh, oy + ah - dh, 0.12 * sh, 300.0 - n, n + 245.0,
                    ox + 0.78 * sh, oy + ah, 180, 0, rh, hh, nh});
    }
    Rellena(ox, oy);
    if (plantilla == 1) {
        RellenaNudo(ox + 0.5 * sh, oy - dh);
        RellenaNudo(ox + 0.5 * sh, oy + ah + dh);
    } else {
        RellenaNudo(ox - dv, oy + 0.5 * sv);
        RellenaNudo(ox + ap + dv, oy + 0.5 * sv);
    }
}

// A tab that the rasterising pushed one pixel past its bitmap: the lower half
// of both templates moves one row up, or the right half of each one column
// left, and the cut lines follow (AjusteCorteX, AjusteCorteY).
void CorrigeCostura() {
    auto& g = PuzzGbl;
    Surface& t = mesa.Pic_Temporal;
    const int ab = g.AnchoPiezaBase, hb = g.AltoPiezaBase;
    const int w = t.scaleWidth(), h = t.scaleHeight();
    g.AjusteCorteX = 0;
    g.AjusteCorteY = 0;
    if (t.point(ab / 2, hb) == kNegro) {
        plat::bitBlt(t, 0, hb / 2, w, hb / 2 + 2, t, 0, hb / 2 + 1, plat::rop::kSrcCopy);
        g.AjusteCorteY = 1;
    }
    if (t.point(2 * ab, hb / 2) == kNegro) {
        const int derecha2 = int(std::floor(1.5 * ab)), derecha1 = int(std::floor(0.5 * ab));
        plat::bitBlt(t, derecha2, 0, ab / 2 + 2, h, t, derecha2 + 1, 0, plat::rop::kSrcCopy);
        plat::bitBlt(t, derecha1, 0, ab / 2 - 1, h, t, derecha1 + 1, 0, plat::rop::kSrcCopy);
        g.AjusteCorteX = 1;
    }
}

// The sockets of template 2's top and bottom are wider than the tabs of
// template 1 that sit in them, and at pixel level any socket may miss its tab
// by a pixel: the board would show a ring of table between two interlocked
// pieces. Every pixel around a socket that neither the socket's piece nor its
// neighbour covers goes to the tab, which grows by the pixel the socket has
// more, so that the pieces at home cover the board; the cut lines keep the
// figures as drawn. The tab, not the socket: a socket on the picture's edge
// stays one hollow for the fill that straightens that side.
void CierraEncajes() {
    const auto& g = PuzzGbl;
    Surface& t = mesa.Pic_Temporal;
    const int ab = g.AnchoPiezaBase, hb = g.AltoPiezaBase, ap = g.AnchoPieza, ah = g.AltoPieza;
    const int mx = g.MargenPiezaX, my = g.MargenPiezaY;
    const double fh = corte::FactorIrregularHorizontal(ap, ah), fv = corte::FactorIrregularLateral(ap, ah);
    // Whether the template whose box starts at x0 covers (x, y) of its box.
    auto cubre = [&](int x0, int x, int y) {
        return x >= 0 && y >= 0 && x < ab && y < hb && (t.point(x0 + x, y) & 0xFFFFFFu) == 0;
    };
    // The socket of the template at x0 centred on (cx, cy) of its box, half
    // rx x ry across; the neighbour's template at xv, whose box is moved by
    // (dx, dy) against this one.
    auto cierra = [&](int x0, double cx, double cy, double rx, double ry, int xv, int dx, int dy) {
        const int xa = std::max(0, int(std::floor(cx - rx))), xb = std::min(ab - 1, int(std::ceil(cx + rx)));
        const int ya = std::max(0, int(std::floor(cy - ry))), yb = std::min(hb - 1, int(std::ceil(cy + ry)));
        for (int y = ya; y <= yb; ++y)
            for (int x = xa; x <= xb; ++x)
                if (!cubre(x0, x, y) && !cubre(xv, x - dx, y - dy)) {
                    const int vx = x - dx, vy = y - dy;
                    if (vx >= 0 && vy >= 0 && vx < ab && vy < hb)
                        t.pset(xv + vx, vy, kNegro);
                    else
                        t.pset(x0 + x, y, kNegro);
                }
    };
    // Template 2: sockets top and bottom, template 1's tabs above and below.
    const double rh = 0.12 * ap + 2, dh = 0.09 * ap * fh, kh = corte::AspectoHorizontal(std::nullopt, fh).value_or(1.0);
    cierra(ab, mx + 0.5 * ap, my + dh, rh, rh * kh, 0, 0, -ah);
    cierra(ab, mx + 0.5 * ap, my + ah - dh, rh, rh * kh, 0, 0, ah);
    // Template 1: sockets left and right, template 2's tabs beside them.
    const double rv = 0.115 * ah + 2, dv = 0.09 * ah * fv, kv = corte::AspectoLateral(std::nullopt, fv).value_or(1.0);
    cierra(0, mx + dv, my + 0.5 * ah, rv / kv, rv, ab, -ap, 0);
    cierra(0, mx + ap - dv, my + 0.5 * ah, rv / kv, rv, ab, ap, 0);
}

} // namespace

void DibujaPlantillasPiezas() {
    auto& g = PuzzGbl;
    const int ap = g.AnchoPieza, ah = g.AltoPieza;
    g.AnchoPiezaBase = g.AnchoPieza;
    g.AltoPiezaBase = g.AltoPieza;
    g.MargenPiezaX = 0;
    g.MargenPiezaY = 0;
    const int forma = g.FormaPieza;
    if (forma != 1 && forma != 2) return;

    // Room for what sticks out of the cell: the side arcs and tabs follow the
    // cell's height, the top and bottom ones its width (and the tabs how much
    // they are pressed towards their side).
    const double alcanceX = forma == 1 ? 0.17 : 0.205 * corte::FactorIrregularLateral(ap, ah);
    const double alcanceY = forma == 1 ? 0.17 : 0.205 * corte::FactorIrregularHorizontal(ap, ah);
    const auto mx = plat::cint16(ah * alcanceX), my = plat::cint16(ap * alcanceY);
    const auto ab = plat::toInt16(ap + 2LL * mx), hb = plat::toInt16(ah + 2LL * my);
    g.MargenPiezaX = mx;
    g.MargenPiezaY = my;
    g.AnchoPiezaBase = ab;
    g.AltoPiezaBase = hb;
    PreparaSuperficie();

    if (forma == 1) {
        g.CorteProporcion1 = float(corte::AspectoCurvadoHorizontal(ap, ah));
        g.CorteProporcion2 = float(corte::AspectoCurvadoLateral(ap, ah));
    }
    const auto plantilla = forma == 1 ? PlantillaCurvada : PlantillaIrregular;
    g.OrigenCeldaX = mx;
    g.OrigenCeldaY = my;
    plantilla(1, g.OrigenCeldaX, g.OrigenCeldaY);
    g.OrigenCeldaX = ab + mx;
    plantilla(2, g.OrigenCeldaX, g.OrigenCeldaY);
    if (forma == 2) {
        CorrigeCostura();
        CierraEncajes();
    }
}
