// The mask of one jigsaw piece, drawn in black into the cleared mask surface,
// always in rotation 0 (the imaging turns it afterwards).
#include "imaging/PiezasMoviles.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/GeometriaCorte.h"
#include "platform/blit.h"
#include "platform/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

using plat::Surface;

constexpr plat::Color kNegro = 0x000000;

// Which sides of the piece's cell lie on the picture's edge: the margin a
// template leaves there (0 for an inner side).
struct Bordes {
    int izquierda = 0, derecha = 0, arriba = 0, abajo = 0;
};

Bordes BordesDe(const RegistroPieza& p) {
    const auto& g = PuzzGbl;
    Bordes b;
    if (p.XDestino == 0) b.izquierda = g.MargenPiezaX;
    if (p.XDestino + g.AnchoPieza == g.AnchoImagen) b.derecha = g.MargenPiezaX;
    if (p.YDestino == 0) b.arriba = g.MargenPiezaY;
    if (p.YDestino + g.AltoPieza == g.AltoImagen) b.abajo = g.MargenPiezaY;
    return b;
}

// A seed of one of the fills that close a straightened side.
struct Semilla {
    double x, y;
};

// The curved and irregular shapes: the template of the cell's chessboard
// class, without the margin strips on the picture's edge; each side on the
// edge is closed by a straight line along the cell and filled from inside,
// which closes any hollow the template had there.
void MascaraDePlantilla(const RegistroPieza& p) {
    const auto& g = PuzzGbl;
    Surface& m = mesa.Pic_PiezaMascara;
    const int w = g.AnchoPieza, h = g.AltoPieza, mx = g.MargenPiezaX, my = g.MargenPiezaY;
    if (w <= 0 || h <= 0) return;
    const Bordes b = BordesDe(p);
    const int columna = p.XDestino / w, fila = p.YDestino / h;
    const int tx = (columna + fila) % 2 != 0 ? g.AnchoPiezaBase : 0;
    plat::bitBlt(m, b.izquierda, b.arriba, g.AnchoPiezaBase - b.izquierda - b.derecha,
                 g.AltoPiezaBase - b.arriba - b.abajo, mesa.Pic_Temporal, tx + b.izquierda, b.arriba,
                 plat::rop::kSrcCopy);

    const bool curvado = g.FormaPieza == 1;
    const double nx = 0.09 * h * corte::FactorIrregularLateral(w, h); // the knob's centre off the side
    const double ny = 0.09 * w * corte::FactorIrregularHorizontal(w, h);
    auto cierra = [&](double x1, double y1, double x2, double y2, std::initializer_list<Semilla> semillas) {
        m.line(x1, y1, x2, y2);
        for (const Semilla& s : semillas) m.floodFill(plat::cint(s.x), plat::cint(s.y), kNegro);
    };
    // Around the middle of a straightened side of the irregular shape every
    // pixel of the cell is the piece's: the line can cut pockets off the
    // socket there that no seed reaches. The knob's reach, (cx, cy) half
    // rx x ry across, is filled within the cell.
    auto llenaNudo = [&](double cx, double cy, double rx, double ry) {
        const int xa = std::max(mx, int(std::floor(cx - rx))), xb = std::min(mx + w - 1, int(std::ceil(cx + rx)));
        const int ya = std::max(my, int(std::floor(cy - ry))), yb = std::min(my + h - 1, int(std::ceil(cy + ry)));
        for (int y = ya; y <= yb; ++y)
            for (int x = xa; x <= xb; ++x) {
                const double u = (x - cx) / rx, v = (y - cy) / ry;
                if (u * u + v * v <= 1 && m.point(x, y) != kNegro) m.pset(x, y, kNegro);
            }
    };
    const double rl = 0.12 * h + 1.5, rh = 0.12 * w + 1.5;
    const double kl = corte::AspectoLateral(std::nullopt, corte::FactorIrregularLateral(w, h)).value_or(1.0);
    const double kh = corte::AspectoHorizontal(std::nullopt, corte::FactorIrregularHorizontal(w, h)).value_or(1.0);
    // The irregular shape's middle seed sits in the knob: 0.09 of the side
    // away from the edge line (less where the knobs are pressed).
    if (b.izquierda != 0) {
        if (curvado)
            cierra(mx, my, mx, my + h, {{mx + 1.0, my + 0.5 * h}});
        else
        {
            cierra(mx, my, mx, my + h,
                   {{mx + 1.0, my + 0.22 * h}, {mx + nx, my + 0.5 * h}, {mx + 1.0, my + 0.78 * h}});
            llenaNudo(mx + nx, my + 0.5 * h, rl / kl, rl);
        }
    }
    if (b.derecha != 0) {
        const double x = mx + w - 1;
        if (curvado)
            cierra(x, my, x, my + h, {{mx + w - 2.0, my + 0.5 * h}});
        else
        {
            cierra(x, my, x, my + h,
                   {{mx + w - 2.0, my + 0.22 * h}, {mx + w - nx, my + 0.5 * h}, {mx + w - 2.0, my + 0.78 * h}});
            llenaNudo(mx + w - nx, my + 0.5 * h, rl / kl, rl);
        }
    }
    if (b.arriba != 0) {
        if (curvado)
            cierra(mx, my, mx + w, my, {{mx + 0.5 * w, my + 1.0}});
        else
        {
            cierra(mx, my, mx + w, my,
                   {{mx + 0.22 * w, my + 1.0}, {mx + 0.5 * w, my + ny}, {mx + 0.78 * w, my + 1.0}});
            llenaNudo(mx + 0.5 * w, my + ny, rh, rh * kh);
        }
    }
    if (b.abajo != 0) {
        const double y = my + h - 1;
        if (curvado)
            cierra(mx, y, mx + w, y, {{mx + 0.5 * w, my + h - 2.0}});
        else
        {
            cierra(mx, y, mx + w, y,
                   {{mx + 0.22 * w, my + h - 2.0}, {mx + 0.5 * w, my + h - ny}, {mx + 0.78 * w, my + h - 2.0}});
            llenaNudo(mx + 0.5 * w, my + h - ny, rh, rh * kh);
        }
    }
}

