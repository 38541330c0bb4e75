// Sample pictures for the jigsaw and sliding games, drawn from scratch. Each is
// busy and colourful all over, so that every piece cut from it looks different.
// They are written to Imagenes/ as ordinary files (not embedded): the player
// chooses among them like among his own pictures.
#include "draw.h"
#include "registry.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace resgen {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kJpegQuality = 90;

// A wavy horizon: a base height plus a few sines.
struct Ridge {
    double base;
    std::vector<std::array<double, 3>> waves;  // amplitude, wavelength, phase
    double at(double x) const {
        double y = base;
        for (const auto& w : waves) y += w[0] * std::sin(2.0 * kPi * x / w[1] + w[2]);
        return y;
    }
    // The area below the ridge, down to `bottom`.
    QPainterPath below(double width, double bottom) const {
        QPainterPath path(QPointF(0, bottom));
        for (double x = 0; x <= width; x += 4) path.lineTo(x, at(x));
        path.lineTo(width, at(width));
        path.lineTo(width, bottom);
        path.closeSubpath();
        return path;
    }
};

void fillGradient(QPainter& p, const QRectF& r, std::initializer_list<std::pair<double, QColor>> stops) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    for (const auto& [at, colour] : stops) g.setColorAt(at, colour);
    p.fillRect(r, g);
}

void glow(QPainter& p, QPointF centre, double radius, QColor inner) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, inner);
    QColor outer = inner;
    outer.setAlpha(0);
    g.setColorAt(1.0, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

void cloud(QPainter& p, Rng& rng, QPointF at, double size) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        const double dx = rng.uniform(-1.2, 1.2) * size, dy = rng.uniform(-0.3, 0.2) * size;
        const double r = rng.uniform(0.45, 0.8) * size;
        p.setBrush(QColor(215, 222, 235, 200));
        p.drawEllipse(at + QPointF(dx, dy + 0.12 * size), r, r * 0.7);
        p.setBrush(QColor(255, 255, 255, 215));
        p.drawEllipse(at + QPointF(dx, dy), r, r * 0.7);
    }
}

// ---------------------------------------------------------------- landscape

