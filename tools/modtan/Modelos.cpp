#include "Modelos.h"

#include "core/PuzzGbl.h"
#include "model/Juego.h"
#include "model/Tangram.h"
#include "platform/region.h"
#include "platform/surface.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace modtan {

namespace {

constexpr plat::Color kFondo = 0x000000, kLineas = 0xFFFFFF;

int APixel(double v) { return plat::toPixel(v * kLado); }

void PonDestinos(const Destinos& d) {
    auto& g = PuzzGbl;
    g.Piezas.assign(8, RegistroPieza{});
    for (int p = 1; p <= 7; ++p) {
        RegistroPieza& r = g.Piezas[std::size_t(p)];
        r.XDestino = std::int16_t(d[std::size_t(p)].x);
        r.YDestino = std::int16_t(d[std::size_t(p)].y);
        r.GiroDestino = std::int16_t(d[std::size_t(p)].giro);
        r.VolteoDestino = std::int16_t(d[std::size_t(p)].volteo);
    }
}

// The piece's polygon at its home, on the table.
QPolygon Poligono(const Destinos& d, int p) {
    const auto& g = PuzzGbl;
    const Destino& e = d[std::size_t(p)];
    const auto pieza = std::int16_t(p), giro = std::int16_t(e.giro), volteo = std::int16_t(e.volteo);
    TAN_TamanoPieza(pieza, giro, volteo);
    TAN_CalculaVertices(pieza, giro, volteo);
    QPolygon poly;
    for (int k = 1; k <= (p <= 5 ? 3 : 4); ++k)
        poly << QPoint(e.x + g.TAN_VerticeX[std::size_t(p)][std::size_t(k)],
                       e.y + g.TAN_VerticeY[std::size_t(p)][std::size_t(k)]);
    return poly;
}

int Pixeles(const QRegion& r) {
    int n = 0;
    for (const QRect& rc : r) n += rc.width() * rc.height();
    return n;
}

RegistroMarco Marco(const Destinos& d) {
    PonDestinos(d);
    TAN_CalculaMarcoFigura(2);
    return PuzzGbl.MarcoFigura;
}

// The figure drawn by the program's own drawing of a model.
QImage Dibuja(const Destinos& d) {
    auto& g = PuzzGbl;
    const RegistroMarco m = Marco(d);
    plat::Surface s(QStringLiteral("modelo"), m.Derecha + kOrigen, m.Abajo + kOrigen);
    s.setFillStyle(plat::FillStyle::Solid);
    g.ColorFondo = std::int32_t(kFondo);
    g.ColorLineas = std::int32_t(kLineas);
    TAN_DibujaModelo(s);
    return s.image().copy();
}

bool EsFigura(const QImage& im, int x, int y) { return (im.pixel(x, y) & 0xFFFFFF) == kLineas; }

// The pixels 4-connected to the seed that share its kind (figure or not).
int Inunda(const QImage& im, std::vector<char>& visto, int x0, int y0) {
    const int w = im.width(), h = im.height();
    const bool figura = EsFigura(im, x0, y0);
    std::deque<QPoint> cola{QPoint(x0, y0)};
    visto[std::size_t(y0 * w + x0)] = 1;
    int n = 0;
    while (!cola.empty()) {
        const QPoint q = cola.front();
        cola.pop_front();
        ++n;
        const QPoint vecinos[] = {q + QPoint(1, 0), q - QPoint(1, 0), q + QPoint(0, 1), q - QPoint(0, 1)};
        for (const QPoint& v : vecinos) {
            if (v.x() < 0 || v.y() < 0 || v.x() >= w || v.y() >= h) continue;
            char& marca = visto[std::size_t(v.y() * w + v.x())];
            if (marca || EsFigura(im, v.x(), v.y()) != figura) continue;
            marca = 1;
            cola.push_back(v);
        }
    }
    return n;
}

// How far rounding may have to be undone, in pixels.
constexpr int kHolgura = 2;

plat::Region Zona(const Destinos& d, int p) {
    const QPolygon poly = Poligono(d, p);
    return plat::Region::polygon(std::vector<QPoint>(poly.begin(), poly.end()));
}

bool Solapan(const Destinos& d, int p, int q) { return Zona(d, p).intersects(Zona(d, q)); }

// Moves the figure so that its box starts at the board origin.
void AlOrigen(Destinos& d) {
    const RegistroMarco m = Marco(d);
    for (int p = 1; p <= 7; ++p) {
        d[std::size_t(p)].x += kOrigen - m.Izquierda;
        d[std::size_t(p)].y += kOrigen - m.Arriba;
    }
}

// Pixels of the silhouette's outline: the pairs of a figure pixel and a
// background pixel side by side.
int Perimetro(const Destinos& d) {
    const QImage im = Dibuja(d);
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
            const bool f = EsFigura(im, x, y);
            if (x + 1 < im.width() && EsFigura(im, x + 1, y) != f) ++n;
            if (y + 1 < im.height() && EsFigura(im, x, y + 1) != f) ++n;
        }
    return n;
}

