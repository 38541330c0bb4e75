// The cut lines of the jigsaw over the board picture: for every cell the
// outline of its pieces, drawn twice one pixel apart where two pieces meet,
// so that the lines are the borders the pieces carry.
#include "imaging/PiezasMoviles.h"

#include "core/PuzzGbl.h"
#include "imaging/GeometriaCorte.h"
#include "imaging/Trazos.h"
#include "platform/numbers.h"

#include <cmath>
#include <optional>

namespace {

using plat::Surface;
using trazos::Arco;

// A cell position: beyond 16 bits it is an overflow.
int Pos(long long v) { return plat::toInt16(v); }

void Rectangulos(Surface& s) {
    const auto& g = PuzzGbl;
    const int n = g.PiezasLado, w = g.AnchoPieza, h = g.AltoPieza;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const int x0 = Pos(1LL * c * w), y0 = Pos(1LL * r * h);
            s.box(x0, y0, Pos(x0 + w - 1LL), Pos(y0 + h - 1LL));
        }
}

void Marco(Surface& s) {
    const auto& g = PuzzGbl;
    s.box(0, 0, g.AnchoImagen - 1, g.AltoImagen - 1);
}

void Curvados(Surface& s) {
    auto& g = PuzzGbl;
    const int n = g.PiezasLado, w = g.AnchoPieza, h = g.AltoPieza;
    Marco(s);
    g.CorteProporcion1 = float(corte::AspectoCurvadoHorizontal(w, h));
    g.CorteProporcion2 = float(corte::AspectoCurvadoLateral(w, h));
    const double p1 = g.CorteProporcion1, p2 = g.CorteProporcion2;
    const double a = (w - 1) * 0.5, b = (h - 1) * 0.5;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            g.ContadorX = std::int16_t(c);
            g.ContadorY = std::int16_t(r);
            g.OrigenCeldaX = Pos(1LL * c * w);
            g.OrigenCeldaY = Pos(1LL * r * h);
            const double x0 = g.OrigenCeldaX, y0 = g.OrigenCeldaY;
            const bool par = (c + r) % 2 == 0;
            // Even cells: top and bottom curve in, the sides bulge out; odd cells the reverse.
            if (r > 0) Arco(s, x0 + a, y0, a, par ? 180 : 0, par ? 0 : 180, p1);
            if (c < n - 1) Arco(s, x0 + w - 1, y0 + b, b, par ? 270 : 90, par ? 90 : 270, p2);
            if (r < n - 1) Arco(s, x0 + a, y0 + h - 1, a, par ? 0 : 180, par ? 180 : 0, p1);
            if (c > 0) Arco(s, x0, y0 + b, b, par ? 90 : 270, par ? 270 : 90, p2);
        }
}

void Irregulares(Surface& s) {
    auto& g = PuzzGbl;
    const int n = g.PiezasLado, w = g.AnchoPieza, h = g.AltoPieza;
    Marco(s);
    const double fh = corte::FactorIrregularHorizontal(w, h), fv = corte::FactorIrregularLateral(w, h);
    const auto hombroH = corte::AspectoHorizontal(0.35, fh), cabezaH = corte::AspectoHorizontal(std::nullopt, fh);
    const auto hombroV = corte::AspectoLateral(2.85, fv), cabezaV = corte::AspectoLateral(std::nullopt, fv);
    // Horizontal edges: shoulder, tab head, shoulder; the tab alternates
    // along the edge and from one edge to the next.
    for (int r = 1; r < n; ++r) {
        g.ContadorY = std::int16_t(r);
        const double y0 = Pos(1LL * r * h);
        int sg = r % 2 == 0 ? 1 : -1;
        for (int c = 0; c < n; ++c) {
            g.ContadorX = std::int16_t(c);
            const double x0 = Pos(1LL * c * w);
            for (int doble = 0; doble <= 1; ++doble) {
                const double y = y0 - doble;
                Arco(s, x0 + 0.22 * w, y, 0.22 * w, 90 + 89 * sg, 270 + 89 * sg, hombroH);
                Arco(s, x0 + 0.5 * w, y - 0.09 * w * fh * sg, 0.115 * w, 210 + 90 * sg, 150 + 95 * sg, cabezaH);
                Arco(s, x0 + 0.78 * w - g.AjusteCorteX, y, 0.22 * w, 90 + 89 * sg, 270 + 89 * sg, hombroH);
            }
            sg = -sg;
        }
    }
    // Vertical edges: the same figures, sized by the cell's height.
    for (int c = 1; c < n; ++c) {
        g.ContadorX = std::int16_t(c);
        const double x0 = Pos(1LL * c * w);
        int sg = c % 2 == 0 ? 1 : -1;
        for (int r = 0; r < n; ++r) {
            g.ContadorY = std::int16_t(r);
            const double y0 = Pos(1LL * r * h);
            for (int doble = 0; doble <= 1; ++doble) {
                const double x = x0 - doble;
                Arco(s, x, y0 + 0.22 * h, 0.22 * h, 180 - 90 * sg, 180 + 90 * sg, hombroV);
                Arco(s, x + 0.09 * h * fv * sg, y0 + 0.5 * h, 0.115 * h, 130 + 90 * sg, 240 - 90 * sg, cabezaV);
                Arco(s, x, y0 + 0.78 * h - g.AjusteCorteY, 0.22 * h, 180 - 90 * sg, 180 + 90 * sg, hombroV);
            }
            sg = -sg;
        }
    }
}