QImage landscape() {
    const int w = 800, h = 600;
    QImage image = opaqueCanvas(w, h, Qt::white);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(1001);
    fillGradient(p, QRectF(0, 0, w, h), {{0.0, QColor(38, 104, 196)}, {0.35, QColor(110, 170, 232)},
                                         {0.55, QColor(190, 215, 240)}, {0.62, QColor(255, 214, 160)}});
    const QPointF sun(0.76 * w, 0.2 * h);
    glow(p, sun, 150, QColor(255, 246, 200, 190));
    QRadialGradient disc(sun, 44);
    disc.setColorAt(0.0, QColor(255, 250, 190));
    disc.setColorAt(1.0, QColor(255, 196, 60));
    p.setBrush(disc);
    p.drawEllipse(sun, 44, 44);
    cloud(p, rng, {130, 90}, 38);
    cloud(p, rng, {360, 60}, 28);
    cloud(p, rng, {500, 160}, 34);
    cloud(p, rng, {700, 310}, 22);

    const Ridge mountains{0.48 * h, {{40, 310, 0.5}, {22, 130, 1.7}, {9, 47, 0.2}}};
    QLinearGradient mg(0, 0.35 * h, 0, 0.6 * h);
    mg.setColorAt(0.0, QColor(110, 120, 170));
    mg.setColorAt(1.0, QColor(170, 180, 210));
    p.setPen(Qt::NoPen);
    p.setBrush(mg);
    p.drawPath(mountains.below(w, h));

    const Ridge hills[3] = {{0.60 * h, {{22, 420, 2.0}, {10, 170, 0.4}}},
                            {0.70 * h, {{28, 520, 4.1}, {12, 210, 1.0}}},
                            {0.83 * h, {{20, 640, 0.9}, {9, 260, 2.6}}}};
    const QColor hillColours[3] = {QColor(126, 184, 92), QColor(88, 156, 64), QColor(62, 128, 46)};
    for (int i = 0; i < 3; ++i) {
        QLinearGradient g(0, hills[i].base - 40, 0, hills[i].base + 160);
        g.setColorAt(0.0, shade(hillColours[i], 0.2));
        g.setColorAt(1.0, shade(hillColours[i], -0.25));
        p.setBrush(g);
        p.drawPath(hills[i].below(w, h));
        // Rows of a field on the middle hill, trees on the far ones.
        if (i == 1) {
            p.save();
            p.setClipPath(hills[1].below(w, h).subtracted(hills[2].below(w, h)));
            p.setPen(QPen(QColor(70, 130, 50, 120), 3));
            for (int k = -20; k < 40; ++k) p.drawLine(QPointF(k * 28, h), QPointF(k * 28 + 260, 0.6 * h));
            p.restore();
            p.setPen(Qt::NoPen);
        }
        if (i < 2) {
            for (int t = 0; t < 11; ++t) {
                const double x = rng.uniform(0, w);
                const double y = hills[i].at(x) + rng.uniform(2, 10);
                const double s = (i == 0 ? 9 : 14) * rng.uniform(0.8, 1.3);
                p.setBrush(QColor(110, 78, 48));
                p.drawRect(QRectF(x - s * 0.15, y - s * 1.2, s * 0.3, s * 1.2));
                p.setBrush(shade(QColor(40, 110, 40), rng.uniform(-0.2, 0.1)));
                p.drawEllipse(QPointF(x, y - s * 1.7), s * 0.9, s);
                p.setBrush(QColor(120, 190, 90, 120));
                p.drawEllipse(QPointF(x - s * 0.3, y - s * 2.0), s * 0.4, s * 0.4);
            }
        }
    }

    // A winding path up to a small house.
    const QPointF door(210, hills[1].at(210));
    QPainterPath track(QPointF(360, h));
    track.cubicTo(QPointF(300, 0.9 * h), QPointF(420, 0.8 * h), door + QPointF(8, 2));
    track.lineTo(door + QPointF(-4, 2));
    track.cubicTo(QPointF(390, 0.8 * h), QPointF(240, 0.9 * h), QPointF(250, h));
    track.closeSubpath();
    p.setBrush(QColor(222, 196, 140));
    p.drawPath(track);
    const QRectF walls(door.x() - 34, door.y() - 46, 68, 48);
    p.setBrush(QColor(240, 228, 200));
    p.setPen(QPen(QColor(120, 90, 60), 1.5));
    p.drawRect(walls);
    p.setBrush(QColor(196, 60, 48));
    p.drawPolygon(QPolygonF({walls.topLeft() + QPointF(-8, 0), QPointF(walls.center().x(), walls.top() - 34),
                             walls.topRight() + QPointF(8, 0)}));
    p.setBrush(QColor(130, 80, 50));
    p.drawRect(QRectF(walls.center().x() - 8, walls.bottom() - 24, 16, 24));
    p.setBrush(QColor(150, 200, 240));
    p.drawRect(QRectF(walls.left() + 7, walls.top() + 10, 14, 12));
    p.drawRect(QRectF(walls.right() - 21, walls.top() + 10, 14, 12));

    // Flowers in the grass of the front hill.
    p.setPen(Qt::NoPen);
    const QColor petals[] = {QColor(230, 60, 60), QColor(250, 220, 60), QColor(250, 250, 250),
                             QColor(170, 90, 210), QColor(250, 140, 40)};
    for (int i = 0; i < 260; ++i) {
        const double x = rng.uniform(0, w);
        const double top = hills[2].at(x);
        const double y = rng.uniform(top + 8, h);
        const double r = 1.5 + 3.5 * (y - top) / (h - top);
        p.setBrush(petals[rng.range(0, 4)]);
        p.drawEllipse(QPointF(x, y), r, r);
    }
    p.end();
    grain(image, 1101);
    return image;
}

// ------------------------------------------------------------------- mosaic

