#include "model/Tangram.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "platform/numbers.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kCuadrado = 6;

bool EsPieza(int p) { return p >= 1 && p <= 7; }

int NroVertices(int p) { return p <= 5 ? 3 : 4; }

// Half of a size with the fraction dropped.
int Mitad(int v) { return v / 2; }

struct Caja {
    int w = 0, h = 0;
};

// The piece's box in that orientation; nothing for a piece outside 1..7 or a
// size that 16 bits cannot hold.
std::optional<Caja> CajaPieza(int p, int giro, int volteo) {
    if (!EsPieza(p)) return std::nullopt;
    const auto& g = PuzzGbl;
    Caja c{g.TAN_AnchoPiezas[std::size_t(p)], g.TAN_AltoPiezas[std::size_t(p)]};
    const int lado = g.TAN_LadoPiezas[std::size_t(p)];
    if (p <= 5) {
        if (giro == 0 || giro == 4) {
            c.w = lado;
            c.h = Mitad(c.w) + 1;
        } else if (giro == 2 || giro == 6) {
            c.h = lado;
            c.w = Mitad(c.h) + 1;
        }
    } else if (p == kCuadrado) {
        if (giro % 2 != 0) c.w = c.h = lado;
    } else {
        const bool r15 = giro == 1 || giro == 5, r37 = giro == 3 || giro == 7;
        if (giro == 2 || giro == 6) {
            c.w = g.TAN_AltoPiezas[7];
            c.h = g.TAN_AnchoPiezas[7];
        } else if ((volteo == 0 && r37) || (volteo == 1 && r15)) {
            c.w = 2 * lado;
            c.h = lado;
        } else if ((volteo == 0 && r15) || (volteo == 1 && r37)) {
            c.w = lado;
            c.h = 2 * lado;
        }
    }
    if (!plat::fitsInt16(c.w) || !plat::fitsInt16(c.h)) return std::nullopt;
    return c;
}

using Fila = std::array<std::array<int, 2>, 5>; // vertices 1..4 as (x, y)

// The vertices of the piece for its box W x H, or nothing for an orientation
// without a polygon.
std::optional<Fila> VerticesPieza(int p, int giro, int volteo, int W, int H) {
    if (!EsPieza(p)) return std::nullopt;
    const int w1 = W - 1, h1 = H - 1;
    if (p <= 5) {
        switch (giro) {
        case 0: return Fila{{{}, {0, h1}, {Mitad(W), 0}, {w1, h1}, {}}};
        case 1: return Fila{{{}, {0, 0}, {w1, 0}, {w1, h1}, {}}};
        case 2: return Fila{{{}, {0, 0}, {w1, Mitad(H)}, {0, h1}, {}}};
        case 3: return Fila{{{}, {w1, 0}, {w1, h1}, {0, h1}, {}}};
        case 4: return Fila{{{}, {0, 0}, {Mitad(W), h1}, {w1, 0}, {}}};
        case 5: return Fila{{{}, {0, 0}, {w1, h1}, {0, h1}, {}}};
        case 6: return Fila{{{}, {w1, 0}, {0, Mitad(H)}, {w1, h1}, {}}};
        case 7: return Fila{{{}, {0, 0}, {w1, 0}, {0, h1}, {}}};
        default: return std::nullopt;
        }
    }
    if (p == kCuadrado) {
        if (giro % 2 == 0) return Fila{{{}, {0, 0}, {w1, 0}, {w1, h1}, {0, h1}}};
        return Fila{{{}, {Mitad(W), 0}, {w1, Mitad(H)}, {Mitad(W), h1}, {0, Mitad(H)}}};
    }
    // The parallelogram: r and r + 4 give the same polygon.
    if (giro < 0 || giro > 7 || (volteo != 0 && volteo != 1)) return std::nullopt;
    const int r = giro % 4;
    if (volteo == 0) {
        switch (r) {
        case 0: return Fila{{{}, {0, 0}, {W - H, 0}, {w1, h1}, {h1, h1}}};
        case 1: return Fila{{{}, {0, 0}, {w1, Mitad(h1)}, {w1, h1}, {0, Mitad(H)}}};
        case 2: return Fila{{{}, {0, w1}, {w1, 0}, {w1, H - W}, {0, h1}}};
        default: return Fila{{{}, {Mitad(w1), 0}, {w1, 0}, {Mitad(W), h1}, {0, h1}}};
        }
    }
    switch (r) {
    case 0: return Fila{{{}, {h1, 0}, {w1, 0}, {W - H, h1}, {0, h1}}};
    case 1: return Fila{{{}, {0, 0}, {Mitad(W), 0}, {w1, h1}, {Mitad(W) - 1, h1}}};
    case 2: return Fila{{{}, {0, 0}, {w1, w1}, {w1, h1}, {0, H - W}}};
    default: return Fila{{{}, {w1, 0}, {w1, Mitad(H)}, {0, h1}, {0, Mitad(H) - 1}}};
    }
}