void Triangulos(Surface& s) {
    const auto& g = PuzzGbl;
    const int n = g.PiezasLado, w = g.AnchoPieza, h = g.AltoPieza;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const int x0 = Pos(1LL * c * w), y0 = Pos(1LL * r * h);
            const int x1 = Pos(x0 + w - 1LL), y1 = Pos(y0 + h - 1LL);
            s.box(x0, y0, x1, y1);
            // The falling diagonal doubled to the right, the rising one up and left.
            s.line(x0, y0, x1, y1);
            s.line(x0 + 1, y0, Pos(x0 + w), y1);
            s.line(x1, y0, x0, y1);
            s.line(x1 - 1, y0, x0, y1 - 1);
        }
}

// The figure in the middle of every cell and its outline one pixel further out.
template <class Figura>
void FiguraEnCelda(Surface& s, Figura figura) {
    auto& g = PuzzGbl;
    const int n = g.PiezasLado, w = g.AnchoPieza, h = g.AltoPieza;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            g.ContadorX = std::int16_t(c);
            g.ContadorY = std::int16_t(r);
            g.OrigenCeldaX = Pos(1LL * c * w);
            g.OrigenCeldaY = Pos(1LL * r * h);
            const int x0 = g.OrigenCeldaX, y0 = g.OrigenCeldaY;
            s.box(x0, y0, Pos(x0 + w - 1LL), Pos(y0 + h - 1LL));
            const double cx = x0 + w / 2.0, cy = y0 + h / 2.0;
            figura(x0, y0, cx, cy, 0);
            figura(x0, y0, cx, cy, 1);
        }
}

} // namespace

void DibujaCortesPiezas(plat::Surface& s) {
    auto& g = PuzzGbl;
    const int w = g.AnchoPieza, h = g.AltoPieza;
    switch (g.FormaPieza) {
    case 0: Rectangulos(s); break;
    case 1: Curvados(s); break;
    case 2: Irregulares(s); break;
    case 3: Triangulos(s); break;
    case 4:
        g.CorteParam1 = std::int16_t(std::floor(w < h ? 0.35 * w : 0.35 * h));
        FiguraEnCelda(s, [&](int, int, double cx, double cy, int mas) {
            s.circle(cx, cy, g.CorteParam1 + mas);
        });
        break;
    case 5:
        g.CorteParam3 = plat::cint16(0.2 * w);
        g.CorteParam4 = plat::cint16(0.2 * h);
        FiguraEnCelda(s, [&](int x0, int y0, double, double, int mas) {
            s.box(x0 + g.CorteParam3 - mas, y0 + g.CorteParam4 - mas, Pos(x0 + w - g.CorteParam3 - 1LL + mas),
                  Pos(y0 + h - g.CorteParam4 - 1LL + mas));
        });
        break;
    case 6:
        if (w < h) {
            g.CorteParam1 = plat::cint16(0.35 * h);
            g.CorteProporcion1 = float(g.CorteParam1 / (0.35 * w));
        } else {
            g.CorteParam1 = plat::cint16(0.35 * w);
            g.CorteProporcion1 = float(0.35 * h / g.CorteParam1);
        }
        FiguraEnCelda(s, [&](int, int, double cx, double cy, int mas) {
            s.circle(cx, cy, g.CorteParam1 + mas, std::nullopt, std::nullopt, std::nullopt,
                     double(g.CorteProporcion1));
        });
        break;
    case 7:
        g.CorteParam1 = plat::cint16(0.35 * h);
        g.CorteParam2 = plat::cint16(0.35 * w);
        g.CorteProporcion1 = float(g.CorteParam1 / (0.5 * g.CorteParam2));
        g.CorteProporcion2 = float(0.5 * g.CorteParam1 / g.CorteParam2);
        FiguraEnCelda(s, [&](int, int, double cx, double cy, int mas) {
            const double p1 = g.CorteProporcion1, p2 = g.CorteProporcion2;
            Arco(s, cx, cy, g.CorteParam1 + mas, 30, 150, p1);
            Arco(s, cx, cy, g.CorteParam1 + mas, 210, 330, p1);
            Arco(s, cx, cy, g.CorteParam2 + mas, 120, 240, p2);
            Arco(s, cx, cy, g.CorteParam2 + mas, 300, 60, p2);
        });
        break;
    default: break;
    }
}