QImage mosaic() {
    const int w = 480, h = 360, side = 40;
    QImage image = opaqueCanvas(w, h, QColor(238, 232, 216));
    QPainter p;
    beginSmooth(p, image);
    Rng rng(2002);
    const QColor palette[] = {QColor(214, 48, 49),  QColor(232, 126, 4),  QColor(241, 196, 15),
                              QColor(39, 174, 96),  QColor(22, 160, 133), QColor(41, 128, 185),
                              QColor(142, 68, 173), QColor(44, 62, 80),   QColor(236, 240, 241)};
    auto pick = [&] { return palette[rng.range(0, 8)]; };
    for (int row = 0; row < h / side; ++row) {
        for (int col = 0; col < w / side; ++col) {
            const QRectF cell(col * side + 2, row * side + 2, side - 4, side - 4);
            QColor base = pick(), accent = pick();
            while (accent == base) accent = pick();
            QPainterPath tile;
            tile.addRoundedRect(cell, 3, 3);
            p.save();
            p.setClipPath(tile);
            QLinearGradient g(cell.topLeft(), cell.bottomRight());
            g.setColorAt(0.0, shade(base, 0.25));
            g.setColorAt(1.0, shade(base, -0.2));
            p.fillRect(cell, g);
            p.setPen(Qt::NoPen);
            p.setBrush(accent);
            const QPointF c = cell.center();
            const double r = cell.width() / 2;
            switch (rng.range(0, 5)) {
            case 0:  // quarter circles in two opposite corners
                p.drawEllipse(cell.topLeft(), r, r);
                p.drawEllipse(cell.bottomRight(), r, r);
                break;
            case 1:  // a diagonal half
                p.drawPolygon(QPolygonF({cell.topLeft(), cell.topRight(), cell.bottomLeft()}));
                break;
            case 2:  // a diamond
                p.drawPolygon(QPolygonF({QPointF(c.x(), cell.top() + 3), QPointF(cell.right() - 3, c.y()),
                                         QPointF(c.x(), cell.bottom() - 3), QPointF(cell.left() + 3, c.y())}));
                break;
            case 3:  // rings
                p.drawEllipse(c, r * 0.85, r * 0.85);
                p.setBrush(shade(base, 0.1));
                p.drawEllipse(c, r * 0.55, r * 0.55);
                p.setBrush(accent);
                p.drawEllipse(c, r * 0.25, r * 0.25);
                break;
            case 4:  // four small squares
                for (int k = 0; k < 4; ++k)
                    p.drawRect(QRectF(cell.left() + 4 + (k % 2) * r, cell.top() + 4 + (k / 2) * r, r - 8, r - 8));
                break;
            default:  // a flower of four petals
                for (int k = 0; k < 4; ++k) {
                    p.save();
                    p.translate(c);
                    p.rotate(45 + 90 * k);
                    p.drawEllipse(QRectF(0, -r * 0.22, r * 0.95, r * 0.44));
                    p.restore();
                }
                p.setBrush(palette[2]);
                p.drawEllipse(c, r * 0.18, r * 0.18);
                break;
            }
            p.restore();
        }
    }
    // A large sun shape over the middle, in glass tones, ties the tiles together.
    const QPointF mid(w / 2.0, h / 2.0);
    for (int ray = 0; ray < 16; ++ray) {
        p.save();
        p.translate(mid);
        p.rotate(ray * 22.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, ray % 2 ? 35 : 60));
        p.drawPolygon(QPolygonF({QPointF(0, -12), QPointF(160, 0), QPointF(0, 12)}));
        p.restore();
    }
    glow(p, mid, 60, QColor(255, 240, 180, 120));
    p.end();
    grain(image, 2102);
    return image;
}

// ---------------------------------------------------------------------- fish

void fish(QPainter& p, QPointF at, double length, bool facingLeft, QColor body, QColor stripes) {
    p.save();
    p.translate(at);
    if (facingLeft) p.scale(-1, 1);
    const double l = length, hgt = length * 0.42;
    p.setPen(QPen(shade(body, -0.5), 1.5));
    // Tail, fins, then the body over them.
    p.setBrush(shade(body, -0.15));
    p.drawPolygon(QPolygonF({QPointF(-l * 0.42, 0), QPointF(-l * 0.72, -hgt * 0.55), QPointF(-l * 0.64, 0),
                             QPointF(-l * 0.72, hgt * 0.55)}));
    p.drawPolygon(QPolygonF({QPointF(-l * 0.1, -hgt * 0.4), QPointF(l * 0.05, -hgt * 0.85),
                             QPointF(l * 0.15, -hgt * 0.35)}));
    QPainterPath shape;
    shape.addEllipse(QPointF(0, 0), l * 0.48, hgt * 0.5);
    QLinearGradient g(0, -hgt / 2, 0, hgt / 2);
    g.setColorAt(0.0, shade(body, 0.3));
    g.setColorAt(1.0, shade(body, -0.2));
    p.setBrush(g);
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(stripes);
    for (int k = 0; k < 3; ++k) p.drawRect(QRectF(-l * 0.28 + k * l * 0.2, -hgt, l * 0.07, 2 * hgt));
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(l * 0.3, -hgt * 0.08), l * 0.06, l * 0.06);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(l * 0.32, -hgt * 0.08), l * 0.03, l * 0.03);
    p.restore();
}