// Four triangles per cell, from one side each to a point near the centre;
// the piece number modulo 4 chooses the side: 0 top, 1 right, 2 bottom, 3 left.
void MascaraTriangulo(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    Surface& m = mesa.Pic_PiezaMascara;
    const double w = g.AnchoPieza, h = g.AltoPieza;
    const double cx = (w - 1) / 2;
    struct Triangulo {
        double x1, y1, x2, y2, ax, ay, sx, sy;
    };
    const Triangulo t[4] = {
        {1, 0, w - 2, 0, cx, h / 2 - 2, 0.5 * w, 1},
        {w - 1, 0, w - 1, h - 2, cx, h / 2 - 1, w - 2, 0.5 * h},
        {0, h - 1, w - 1, h - 1, cx, h / 2, 0.5 * w, h - 2},
        {0, 0, 0, h - 2, cx, h / 2 - 1, 1, 0.5 * h},
    };
    const Triangulo& k = t[((pieza % 4) + 4) % 4];
    m.line(k.x1, k.y1, k.x2, k.y2);
    m.lineTo(k.ax, k.ay);
    m.lineTo(k.x1, k.y1);
    m.floodFill(plat::cint(k.sx), plat::cint(k.sy), kNegro);
}

// Two pieces per cell: odd pieces are the figure, even ones the frame around
// it (the figure's exact inverse).
void MascaraFiguraYMarco(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    Surface& m = mesa.Pic_PiezaMascara;
    const int w = g.AnchoPieza, h = g.AltoPieza;
    const double cx = w / 2.0, cy = h / 2.0;
    switch (g.FormaPieza) {
    case 4: m.circle(cx, cy, g.CorteParam1); break;
    case 5: m.box(g.CorteParam3, g.CorteParam4, w - g.CorteParam3 - 1, h - g.CorteParam4 - 1); break;
    case 6:
        m.circle(cx, cy, g.CorteParam1, std::nullopt, std::nullopt, std::nullopt, double(g.CorteProporcion1));
        break;
    default:
        m.circle(cx, cy, g.CorteParam1, std::nullopt, std::nullopt, std::nullopt, double(g.CorteProporcion1));
        m.circle(cx, cy, g.CorteParam2, std::nullopt, std::nullopt, std::nullopt, double(g.CorteProporcion2));
        break;
    }
    if (pieza % 2 == 0) plat::bitBlt(m, 0, 0, m.scaleWidth(), m.scaleHeight(), m, 0, 0, plat::rop::kNotSrcCopy);
}