// Rounding leaves steps of a pixel where pieces meet, and now and then a
// crack: one piece, or two together, are moved by a pixel wherever that
// shortens the outline most without making pieces overlap, until no such
// move is left.
void Pule(Destinos& d) {
    std::vector<std::vector<int>> grupos;
    for (int p = 1; p <= 7; ++p) {
        grupos.push_back({p});
        for (int q = p + 1; q <= 7; ++q) grupos.push_back({p, q});
    }
    auto libre = [&](const std::vector<int>& grupo) {
        for (int p : grupo)
            for (int q = 1; q <= 7; ++q)
                if (std::find(grupo.begin(), grupo.end(), q) == grupo.end() && Solapan(d, p, q)) return false;
        return true;
    };
    auto mueve = [&](const std::vector<int>& grupo, int dx, int dy) {
        for (int p : grupo) {
            d[std::size_t(p)].x += dx;
            d[std::size_t(p)].y += dy;
        }
    };
    int actual = Perimetro(d);
    for (int vuelta = 0; vuelta < 20; ++vuelta) {
        const std::vector<int>* mejorGrupo = nullptr;
        int mejorDx = 0, mejorDy = 0, mejor = actual;
        for (const auto& grupo : grupos)
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) {
                    if (dx == 0 && dy == 0) continue;
                    mueve(grupo, dx, dy);
                    if (libre(grupo)) {
                        const int n = Perimetro(d);
                        if (n < mejor) {
                            mejor = n;
                            mejorGrupo = &grupo;
                            mejorDx = dx;
                            mejorDy = dy;
                        }
                    }
                    mueve(grupo, -dx, -dy);
                }
        if (!mejorGrupo) break;
        mueve(*mejorGrupo, mejorDx, mejorDy);
        actual = mejor;
    }
}

} // namespace

void PreparaGeometria() {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 1;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    CalculaGeometriaPuzzle();
}

Destinos Coloca(const Figura& f) {
    Destinos d{};
    std::vector<int> colocadas;
    for (const Colocacion& c : f.piezas) {
        if (c.pieza < 1 || c.pieza > 7) continue;
        Destino& e = d[std::size_t(c.pieza)];
        e = {APixel(c.x) + c.ajusteX, APixel(c.y) + c.ajusteY, c.giro, c.volteo};
        // Rounding may push a piece a pixel into one placed before it: the
        // nearest place that is clear of them all is taken instead.
        const Destino redondeado = e;
        for (int paso = 0; paso <= 2 * kHolgura; ++paso) {
            bool libre = false;
            for (int dx = -kHolgura; dx <= kHolgura && !libre; ++dx)
                for (int dy = -kHolgura; dy <= kHolgura && !libre; ++dy) {
                    if (std::abs(dx) + std::abs(dy) != paso) continue;
                    e.x = redondeado.x + dx;
                    e.y = redondeado.y + dy;
                    libre = std::none_of(colocadas.begin(), colocadas.end(),
                                         [&](int q) { return Solapan(d, c.pieza, q); });
                }
            if (libre) break;
            e = redondeado;
        }
        colocadas.push_back(c.pieza);
    }
    AlOrigen(d);
    Pule(d);
    AlOrigen(d);
    return d;
}