QImage seaFish() {
    const int w = 800, h = 600;
    QImage image = opaqueCanvas(w, h, Qt::blue);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(3003);
    fillGradient(p, QRectF(0, 0, w, h), {{0.0, QColor(120, 214, 236)}, {0.45, QColor(36, 132, 196)},
                                         {1.0, QColor(12, 52, 112)}});
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        const double x = rng.uniform(0, w);
        p.setBrush(QColor(255, 255, 255, 22));
        p.drawPolygon(QPolygonF({QPointF(x - 20, 0), QPointF(x + 30, 0), QPointF(x + 160, h * 0.9),
                                 QPointF(x + 60, h * 0.9)}));
    }
    // The sandy floor with rocks.
    const Ridge floor{0.84 * h, {{14, 330, 1.0}, {6, 120, 2.2}}};
    QLinearGradient sand(0, 0.78 * h, 0, h);
    sand.setColorAt(0.0, QColor(236, 212, 156));
    sand.setColorAt(1.0, QColor(190, 156, 96));
    p.setBrush(sand);
    p.drawPath(floor.below(w, h));
    for (int i = 0; i < 400; ++i) {
        const double x = rng.uniform(0, w), y = rng.uniform(floor.at(x) + 3, h);
        p.setBrush(QColor(150, 120, 70, 120));
        p.drawEllipse(QPointF(x, y), 1.2, 1.0);
    }
    for (int i = 0; i < 5; ++i) {
        const double x = rng.uniform(0, w), r = rng.uniform(24, 50);
        QRadialGradient g(QPointF(x - r * 0.3, floor.at(x) - r * 0.5), r * 1.4);
        g.setColorAt(0.0, QColor(150, 150, 160));
        g.setColorAt(1.0, QColor(70, 70, 86));
        p.setBrush(g);
        p.drawEllipse(QPointF(x, floor.at(x) + 4), r * 1.3, r * 0.8);
    }
    // Seaweed and coral.
    for (int i = 0; i < 12; ++i) {
        const double x = rng.uniform(0, w), top = rng.uniform(0.4, 0.7) * h;
        const double phase = rng.uniform(0, 2 * kPi);
        QPainterPath weed(QPointF(x, floor.at(x) + 8));
        for (double y = floor.at(x) + 8; y > top; y -= 6) weed.lineTo(x + 12 * std::sin(y / 28 + phase), y);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(shade(QColor(40, 150, 70), rng.uniform(-0.3, 0.2)), rng.uniform(5, 10), Qt::SolidLine,
                      Qt::RoundCap));
        p.drawPath(weed);
    }
    std::function<void(QPointF, double, double, int, QColor)> branch = [&](QPointF from, double angle, double len,
                                                                           int depth, QColor c) {
        const QPointF to = from + QPointF(std::cos(angle), std::sin(angle)) * len;
        p.setPen(QPen(c, 2.0 + depth * 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from, to);
        if (depth == 0) return;
        branch(to, angle - rng.uniform(0.3, 0.6), len * 0.75, depth - 1, c);
        branch(to, angle + rng.uniform(0.3, 0.6), len * 0.75, depth - 1, c);
    };
    const QColor corals[] = {QColor(250, 110, 120), QColor(250, 160, 60), QColor(200, 90, 200)};
    for (int i = 0; i < 4; ++i) {
        const double x = 80 + i * 190 + rng.uniform(-30, 30);
        branch(QPointF(x, floor.at(x) + 6), -kPi / 2, rng.uniform(32, 48), 4, corals[i % 3]);
    }
    // The fish.
    const QColor bodies[] = {QColor(255, 140, 0),  QColor(250, 220, 50), QColor(230, 60, 80),
                             QColor(90, 200, 250), QColor(170, 100, 230), QColor(80, 220, 140)};
    for (int i = 0; i < 10; ++i) {
        const QPointF at(rng.uniform(60, w - 60), rng.uniform(60, 0.75 * h));
        const QColor body = bodies[i % 6];
        fish(p, at, rng.uniform(50, 120), rng.chance(0.5), body, i % 2 ? Qt::white : shade(body, -0.45));
    }
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 50; ++i) {
        const QPointF at(rng.uniform(0, w), rng.uniform(0, 0.8 * h));
        const double r = rng.uniform(2, 7);
        p.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
        p.drawEllipse(at, r, r);
        p.setPen(QPen(QColor(255, 255, 255, 220), 1.0));
        p.drawPoint(at + QPointF(-r * 0.4, -r * 0.4));
    }
    p.end();
    grain(image, 3103);
    return image;
}