// Everything a mask depends on besides its class.
struct Corte {
    std::array<std::int32_t, 16> v{};
    std::uint64_t plantillas = 0;
    bool operator==(const Corte&) const = default;
};

Corte CorteActual() {
    const auto& g = PuzzGbl;
    auto bits = [](float f) {
        std::int32_t b = 0;
        std::memcpy(&b, &f, sizeof b);
        return b;
    };
    Corte c;
    c.v = {g.GeneracionMascaras, g.FormaPieza, g.AnchoPieza, g.AltoPieza, g.AnchoPiezaBase, g.AltoPiezaBase,
           g.MargenPiezaX, g.MargenPiezaY, g.AnchoImagen, g.AltoImagen, g.CorteParam1, g.CorteParam2,
           g.CorteParam3, g.CorteParam4, bits(g.CorteProporcion1), bits(g.CorteProporcion2)};
    if (g.FormaPieza == 1 || g.FormaPieza == 2) c.plantillas = mesa.Pic_Temporal.generation();
    return c;
}

// The piece's class within the cut: -1 when its mask is not kept.
int ClaseDe(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    switch (g.FormaPieza) {
    case 0: return 0;
    case 1:
    case 2: {
        const RegistroPieza& p = g.PiezaActual;
        if (g.AnchoPieza <= 0 || g.AltoPieza <= 0) return -1;
        const Bordes b = BordesDe(p);
        const int clase = (p.XDestino / g.AnchoPieza + p.YDestino / g.AltoPieza) % 2 != 0;
        return clase | (b.izquierda != 0) << 1 | (b.derecha != 0) << 2 | (b.arriba != 0) << 3 | (b.abajo != 0) << 4;
    }
    case 3: return ((pieza % 4) + 4) % 4;
    case 4:
    case 5:
    case 6:
    case 7: return pieza % 2 == 0;
    default: return -1;
    }
}

constexpr int kClases = 32, kGiros = 4;

struct Guardadas {
    Corte corte;
    std::array<QImage, kClases * kGiros> mascaras;
};

// Where the mask of the piece's class in that turn is kept; -1 when it is not.
int Indice(std::int16_t pieza, std::int16_t giro) {
    const int clase = ClaseDe(pieza);
    if (clase < 0 || clase >= kClases || giro < 0 || giro >= kGiros) return -1;
    return clase * kGiros + giro;
}

Guardadas& guardadas() {
    static Guardadas g;
    return g;
}

} // namespace

QImage MascaraPuzzleGuardada(std::int16_t pieza, std::int16_t giro) {
    const int i = Indice(pieza, giro);
    Guardadas& m = guardadas();
    if (i < 0 || !(m.corte == CorteActual())) return QImage();
    return m.mascaras[std::size_t(i)];
}

void GuardaMascaraPuzzle(std::int16_t pieza, std::int16_t giro, const QImage& mascara) {
    const int i = Indice(pieza, giro);
    if (i < 0) return;
    Guardadas& m = guardadas();
    const Corte corte = CorteActual();
    if (!(m.corte == corte)) {
        m.corte = corte;
        m.mascaras = {};
    }
    m.mascaras[std::size_t(i)] = mascara;
}

void DibujaMascaraPuzzle(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    switch (g.FormaPieza) {
    case 0: mesa.Pic_PiezaMascara.box(0, 0, g.AnchoPieza - 1, g.AltoPieza - 1); break;
    case 1:
    case 2: MascaraDePlantilla(g.PiezaActual); break;
    case 3: MascaraTriangulo(pieza); break;
    case 4:
    case 5:
    case 6:
    case 7: MascaraFiguraYMarco(pieza); break;
    default: break;
    }
}