// TAN_CalculaVertices, telling whether the row was written.
bool CalculaFila(int p, int giro, int volteo) {
    auto& g = PuzzGbl;
    const auto fila = VerticesPieza(p, giro, volteo, g.AnchoPiezaBase, g.AltoPiezaBase);
    if (!fila) return false;
    for (int k = 1; k <= NroVertices(p); ++k)
        if (!plat::fitsInt16((*fila)[std::size_t(k)][0]) || !plat::fitsInt16((*fila)[std::size_t(k)][1])) return false;
    for (int k = 1; k <= NroVertices(p); ++k) {
        g.TAN_VerticeX[std::size_t(p)][std::size_t(k)] = std::int16_t((*fila)[std::size_t(k)][0]);
        g.TAN_VerticeY[std::size_t(p)][std::size_t(k)] = std::int16_t((*fila)[std::size_t(k)][1]);
    }
    return true;
}

// The outline of piece p at its home, then the fill from its inside point
// bounded by `borde`, in the surface's fore and fill colours. A home whose
// orientation has no polygon is passed over: a fill seeded outside an outline
// would flood the whole surface.
void DibujaEnDestino(plat::Surface& s, int p, plat::Color borde) {
    auto& g = PuzzGbl;
    if (std::size_t(p) >= g.Piezas.size()) return;
    const RegistroPieza& r = g.Piezas[std::size_t(p)];
    const auto pieza = std::int16_t(p);
    TAN_TamanoPieza(pieza, r.GiroDestino, r.VolteoDestino);
    if (!CajaPieza(p, r.GiroDestino, r.VolteoDestino)) return;
    if (!CalculaFila(p, r.GiroDestino, r.VolteoDestino)) return;
    const double x0 = r.XDestino, y0 = r.YDestino;
    const auto& vx = g.TAN_VerticeX[std::size_t(p)];
    const auto& vy = g.TAN_VerticeY[std::size_t(p)];
    s.setCurrent(x0 + vx[1], y0 + vy[1]);
    for (int k = 2; k <= NroVertices(p); ++k) s.lineTo(x0 + vx[std::size_t(k)], y0 + vy[std::size_t(k)]);
    s.lineTo(x0 + vx[1], y0 + vy[1]);
    TAN_PuntoEtiqueta(pieza, r.GiroDestino, r.VolteoDestino);
    s.floodFill(int(x0) + g.TAN_DesplX, int(y0) + g.TAN_DesplY, borde);
}

} // namespace

void TAN_TamanoPieza(std::int16_t pieza, std::int16_t giro, std::int16_t volteo) {
    const auto c = CajaPieza(pieza, giro, volteo);
    if (!c) return;
    PuzzGbl.AnchoPiezaBase = std::int16_t(c->w);
    PuzzGbl.AltoPiezaBase = std::int16_t(c->h);
}

void TAN_CalculaVertices(std::int16_t pieza, std::int16_t giro, std::int16_t volteo) {
    CalculaFila(pieza, giro, volteo);
}

void TAN_PuntoEtiqueta(std::int16_t pieza, std::int16_t giro, std::int16_t volteo) {
    const auto c = CajaPieza(pieza, giro, volteo);
    if (!c) return;
    TAN_TamanoPieza(pieza, giro, volteo);
    const int w = c->w, h = c->h;
    auto cerca = [](double v) { return int(plat::roundHalfEven(v)); };
    int x = 0, y = 0;
    if (pieza <= 5) {
        switch (giro) {
        case 0: x = (w + 1) / 2, y = cerca(0.62 * h); break;
        case 1: x = cerca(0.66 * w), y = cerca(0.33 * h); break;
        case 2: x = cerca(0.38 * w), y = (h + 1) / 2; break;
        case 3: x = cerca(0.66 * w), y = cerca(0.66 * h); break;
        case 4: x = (w + 1) / 2, y = cerca(0.38 * h); break;
        case 5: x = cerca(0.33 * w), y = cerca(0.66 * h); break;
        case 6: x = cerca(0.62 * w), y = (h + 1) / 2; break;
        case 7: x = cerca(0.33 * w), y = cerca(0.33 * h); break;
        default: return;
        }
    } else {
        x = (w + 1) / 2;
        y = (h + 1) / 2;
    }
    PuzzGbl.TAN_DesplX = std::int16_t(x);
    PuzzGbl.TAN_DesplY = std::int16_t(y);
}