// ---------------------------------------------------------------- the city

QImage cityAtNight() {
    const int w = 800, h = 600;
    const double shore = 0.74 * h;
    QImage image = opaqueCanvas(w, h, Qt::black);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(4004);
    fillGradient(p, QRectF(0, 0, w, shore), {{0.0, QColor(8, 10, 40)}, {0.45, QColor(44, 34, 104)},
                                             {0.8, QColor(150, 70, 120)}, {1.0, QColor(236, 120, 90)}});
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 220; ++i) {
        const double r = rng.chance(0.1) ? 1.6 : 0.8;
        p.setBrush(QColor(255, 255, 230, rng.range(120, 255)));
        p.drawEllipse(QPointF(rng.uniform(0, w), rng.uniform(0, shore * 0.7)), r, r);
    }
    const QPointF moon(150, 110);
    glow(p, moon, 90, QColor(255, 250, 210, 90));
    QPainterPath crescent;
    crescent.addEllipse(moon, 38, 38);
    QPainterPath bite;
    bite.addEllipse(moon + QPointF(16, -10), 34, 34);
    p.setBrush(QColor(250, 244, 210));
    p.drawPath(crescent.subtracted(bite));

    // Two rows of buildings: a dim one behind, a lit one in front.
    for (int layer = 0; layer < 2; ++layer) {
        double x = -10;
        while (x < w) {
            const double bw = rng.uniform(34, 80);
            const double bh = layer == 0 ? rng.uniform(120, 300) : rng.uniform(70, 240);
            const QRectF b(x, shore - bh, bw, bh);
            static const QColor walls[] = {QColor(34, 46, 84), QColor(70, 36, 70), QColor(26, 70, 84),
                                           QColor(84, 60, 46), QColor(50, 50, 60), QColor(30, 60, 50)};
            const QColor wall = layer == 0 ? QColor(52, 40, 92) : shade(walls[rng.range(0, 5)], rng.uniform(-0.2, 0.25));
            p.setBrush(wall);
            p.drawRect(b);
            if (layer == 1 && rng.chance(0.3)) {  // a spire with a red light
                p.drawRect(QRectF(b.center().x() - 1.5, b.top() - 26, 3, 26));
                glow(p, QPointF(b.center().x(), b.top() - 27), 6, QColor(255, 60, 60, 230));
                p.setBrush(wall);
            }
            const double step = layer == 0 ? 9 : 11;
            for (double wy = b.top() + 8; wy < b.bottom() - 10; wy += step * 1.3) {
                for (double wx = b.left() + 5; wx < b.right() - 8; wx += step) {
                    if (!rng.chance(layer == 0 ? 0.25 : 0.45)) continue;
                    static const QColor lights[] = {QColor(255, 214, 110), QColor(255, 214, 110),
                                                    QColor(255, 170, 80), QColor(170, 220, 255)};
                    const QColor lit = lights[rng.range(0, 3)];
                    p.setBrush(layer == 0 ? shade(lit, -0.45) : lit);
                    p.drawRect(QRectF(wx, wy, step * 0.55, step * 0.7));
                }
            }
            x += bw + (layer == 0 ? -8 : rng.uniform(2, 10));
        }
    }
    p.setBrush(QColor(20, 20, 30));
    p.drawRect(QRectF(0, shore - 4, w, 6));
    for (double x = 10; x < w; x += 46) glow(p, QPointF(x, shore - 8), 10, QColor(255, 230, 160, 200));
    p.end();

    // The river mirrors the city, softened, rippled and darkened.
    const int top = int(shore) + 2;
    const QImage above = image.copy();
    for (int y = top; y < h; ++y) {
        const double depth = double(y - top) / (h - top);
        const int source = std::max(0, 2 * top - y);
        const int shift = int(std::lround((2.0 + 6.0 * depth) * std::sin(y * 0.19)));
        const QRgb* in = reinterpret_cast<const QRgb*>(above.constScanLine(source));
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double fade = (0.6 - 0.35 * depth) * ((y / 3) % 2 ? 1.0 : 0.85);
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, b = 0;
            for (int k = -3; k <= 3; ++k) {  // a little horizontal blur
                const QRgb s = in[std::clamp(x + shift + k, 0, w - 1)];
                r += qRed(s);
                g += qGreen(s);
                b += qBlue(s);
            }
            out[x] = qRgb(int(r / 7 * fade + 6), int(g / 7 * fade + 10), int(b / 7 * fade + 30));
        }
    }
    grain(image, 4104);
    return image;
}