QStringList Problemas(const Destinos& d) {
    QStringList problemas;
    for (int p = 1; p <= 7; ++p) {
        const Destino& e = d[std::size_t(p)];
        if (e.x < 0 || e.x > 9999 || e.y < 0 || e.y > 9999 || e.giro < 0 || e.giro > 7 || e.volteo < 0 ||
            e.volteo > 1)
            problemas << QStringLiteral("piece %1 has a home the record cannot hold").arg(p);
    }
    if (!problemas.isEmpty()) return problemas;

    std::array<plat::Region, 8> zonas;
    for (int p = 1; p <= 7; ++p) zonas[std::size_t(p)] = Zona(d, p);
    for (int p = 1; p <= 7; ++p)
        for (int q = p + 1; q <= 7; ++q) {
            plat::Region comun;
            plat::combine(comun, zonas[std::size_t(p)], zonas[std::size_t(q)], plat::rgn::kAnd);
            if (!comun.isEmpty())
                problemas << QStringLiteral("pieces %1 and %2 share %3 pixels")
                                 .arg(p)
                                 .arg(q)
                                 .arg(Pixeles(comun.qregion()));
        }

    const RegistroMarco m = Marco(d);
    if (m.Izquierda != kOrigen || m.Arriba != kOrigen)
        problemas << QStringLiteral("the figure's box starts at %1, %2").arg(m.Izquierda).arg(m.Arriba);

    const QImage im = Dibuja(d);
    const int w = im.width(), h = im.height();
    std::vector<char> visto(std::size_t(w * h), 0);
    int partes = 0;
    // The background reachable from the edge is outside; what is left of it
    // lies enclosed by the figure.
    Inunda(im, visto, 0, 0);
    int encerrados = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (visto[std::size_t(y * w + x)]) continue;
            const int n = Inunda(im, visto, x, y);
            if (EsFigura(im, x, y)) ++partes;
            else encerrados += n;
        }
    if (partes != 1) problemas << QStringLiteral("the silhouette falls into %1 parts").arg(partes);
    if (encerrados > 0) problemas << QStringLiteral("%1 pixels of background lie enclosed").arg(encerrados);
    for (int n : Grietas(d))
        if (n > kGrietaPermitida) problemas << QStringLiteral("a crack of %1 pixels along a joint").arg(n);
    return problemas;
}

std::vector<int> Grietas(const Destinos& d) {
    const QImage im = Dibuja(d);
    const int w = im.width(), h = im.height();
    std::vector<char> grieta(std::size_t(w * h), 0);
    for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x) {
            if (EsFigura(im, x, y)) continue;
            const bool entreLados = EsFigura(im, x - 1, y) && EsFigura(im, x + 1, y);
            const bool entreFilas = EsFigura(im, x, y - 1) && EsFigura(im, x, y + 1);
            if (entreLados || entreFilas) grieta[std::size_t(y * w + x)] = 1;
        }
    // Runs of them, touching by sides or corners.
    std::vector<int> grupos;
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            if (grieta[std::size_t(y0 * w + x0)] != 1) continue;
            int n = 0;
            std::deque<QPoint> cola{QPoint(x0, y0)};
            grieta[std::size_t(y0 * w + x0)] = 2;
            while (!cola.empty()) {
                const QPoint q = cola.front();
                cola.pop_front();
                ++n;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = q.x() + dx, y = q.y() + dy;
                        if (x < 0 || y < 0 || x >= w || y >= h || grieta[std::size_t(y * w + x)] != 1) continue;
                        grieta[std::size_t(y * w + x)] = 2;
                        cola.push_back(QPoint(x, y));
                    }
            }
            grupos.push_back(n);
        }
    return grupos;
}

QString Registro(const QString& nombre, const Destinos& d) {
    QString r = nombre.trimmed().left(25).leftJustified(25, u' ');
    for (int p = 1; p <= 7; ++p) {
        const Destino& e = d[std::size_t(p)];
        r += QStringLiteral("%1%2%3%4")
                 .arg(e.x, 4, 10, QChar(u'0'))
                 .arg(e.y, 4, 10, QChar(u'0'))
                 .arg(e.giro)
                 .arg(e.volteo);
    }
    r += QString(kLargoRegistroTangram - 2 - r.size(), u'0');
    return r + QStringLiteral("\r\n");
}

QImage Silueta(const Destinos& d) { return Dibuja(d); }

QImage Despiece(const Destinos& d) {
    static const QColor colores[] = {{}, {220, 60, 60}, {240, 140, 40}, {230, 210, 50}, {70, 180, 70},
                                     {60, 170, 200}, {80, 90, 220}, {180, 80, 200}};
    QImage im = Dibuja(d);
    QPainter pintor(&im);
    pintor.setPen(Qt::NoPen);
    for (int p = 1; p <= 7; ++p) {
        pintor.setBrush(colores[p]);
        pintor.drawPolygon(Poligono(d, p));
    }
    return im;
}

} // namespace modtan