void TAN_CalculaMarcoFigura(std::int16_t modo) {
    auto& g = PuzzGbl;
    RegistroMarco m{9999, 9999, 0, 0};
    for (int p = 1; p <= 7 && std::size_t(p) < g.Piezas.size(); ++p) {
        const RegistroPieza& r = g.Piezas[std::size_t(p)];
        const bool actual = modo == 1;
        const int x = actual ? r.X : r.XDestino, y = actual ? r.Y : r.YDestino;
        const int giro = actual ? r.Giro : r.GiroDestino, volteo = actual ? r.Volteo : r.VolteoDestino;
        const auto c = CajaPieza(p, giro, volteo);
        if (!c) continue;
        TAN_TamanoPieza(std::int16_t(p), std::int16_t(giro), std::int16_t(volteo));
        m.Izquierda = std::min(m.Izquierda, x);
        m.Arriba = std::min(m.Arriba, y);
        m.Derecha = std::max(m.Derecha, x + c->w + 1);
        m.Abajo = std::max(m.Abajo, y + c->h + 1);
    }
    g.MarcoFigura = m;
}

void TAN_DibujaModelo(plat::Surface& superficie, std::optional<std::int16_t> pieza) {
    const auto& g = PuzzGbl;
    if (pieza && !EsPieza(*pieza)) return;
    if (!pieza) superficie.setBackColor(plat::Color(g.ColorFondo));
    superficie.setForeColor(plat::Color(g.ColorLineas));
    superficie.setFillColor(plat::Color(g.ColorLineas));
    const int desde = pieza ? *pieza : 1, hasta = pieza ? *pieza : 7;
    for (int p = desde; p <= hasta; ++p) DibujaEnDestino(superficie, p, plat::Color(g.ColorLineas));
}

void TAN_DibujaPieza(std::int16_t pieza) {
    if (!EsPieza(pieza)) return;
    auto& g = PuzzGbl;
    plat::Surface& s = mesa.Pic_Imagen;
    if (std::size_t(pieza) >= g.Piezas.size()) return;
    const RegistroPieza& r = g.Piezas[std::size_t(pieza)];
    const auto caja = CajaPieza(pieza, r.GiroDestino, r.VolteoDestino);
    if (!caja) return;
    const int x0 = r.XDestino, y0 = r.YDestino, w = caja->w, h = caja->h;

    // The piece's outline runs along the edges it shares with its neighbours
    // in the figure: where it takes pixels of another piece's home, those are
    // given back, so exactly this piece leaves the figure.
    int derecha = 1, abajo = 1;
    for (int q = 1; q <= 7 && std::size_t(q) < g.Piezas.size(); ++q) {
        const RegistroPieza& o = g.Piezas[std::size_t(q)];
        if (const auto c = CajaPieza(q, o.GiroDestino, o.VolteoDestino)) {
            derecha = std::max(derecha, o.XDestino + c->w + 1);
            abajo = std::max(abajo, o.YDestino + c->h + 1);
        }
    }
    constexpr plat::Color kNada = 0x000000, kOtra = 0xFFFFFF;
    plat::Surface otras(QStringLiteral("otras"), derecha, abajo);
    otras.setFillStyle(plat::FillStyle::Solid);
    otras.setBackColor(kNada);
    otras.setForeColor(kOtra);
    otras.setFillColor(kOtra);
    for (int q = 1; q <= 7; ++q)
        if (q != pieza) DibujaEnDestino(otras, q, kOtra);
    const QImage antes = s.image().copy(x0, y0, w, h);

    s.setForeColor(plat::Color(g.ColorFondo));
    s.setFillColor(plat::Color(g.ColorFondo));
    DibujaEnDestino(s, pieza, plat::Color(g.ColorFondo));

    QImage& im = s.image();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!im.valid(x0 + x, y0 + y) || otras.point(x0 + x, y0 + y) != kOtra) continue;
            im.setPixel(x0 + x, y0 + y, antes.pixel(x, y));
        }
}