// ------------------------------------------------------------------ flowers

void flower(QPainter& p, Rng& rng, QPointF at, double r, QColor colour) {
    const int petals = rng.range(5, 12);
    const double turn = rng.uniform(0, 360);
    p.setPen(QPen(shade(colour, -0.35), 1.0));
    for (int k = 0; k < petals; ++k) {
        p.save();
        p.translate(at);
        p.rotate(turn + k * 360.0 / petals);
        QLinearGradient g(0, 0, r, 0);
        g.setColorAt(0.0, shade(colour, -0.15));
        g.setColorAt(1.0, shade(colour, 0.3));
        p.setBrush(g);
        p.drawEllipse(QRectF(r * 0.1, -r * 0.9 / std::sqrt(double(petals)), r, r * 1.8 / std::sqrt(double(petals))));
        p.restore();
    }
    QRadialGradient heart(at - QPointF(r * 0.08, r * 0.08), r * 0.35);
    heart.setColorAt(0.0, QColor(255, 220, 80));
    heart.setColorAt(1.0, QColor(180, 100, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(heart);
    p.drawEllipse(at, r * 0.28, r * 0.28);
}

QImage flowers() {
    const int w = 640, h = 480;
    QImage image = opaqueCanvas(w, h, Qt::green);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(5005);
    fillGradient(p, QRectF(0, 0, w, h), {{0.0, QColor(170, 214, 240)}, {0.28, QColor(190, 226, 150)},
                                         {0.45, QColor(120, 180, 80)}, {1.0, QColor(40, 100, 40)}});
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 24; ++i) {  // blurred lights in the distance
        const double r = rng.uniform(10, 34);
        glow(p, QPointF(rng.uniform(0, w), rng.uniform(0, 0.35 * h)), r, QColor(255, 255, 230, 90));
    }
    for (int i = 0; i < 420; ++i) {  // blades of grass
        const double x = rng.uniform(0, w), y = rng.uniform(0.3 * h, h);
        const double len = 10 + 40 * y / h;
        QPainterPath blade(QPointF(x, y));
        blade.quadTo(QPointF(x + rng.uniform(-6, 6), y - len * 0.6), QPointF(x + rng.uniform(-14, 14), y - len));
        p.setPen(QPen(shade(QColor(70, 150, 50), rng.uniform(-0.35, 0.3)), 1.0 + 2.0 * y / h, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawPath(blade);
    }
    const QColor colours[] = {QColor(226, 40, 60),  QColor(250, 200, 30), QColor(246, 120, 180),
                              QColor(150, 80, 220), QColor(250, 250, 250), QColor(250, 130, 30),
                              QColor(70, 120, 230)};
    struct Bloom {
        QPointF at;
        double r;
    };
    std::vector<Bloom> blooms;
    for (int i = 0; i < 34; ++i) {
        const double y = rng.uniform(0.3 * h, 0.98 * h);
        blooms.push_back({QPointF(rng.uniform(10, w - 10), y), 10 + 40 * (y / h) * rng.uniform(0.7, 1.2)});
    }
    std::sort(blooms.begin(), blooms.end(), [](const Bloom& a, const Bloom& b) { return a.at.y() < b.at.y(); });
    for (const Bloom& b : blooms) {
        p.setPen(QPen(QColor(50, 120, 40), std::max(1.5, b.r / 9), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawLine(b.at, QPointF(b.at.x() + rng.uniform(-10, 10), h + 5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 140, 50));
        p.save();
        p.translate(b.at + QPointF(0, b.r * 1.4));
        p.rotate(rng.uniform(-60, 60));
        p.drawEllipse(QRectF(0, -b.r * 0.15, b.r * 0.9, b.r * 0.3));
        p.restore();
        flower(p, rng, b.at, b.r, colours[rng.range(0, 6)]);
    }
    // Two butterflies.
    for (const QPointF at : {QPointF(470, 110), QPointF(150, 170)}) {
        p.save();
        p.translate(at);
        p.rotate(rng.uniform(-25, 25));
        p.setPen(QPen(QColor(40, 30, 20), 1.2));
        for (int side : {-1, 1}) {
            p.setBrush(QColor(250, 150, 30));
            p.drawEllipse(QRectF(side > 0 ? 1 : -23, -20, 22, 20));
            p.setBrush(QColor(250, 210, 60));
            p.drawEllipse(QRectF(side > 0 ? 1 : -15, 0, 14, 14));
        }
        p.setBrush(QColor(40, 30, 20));
        p.drawEllipse(QRectF(-2, -16, 4, 30));
        p.restore();
    }
    p.end();
    grain(image, 5105);
    return image;
}

// ------------------------------------------------------------------ balloons

void balloon(QPainter& p, QPointF top, double r, std::initializer_list<QColor> colours) {
    QPainterPath envelope(QPointF(top.x(), top.y()));
    const double cx = top.x(), cy = top.y() + r;
    envelope.cubicTo(QPointF(cx + r * 1.35, top.y()), QPointF(cx + r * 1.2, cy + r * 0.9), QPointF(cx + r * 0.28, cy + r * 1.45));
    envelope.lineTo(QPointF(cx - r * 0.28, cy + r * 1.45));
    envelope.cubicTo(QPointF(cx - r * 1.2, cy + r * 0.9), QPointF(cx - r * 1.35, top.y()), QPointF(top.x(), top.y()));
    envelope.closeSubpath();
    p.save();
    p.setClipPath(envelope);
    const std::vector<QColor> bands(colours);
    const int gores = 8;
    for (int k = 0; k < gores; ++k) {
        // Narrow gores at the sides, wide in the middle, as on a sphere.
        const double a0 = -kPi / 2 + kPi * k / gores, a1 = -kPi / 2 + kPi * (k + 1) / gores;
        const double x0 = cx + r * 1.2 * std::sin(a0), x1 = cx + r * 1.2 * std::sin(a1);
        p.fillRect(QRectF(x0, top.y(), x1 - x0 + 0.5, r * 2.6), bands[std::size_t(k) % bands.size()]);
    }
    QRadialGradient light(QPointF(cx - r * 0.4, cy - r * 0.4), r * 1.8);
    light.setColorAt(0.0, QColor(255, 255, 255, 90));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1.0, QColor(0, 0, 40, 110));
    p.fillRect(QRectF(cx - r * 2, top.y(), r * 4, r * 3), light);
    p.restore();
    p.setPen(QPen(QColor(60, 40, 30, 200), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(envelope);
    const QRectF basket(cx - r * 0.22, cy + r * 1.75, r * 0.44, r * 0.32);
    p.drawLine(QPointF(cx - r * 0.28, cy + r * 1.45), basket.topLeft());
    p.drawLine(QPointF(cx + r * 0.28, cy + r * 1.45), basket.topRight());
    p.setBrush(QColor(140, 90, 40));
    p.drawRect(basket);
}

QImage balloons() {
    const int w = 512, h = 384;
    QImage image = opaqueCanvas(w, h, Qt::white);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(6006);
    fillGradient(p, QRectF(0, 0, w, h), {{0.0, QColor(70, 140, 220)}, {0.7, QColor(200, 228, 250)}});
    cloud(p, rng, {90, 70}, 24);
    cloud(p, rng, {400, 120}, 20);
    // Mountains with snow on their tops.
    p.setPen(Qt::NoPen);
    const QColor rock[2] = {QColor(120, 130, 160), QColor(90, 100, 130)};
    for (int layer = 0; layer < 2; ++layer) {
        double x = -40 + layer * 60;
        while (x < w + 40) {
            const double half = rng.uniform(60, 110), peak = rng.uniform(0.35, 0.55) * h + layer * 30;
            const double base = 0.78 * h;
            const QPolygonF hill({QPointF(x - half, base), QPointF(x, peak), QPointF(x + half, base)});
            p.setBrush(rock[layer]);
            p.drawPolygon(hill);
            const double t = 0.28;
            p.setBrush(QColor(248, 250, 255));
            p.drawPolygon(QPolygonF({QPointF(x, peak), QPointF(x + half * t, peak + (base - peak) * t),
                                     QPointF(x + half * t * 0.3, peak + (base - peak) * t * 0.8),
                                     QPointF(x - half * t * 0.4, peak + (base - peak) * t * 1.05),
                                     QPointF(x - half * t, peak + (base - peak) * t)}));
            x += half * rng.uniform(1.1, 1.6);
        }
    }
    // A patchwork of fields in the valley.
    const QColor fields[] = {QColor(120, 180, 70), QColor(200, 200, 80), QColor(90, 150, 60),
                             QColor(170, 210, 100), QColor(210, 170, 80)};
    const double valley = 0.76 * h;
    for (int row = 0; row < 4; ++row) {
        const double y0 = valley + row * (h - valley) / 4, y1 = valley + (row + 1) * (h - valley) / 4;
        double x = -20;
        while (x < w) {
            const double fw = rng.uniform(40, 110);
            p.setBrush(fields[rng.range(0, 4)]);
            const double lean = 6 + row * 6;
            p.drawPolygon(QPolygonF({QPointF(x, y0), QPointF(x + fw, y0), QPointF(x + fw + lean, y1 + 1),
                                     QPointF(x + lean, y1 + 1)}));
            x += fw;
        }
    }
    balloon(p, {110, 150}, 22, {QColor(40, 120, 220), QColor(250, 250, 250)});
    balloon(p, {400, 40}, 48, {QColor(230, 50, 60), QColor(250, 210, 40), QColor(40, 160, 90)});
    balloon(p, {300, 185}, 16, {QColor(150, 70, 200), QColor(250, 150, 40)});
    balloon(p, {190, 40}, 36, {QColor(250, 130, 30), QColor(240, 60, 120), QColor(250, 220, 60),
                               QColor(60, 170, 220)});
    // Birds.
    p.setPen(QPen(QColor(40, 40, 60), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const QPointF at(rng.uniform(250, 360), rng.uniform(90, 150));
        QPainterPath bird(at + QPointF(-6, -2));
        bird.quadTo(at + QPointF(-3, -5), at);
        bird.quadTo(at + QPointF(3, -5), at + QPointF(6, -2));
        p.drawPath(bird);
    }
    p.end();
    grain(image, 6106);
    return image;
}

} // namespace

void addPictures(Registry& r) {
    r.addImage("Imagenes/Paisaje.jpg", {}, landscape, "JPG", kJpegQuality);
    r.addImage("Imagenes/Mosaico.bmp", {}, mosaic, "BMP");
    r.addImage("Imagenes/Peces.jpg", {}, seaFish, "JPG", kJpegQuality);
    r.addImage("Imagenes/Ciudad.jpg", {}, cityAtNight, "JPG", kJpegQuality);
    r.addImage("Imagenes/Flores.jpg", {}, flowers, "JPG", kJpegQuality);
    r.addImage("Imagenes/Globos.bmp", {}, balloons, "BMP");
    addSamplePictures(r);
}

} // namespace resgen
