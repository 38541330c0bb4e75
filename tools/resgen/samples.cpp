// More sample pictures for the jigsaw and sliding games, in the sizes and
// proportions a puzzle can have: from 320 x 240 to 1024 x 768, square, tall
// and wide (1024 x 400 is too wide for the curved and irregular shapes). Each
// scene is drawn from scratch with its own seed, busy all over, and finished
// with a fine grain so that no piece is a flat patch of one colour.
#include "draw.h"
#include "metarchivos.h"
#include "registry.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace resgen {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kJpegQuality = 90;

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor(int(a.red() + (b.red() - a.red()) * t), int(a.green() + (b.green() - a.green()) * t),
                  int(a.blue() + (b.blue() - a.blue()) * t));
}

QColor hue(Rng& rng, double s = 0.7, double v = 0.85) {
    return QColor::fromHsvF(float(rng.uniform(0, 1)), float(std::clamp(s + rng.uniform(-0.15, 0.15), 0.0, 1.0)),
                            float(std::clamp(v + rng.uniform(-0.15, 0.1), 0.0, 1.0)));
}

void sky(QPainter& p, const QRectF& r, std::initializer_list<std::pair<double, QColor>> stops) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    for (const auto& [at, c] : stops) g.setColorAt(at, c);
    p.fillRect(r, g);
}

void puff(QPainter& p, Rng& rng, QPointF at, double size, QColor tint = QColor(255, 255, 255)) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        const double dx = rng.uniform(-1.3, 1.3) * size, dy = rng.uniform(-0.3, 0.2) * size;
        const double r = rng.uniform(0.4, 0.8) * size;
        p.setBrush(QColor(std::max(0, tint.red() - 40), std::max(0, tint.green() - 35), std::max(0, tint.blue() - 20), 170));
        p.drawEllipse(at + QPointF(dx, dy + 0.14 * size), r, r * 0.65);
        QColor top = tint;
        top.setAlpha(210);
        p.setBrush(top);
        p.drawEllipse(at + QPointF(dx, dy), r, r * 0.65);
    }
}

// A smooth random field in -1..1: a few waves of random direction.
struct Field {
    std::vector<std::array<double, 4>> waves; // kx, ky, phase, weight
    Field(Rng& rng, double scale, int n = 6) {
        double total = 0;
        for (int i = 0; i < n; ++i) {
            const double a = rng.uniform(0, 2 * kPi), f = rng.uniform(0.6, 2.2) * 2 * kPi / scale;
            const double wgt = rng.uniform(0.5, 1.0);
            waves.push_back({f * std::cos(a), f * std::sin(a), rng.uniform(0, 2 * kPi), wgt});
            total += wgt;
        }
        for (auto& w : waves) w[3] /= total;
    }
    double at(double x, double y) const {
        double v = 0;
        for (const auto& w : waves) v += w[3] * std::sin(w[0] * x + w[1] * y + w[2]);
        return v;
    }
};

// ------------------------------------------------------------------ rooftops

void house(QPainter& p, Rng& rng, const QRectF& walls, double roofHeight) {
    const QColor wall = mix(hue(rng, 0.45, 0.95), QColor(240, 225, 200), 0.45);
    QLinearGradient g(walls.topLeft(), walls.topRight());
    g.setColorAt(0, shade(wall, 0.08));
    g.setColorAt(1, shade(wall, -0.15));
    p.setPen(QPen(shade(wall, -0.45), 1));
    p.setBrush(g);
    p.drawRect(walls);
    // A tiled roof with rows of tiles.
    const QColor tile = rng.chance(0.7) ? QColor::fromHsvF(float(rng.uniform(0.0, 0.06)), 0.75f, float(rng.uniform(0.55, 0.8)))
                                        : QColor::fromHsvF(float(rng.uniform(0.55, 0.65)), 0.35f, 0.45f);
    const double over = walls.width() * 0.08;
    const QPolygonF roof({QPointF(walls.left() - over, walls.top()), QPointF(walls.left() + walls.width() * 0.22, walls.top() - roofHeight),
                          QPointF(walls.right() - walls.width() * 0.22, walls.top() - roofHeight),
                          QPointF(walls.right() + over, walls.top())});
    p.setBrush(tile);
    p.setPen(QPen(shade(tile, -0.4), 1));
    p.drawPolygon(roof);
    p.save();
    QPainterPath clip;
    clip.addPolygon(roof);
    p.setClipPath(clip);
    p.setPen(QPen(shade(tile, -0.3), 1.2));
    for (double y = walls.top() - roofHeight + 5; y < walls.top(); y += 5) p.drawLine(QPointF(walls.left() - over, y), QPointF(walls.right() + over, y));
    p.setPen(QPen(shade(tile, 0.2), 0.8));
    for (double x = walls.left() - over; x < walls.right() + over; x += 6) p.drawLine(QPointF(x, walls.top() - roofHeight), QPointF(x + 2, walls.top()));
    p.restore();
    // A chimney.
    if (rng.chance(0.6)) {
        const double cx = walls.left() + walls.width() * rng.uniform(0.3, 0.7);
        p.setBrush(shade(wall, -0.2));
        p.setPen(QPen(shade(wall, -0.5), 1));
        p.drawRect(QRectF(cx, walls.top() - roofHeight - 8, 9, roofHeight * 0.6));
    }
    // Windows with shutters, a door.
    const QColor shutter = hue(rng, 0.6, 0.6);
    const int cols = std::max(1, int(walls.width() / 26)), rows = std::max(1, int(walls.height() / 30));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const double wx = walls.left() + (c + 0.5) * walls.width() / cols, wy = walls.top() + (r + 0.45) * walls.height() / rows;
            if (r == rows - 1 && c == cols / 2) {
                p.setBrush(QColor(110, 70, 40));
                p.setPen(QPen(QColor(60, 35, 20), 1));
                p.drawRoundedRect(QRectF(wx - 7, walls.bottom() - 22, 14, 22), 5, 5);
                continue;
            }
            const QRectF win(wx - 6, wy - 8, 12, 16);
            p.setPen(QPen(QColor(250, 250, 245), 1.5));
            QLinearGradient glass(win.topLeft(), win.bottomRight());
            glass.setColorAt(0, QColor(160, 200, 230));
            glass.setColorAt(1, QColor(50, 80, 120));
            p.setBrush(glass);
            p.drawRect(win);
            p.drawLine(QPointF(wx, win.top()), QPointF(wx, win.bottom()));
            p.setPen(QPen(shade(shutter, -0.4), 0.8));
            p.setBrush(shutter);
            p.drawRect(QRectF(win.left() - 5, win.top(), 4, win.height()));
            p.drawRect(QRectF(win.right() + 1, win.top(), 4, win.height()));
            if (rng.chance(0.35)) { // flowers on the sill
                for (int k = 0; k < 4; ++k) {
                    p.setPen(Qt::NoPen);
                    p.setBrush(hue(rng, 0.8, 0.95));
                    p.drawEllipse(QPointF(win.left() + 2 + k * 3, win.bottom() + 1), 2, 2);
                }
            }
        }
}

QImage rooftops() {
    const int w = 1024, h = 576;
    QImage image = opaqueCanvas(w, h, Qt::white);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(7007);
    sky(p, QRectF(0, 0, w, h), {{0.0, QColor(60, 120, 200)}, {0.5, QColor(170, 205, 240)}, {0.7, QColor(250, 225, 190)}});
    for (int i = 0; i < 7; ++i) puff(p, rng, QPointF(rng.uniform(0, w), rng.uniform(30, 170)), rng.uniform(18, 40));
    // Far hills with olive trees.
    p.setPen(Qt::NoPen);
    QPainterPath hills(QPointF(0, h));
    for (double x = 0; x <= w; x += 4) hills.lineTo(x, 0.42 * h + 25 * std::sin(x / 140.0) + 12 * std::sin(x / 47.0 + 1));
    hills.lineTo(w, h);
    p.setBrush(QColor(120, 150, 100));
    p.drawPath(hills);
    for (int i = 0; i < 60; ++i) {
        const double x = rng.uniform(0, w), y = 0.42 * h + 25 * std::sin(x / 140.0) + 12 * std::sin(x / 47.0 + 1) + rng.uniform(4, 40);
        p.setBrush(shade(QColor(80, 110, 60), rng.uniform(-0.2, 0.15)));
        p.drawEllipse(QPointF(x, y), rng.uniform(4, 8), rng.uniform(3, 6));
    }
    // A church tower behind the houses.
    {
        const QRectF tower(0.62 * w, 0.2 * h, 46, 0.4 * h);
        p.setPen(QPen(QColor(120, 95, 70), 1));
        p.setBrush(QColor(215, 190, 150));
        p.drawRect(tower);
        p.setBrush(QColor(160, 70, 50));
        p.drawPolygon(QPolygonF({QPointF(tower.left() - 4, tower.top()), QPointF(tower.center().x(), tower.top() - 60),
                                 QPointF(tower.right() + 4, tower.top())}));
        p.setBrush(QColor(60, 50, 45));
        p.drawRoundedRect(QRectF(tower.center().x() - 9, tower.top() + 16, 18, 30), 8, 8);
        p.setBrush(QColor(250, 240, 210));
        p.drawEllipse(QPointF(tower.center().x(), tower.top() + 70), 11, 11);
        p.setPen(QPen(QColor(40, 30, 30), 1.5));
        p.drawLine(QPointF(tower.center().x(), tower.top() + 70), QPointF(tower.center().x(), tower.top() + 62));
        p.drawLine(QPointF(tower.center().x(), tower.top() + 70), QPointF(tower.center().x() + 6, tower.top() + 72));
    }
    // Three rows of houses, from the back.
    for (int row = 0; row < 3; ++row) {
        const double base = h * (0.58 + 0.17 * row);
        double x = -rng.uniform(0, 40);
        while (x < w) {
            const double hw = rng.uniform(60, 120) * (1 + 0.25 * row), hh = rng.uniform(55, 100) * (1 + 0.2 * row);
            house(p, rng, QRectF(x, base - hh, hw, hh), rng.uniform(18, 34));
            x += hw + rng.uniform(-4, 14);
            if (rng.chance(0.3)) { // a cypress between houses
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(40, 90, 50));
                p.drawEllipse(QRectF(x - 2, base - hh * 1.1, 12, hh * 1.1));
                x += 10;
            }
        }
    }
    // The cobbled street.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 135, 120));
    p.drawRect(QRectF(0, 0.92 * h, w, 0.08 * h));
    for (double y = 0.92 * h + 3; y < h; y += 7)
        for (double x = rng.uniform(0, 8); x < w; x += rng.uniform(9, 14)) {
            p.setBrush(shade(QColor(170, 155, 135), rng.uniform(-0.25, 0.2)));
            p.drawRoundedRect(QRectF(x, y, rng.uniform(6, 10), 5), 2, 2);
        }
    p.end();
    grain(image, 7107);
    return image;
}

// ------------------------------------------------------------------ fruit bowl

void fruit(QPainter& p, Rng& rng, QPointF at, double r, QColor colour) {
    QRadialGradient g(at - QPointF(r * 0.35, r * 0.4), r * 1.4);
    g.setColorAt(0.0, shade(colour, 0.45));
    g.setColorAt(0.45, colour);
    g.setColorAt(1.0, shade(colour, -0.55));
    p.setPen(QPen(shade(colour, -0.6), 0.8));
    p.setBrush(g);
    p.drawEllipse(at, r, r * rng.uniform(0.88, 1.0));
    p.setPen(QPen(QColor(90, 60, 30), 2));
    p.drawLine(at - QPointF(0, r * 0.85), at - QPointF(-r * 0.15, r * 1.15));
    if (rng.chance(0.6)) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 140, 50));
        p.drawEllipse(QRectF(at.x(), at.y() - r * 1.25, r * 0.55, r * 0.25));
    }
}

QImage fruitBowl() {
    const int w = 576, h = 768;
    QImage image = opaqueCanvas(w, h, Qt::white);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(8008);
    // Wallpaper: stripes and a small repeated flower.
    for (int x = 0; x < w; x += 24) {
        p.fillRect(QRectF(x, 0, 12, h * 0.62), QColor(200, 170, 120));
        p.fillRect(QRectF(x + 12, 0, 12, h * 0.62), QColor(220, 195, 150));
    }
    p.setPen(Qt::NoPen);
    for (int y = 12; y < h * 0.62; y += 36)
        for (int x = (y / 36) % 2 ? 0 : 12; x < w; x += 24) {
            p.setBrush(QColor(150, 60, 60));
            for (int k = 0; k < 4; ++k) p.drawEllipse(QPointF(x + 6 * std::cos(k * kPi / 2), y + 6 * std::sin(k * kPi / 2)), 3, 3);
            p.setBrush(QColor(240, 200, 80));
            p.drawEllipse(QPointF(x, y), 2, 2);
        }
    // A window with a blue sky on the left.
    const QRectF window(30, 60, 170, 230);
    sky(p, window, {{0.0, QColor(70, 130, 210)}, {1.0, QColor(190, 220, 245)}});
    puff(p, rng, window.center() - QPointF(20, 50), 18);
    p.setPen(QPen(QColor(240, 235, 225), 8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(window);
    p.drawLine(QPointF(window.center().x(), window.top()), QPointF(window.center().x(), window.bottom()));
    p.drawLine(QPointF(window.left(), window.center().y()), QPointF(window.right(), window.center().y()));
    // The wooden table, with grain.
    const double top = h * 0.62;
    p.fillRect(QRectF(0, top, w, h - top), QColor(120, 70, 35));
    p.setPen(QPen(QColor(90, 50, 25, 160), 1.2));
    for (int k = 0; k < 40; ++k) {
        const double y0 = top + rng.uniform(0, h - top);
        QPainterPath grainLine(QPointF(0, y0));
        for (double x = 0; x <= w; x += 16) grainLine.lineTo(x, y0 + 4 * std::sin(x / rng.uniform(30, 90) + k));
        p.drawPath(grainLine);
    }
    // A checked cloth.
    const QPolygonF cloth({QPointF(90, top + 10), QPointF(520, top + 20), QPointF(560, h - 20), QPointF(40, h - 40)});
    p.save();
    QPainterPath clip;
    clip.addPolygon(cloth);
    p.setClipPath(clip);
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 30; ++c)
            p.fillRect(QRectF(c * 20, top + r * 16, 20, 16), (r + c) % 2 ? QColor(200, 40, 45) : QColor(245, 240, 230));
    p.restore();
    // A striped vase with flowers.
    const QPointF vase(420, top - 60);
    for (int k = 0; k < 12; ++k) {
        const double a = -kPi / 2 + rng.uniform(-0.9, 0.9), len = rng.uniform(120, 220);
        const QPointF tip = vase + QPointF(len * std::cos(a), len * std::sin(a));
        p.setPen(QPen(QColor(60, 110, 40), 2.5));
        p.drawLine(vase, tip);
        p.setPen(QPen(QColor(60, 30, 30), 0.8));
        const QColor petal = hue(rng, 0.75, 0.95);
        for (int q = 0; q < 7; ++q) {
            p.setBrush(shade(petal, rng.uniform(-0.15, 0.2)));
            p.drawEllipse(tip + QPointF(10 * std::cos(q * 2 * kPi / 7), 10 * std::sin(q * 2 * kPi / 7)), 8, 8);
        }
        p.setBrush(QColor(250, 210, 60));
        p.drawEllipse(tip, 5, 5);
    }
    QPainterPath body(QPointF(390, top - 90));
    body.cubicTo(QPointF(330, top - 40), QPointF(350, top + 40), QPointF(390, top + 50));
    body.lineTo(QPointF(450, top + 50));
    body.cubicTo(QPointF(490, top + 40), QPointF(510, top - 40), QPointF(450, top - 90));
    body.closeSubpath();
    p.save();
    p.setClipPath(body);
    for (int k = 0; k < 14; ++k)
        p.fillRect(QRectF(320, top - 90 + k * 10, 200, 10), k % 3 == 0 ? QColor(30, 70, 150) : k % 3 == 1 ? QColor(240, 240, 250) : QColor(230, 170, 40));
    QLinearGradient light(QPointF(340, 0), QPointF(500, 0));
    light.setColorAt(0, QColor(255, 255, 255, 90));
    light.setColorAt(0.4, QColor(255, 255, 255, 0));
    light.setColorAt(1, QColor(0, 0, 0, 120));
    p.fillRect(QRectF(320, top - 90, 200, 150), light);
    p.restore();
    // A bowl of fruit.
    const QColor kinds[] = {QColor(200, 30, 30), QColor(240, 140, 20), QColor(230, 210, 50), QColor(120, 180, 50), QColor(120, 40, 110)};
    for (int k = 0; k < 16; ++k) {
        const double x = 120 + rng.uniform(0, 220), y = top + 40 - rng.uniform(0, 80) + (k > 10 ? 30 : 0);
        fruit(p, rng, QPointF(x, y), rng.uniform(20, 32), kinds[rng.range(0, 4)]);
    }
    // Grapes.
    for (int k = 0; k < 30; ++k) {
        const QPointF at(250 + rng.uniform(-30, 30) * (1 - k / 40.0), top + 70 + k * 3.2);
        QRadialGradient g(at - QPointF(3, 3), 10);
        g.setColorAt(0, QColor(180, 140, 220));
        g.setColorAt(1, QColor(60, 20, 90));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(at, 8, 8);
    }
    QPainterPath bowl(QPointF(90, top + 60));
    bowl.cubicTo(QPointF(110, top + 140), QPointF(350, top + 140), QPointF(370, top + 60));
    bowl.closeSubpath();
    QLinearGradient bg(QPointF(90, 0), QPointF(370, 0));
    bg.setColorAt(0, QColor(250, 250, 240));
    bg.setColorAt(1, QColor(150, 150, 170));
    p.setPen(QPen(QColor(90, 90, 110), 1.2));
    p.setBrush(bg);
    p.drawPath(bowl);
    p.setPen(QPen(QColor(40, 90, 160), 3));
    for (int k = 0; k < 9; ++k) p.drawPoint(QPointF(120 + k * 28, top + 90 + 10 * std::sin(k)));
    p.end();
    grain(image, 8108);
    return image;
}

// ------------------------------------------------------------------ stained glass

// An 8-bit picture: 24 hues in 10 shades each, and 16 greys for the lead.
struct Indexed {
    int w, h;
    std::vector<std::uint8_t> index;
    std::vector<QRgb> palette;
};

Indexed stainedGlass() {
    const int w = 768, h = 768;
    Rng rng(9009);
    Indexed out{w, h, std::vector<std::uint8_t>(std::size_t(w) * h), {}};
    for (int k = 0; k < 24; ++k) {
        const QColor base = QColor::fromHsvF(float(k / 24.0), 0.8f, 0.9f);
        for (int s = 0; s < 10; ++s) out.palette.push_back(shade(base, -0.55 + s * 0.09).rgb());
    }
    for (int s = 0; s < 16; ++s) out.palette.push_back(qRgb(20 + s * 6, 20 + s * 6, 24 + s * 6));
    // Cells around points laid on rings round the centre, for a rose window.
    std::vector<QPointF> sites;
    std::vector<int> hues;
    sites.emplace_back(w / 2.0, h / 2.0);
    hues.push_back(3);
    for (int ring = 1; ring <= 7; ++ring) {
        const int n = 6 * ring;
        const double r = ring * 56.0, turn = rng.uniform(0, 1);
        const int h1 = rng.range(0, 23), h2 = rng.range(0, 23);
        for (int i = 0; i < n; ++i) {
            const double a = 2 * kPi * (i + turn) / n;
            sites.emplace_back(w / 2.0 + r * std::cos(a) + rng.uniform(-6, 6), h / 2.0 + r * std::sin(a) + rng.uniform(-6, 6));
            hues.push_back(i % 2 ? h1 : h2);
        }
    }
    for (int i = 0; i < 30; ++i) { // the corners
        sites.emplace_back(rng.uniform(0, w), rng.uniform(0, h));
        hues.push_back(rng.range(0, 23));
    }
    const Field field(rng, 40, 8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double d1 = 1e18, d2 = 1e18;
            int best = 0;
            for (std::size_t i = 0; i < sites.size(); ++i) {
                const double dx = x - sites[i].x(), dy = y - sites[i].y(), d = dx * dx + dy * dy;
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                    best = int(i);
                } else if (d < d2) {
                    d2 = d;
                }
            }
            const double edge = std::sqrt(d2) - std::sqrt(d1);
            std::uint8_t v;
            const double ripple = field.at(x, y) + 0.3 * std::sin((x + y) / 5.0);
            if (edge < 3.0) {
                v = std::uint8_t(240 + std::clamp(int(8 + 7 * ripple), 0, 15));
            } else {
                // Brighter in the middle of a cell, with the glass's ripples.
                const double glow = std::clamp(1.0 - std::sqrt(d1) / 60.0, 0.0, 1.0);
                const int s = std::clamp(int(std::lround(3 + 4 * glow + 2.5 * ripple)), 0, 9);
                v = std::uint8_t(hues[std::size_t(best)] * 10 + s);
            }
            out.index[std::size_t(y) * w + x] = v;
        }
    return out;
}

// The indexed picture as a bottom-up 8-bit BMP compressed by runs (RLE8).
QByteArray rle8Bmp(const Indexed& img) {
    QByteArray bits;
    for (int y = img.h - 1; y >= 0; --y) {
        const std::uint8_t* row = img.index.data() + std::size_t(y) * img.w;
        int x = 0;
        while (x < img.w) {
            int run = 1;
            while (x + run < img.w && run < 255 && row[x + run] == row[x]) ++run;
            if (run >= 3) {
                bits.append(char(run)).append(char(row[x]));
                x += run;
                continue;
            }
            // A literal stretch of pixels that do not repeat (at least 3).
            int lit = 0;
            while (x + lit < img.w && lit < 255) {
                if (x + lit + 2 < img.w && row[x + lit] == row[x + lit + 1] && row[x + lit] == row[x + lit + 2]) break;
                ++lit;
            }
            if (lit < 3) {
                for (int k = 0; k < lit; ++k) bits.append(char(1)).append(char(row[x + k]));
            } else {
                bits.append(char(0)).append(char(lit));
                for (int k = 0; k < lit; ++k) bits.append(char(row[x + k]));
                if (lit % 2) bits.append(char(0));
            }
            x += lit;
        }
        bits.append(char(0)).append(char(y == 0 ? 1 : 0)); // end of line, end of picture
    }
    auto le32 = [](QByteArray& b, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
    };
    auto le16 = [](QByteArray& b, std::uint16_t v) {
        b.append(char(v & 0xFF)).append(char(v >> 8));
    };
    const std::uint32_t colours = std::uint32_t(img.palette.size());
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    QByteArray f;
    f.append("BM");
    le32(f, offset + std::uint32_t(bits.size()));
    le32(f, 0);
    le32(f, offset);
    le32(f, 40);
    le32(f, std::uint32_t(img.w));
    le32(f, std::uint32_t(img.h));
    le16(f, 1);
    le16(f, 8);
    le32(f, 1); // BI_RLE8
    le32(f, std::uint32_t(bits.size()));
    le32(f, 3780);
    le32(f, 3780);
    le32(f, colours);
    le32(f, colours);
    for (QRgb c : img.palette) {
        f.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
    }
    f.append(bits);
    return f;
}

// ------------------------------------------------------------------ harbour

void boat(QPainter& p, Rng& rng, QPointF at, double size) {
    const QColor hull = hue(rng, 0.7, 0.8);
    QPainterPath body(at + QPointF(-size, 0));
    body.lineTo(at + QPointF(size, 0));
    body.lineTo(at + QPointF(size * 0.7, size * 0.35));
    body.lineTo(at + QPointF(-size * 0.75, size * 0.35));
    body.closeSubpath();
    p.setPen(QPen(shade(hull, -0.5), 1));
    p.setBrush(hull);
    p.drawPath(body);
    p.setPen(QPen(QColor(250, 250, 250), 1.5));
    p.drawLine(at + QPointF(-size * 0.9, size * 0.08), at + QPointF(size * 0.9, size * 0.08));
    p.setPen(QPen(QColor(80, 60, 40), 1.5));
    p.drawLine(at, at - QPointF(0, size * 1.6));
    const QColor sail = rng.chance(0.5) ? QColor(250, 245, 230) : hue(rng, 0.5, 0.95);
    p.setPen(QPen(shade(sail, -0.3), 0.8));
    p.setBrush(sail);
    p.drawPolygon(QPolygonF({at - QPointF(0, size * 1.55), at + QPointF(size * 0.8, -size * 0.1), at + QPointF(2, -size * 0.1)}));
    p.drawPolygon(QPolygonF({at - QPointF(2, size * 1.4), at + QPointF(-size * 0.6, -size * 0.12), at + QPointF(-2, -size * 0.12)}));
}

QImage harbour() {
    const int w = 1000, h = 480;
    QImage image = opaqueCanvas(w, h, Qt::white);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(10010);
    const double shore = 0.45 * h;
    sky(p, QRectF(0, 0, w, shore), {{0.0, QColor(250, 150, 90)}, {0.6, QColor(250, 210, 150)}, {1.0, QColor(255, 235, 190)}});
    for (int i = 0; i < 6; ++i) puff(p, rng, QPointF(rng.uniform(0, w), rng.uniform(20, 110)), rng.uniform(16, 30), QColor(255, 225, 210));
    // A hillside town on the far shore.
    p.setPen(Qt::NoPen);
    QPainterPath hill(QPointF(0, shore));
    for (double x = 0; x <= w; x += 5) hill.lineTo(x, shore - 70 - 45 * std::sin(x / 210.0 + 0.5) - 10 * std::sin(x / 37.0));
    hill.lineTo(w, shore);
    p.setBrush(QColor(150, 140, 110));
    p.drawPath(hill);
    for (int i = 0; i < 240; ++i) {
        const double x = rng.uniform(0, w), top = shore - 70 - 45 * std::sin(x / 210.0 + 0.5) - 10 * std::sin(x / 37.0);
        const double y = rng.uniform(top + 6, shore - 4), s = rng.uniform(6, 12);
        p.setBrush(mix(hue(rng, 0.3, 0.95), QColor(250, 240, 220), 0.5));
        p.drawRect(QRectF(x, y, s, s * 0.8));
        p.setBrush(QColor(180, 80, 60));
        p.drawRect(QRectF(x - 1, y - 2, s + 2, 3));
        p.setBrush(QColor(60, 60, 80));
        p.drawRect(QRectF(x + s * 0.3, y + s * 0.3, 2, 2));
    }
    // The sea with strokes of waves and the sunset's reflection.
    sky(p, QRectF(0, shore, w, h - shore), {{0.0, QColor(70, 120, 160)}, {1.0, QColor(20, 50, 90)}});
    for (int k = 0; k < 1400; ++k) {
        const double y = shore + std::pow(rng.uniform(0, 1), 0.8) * (h - shore);
        const double x = rng.uniform(-20, w), len = 4 + (y - shore) * 0.12 * rng.uniform(0.5, 1.5);
        const bool warm = std::fabs(x - 0.3 * w) < 60 + (y - shore) * 0.3 && rng.chance(0.6);
        p.setPen(QPen(warm ? QColor(255, 200, 130, 200) : rng.chance(0.5) ? QColor(150, 190, 220, 160) : QColor(10, 40, 70, 160), 1.3));
        p.drawLine(QPointF(x, y), QPointF(x + len, y + rng.uniform(-0.5, 0.5)));
    }
    // A pier with posts and boats.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 80, 50));
    p.drawRect(QRectF(0.62 * w, 0.72 * h, 0.38 * w, 10));
    for (double x = 0.62 * w; x < w; x += 22) p.drawRect(QRectF(x, 0.72 * h, 5, 40));
    for (int i = 0; i < 9; ++i) boat(p, rng, QPointF(rng.uniform(20, w - 20), shore + 20 + i * 24), 18 + i * 3.5);
    // Gulls.
    p.setPen(QPen(QColor(40, 40, 50), 1.4));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 10; ++i) {
        const QPointF at(rng.uniform(0, w), rng.uniform(20, 130));
        QPainterPath gull(at + QPointF(-7, -2));
        gull.quadTo(at + QPointF(-3, -6), at);
        gull.quadTo(at + QPointF(3, -6), at + QPointF(7, -2));
        p.drawPath(gull);
    }
    p.end();
    grain(image, 10110);
    return image;
}

// ------------------------------------------------------------------ dunes

QImage dunes() {
    const int w = 1024, h = 400;
    QImage image = opaqueCanvas(w, h, Qt::white);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(11011);
    sky(p, QRectF(0, 0, w, h), {{0.0, QColor(40, 30, 110)}, {0.3, QColor(170, 70, 120)}, {0.5, QColor(250, 140, 60)}, {0.62, QColor(255, 220, 120)}});
    // The sun behind the far dunes, and thin clouds across it.
    QRadialGradient sun(QPointF(0.7 * w, 0.5 * h), 70);
    sun.setColorAt(0, QColor(255, 250, 200));
    sun.setColorAt(0.6, QColor(255, 200, 90));
    sun.setColorAt(1, QColor(255, 160, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(0.7 * w, 0.5 * h), 70, 70);
    for (int k = 0; k < 9; ++k) {
        p.setBrush(QColor(250, 120, 110, 90));
        p.drawRoundedRect(QRectF(rng.uniform(-100, w), rng.uniform(40, 170), rng.uniform(120, 320), 5), 3, 3);
    }
    // Stars in the dark top.
    for (int k = 0; k < 120; ++k) {
        p.setBrush(QColor(255, 255, 230, rng.range(80, 220)));
        const double r = rng.uniform(0.5, 1.4);
        p.drawEllipse(QPointF(rng.uniform(0, w), rng.uniform(0, 0.25 * h)), r, r);
    }
    // Dune ridges, the far ones paler, each with ripples.
    for (int layer = 0; layer < 5; ++layer) {
        const double base = h * (0.5 + 0.11 * layer);
        const double a1 = rng.uniform(15, 35), l1 = rng.uniform(180, 320), ph = rng.uniform(0, 6);
        auto ridge = [&](double x) { return base - a1 * std::sin(x / l1 + ph) - 8 * std::sin(x / 61.0 + layer); };
        QPainterPath dune(QPointF(0, h));
        for (double x = 0; x <= w; x += 4) dune.lineTo(x, ridge(x));
        dune.lineTo(w, h);
        const QColor sand = mix(QColor(230, 150, 80), QColor(170, 80, 40), layer / 4.0);
        QLinearGradient g(0, base - 40, 0, h);
        g.setColorAt(0, shade(sand, 0.25));
        g.setColorAt(1, shade(sand, -0.3));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(dune);
        p.save();
        p.setClipPath(dune);
        p.setPen(QPen(shade(sand, -0.25), 1));
        for (double y = base - 30; y < h; y += 6 + layer) {
            QPainterPath ripple(QPointF(0, y));
            for (double x = 0; x <= w; x += 8) ripple.lineTo(x, y + 3 * std::sin(x / 23.0 + y) + (ridge(x) - base) * 0.3);
            p.drawPath(ripple);
        }
        p.restore();
        if (layer == 1) { // a caravan on the ridge
            for (int c = 0; c < 6; ++c) {
                const double x = 0.2 * w + c * 34, y = ridge(x);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(50, 25, 30));
                p.drawEllipse(QRectF(x - 12, y - 22, 24, 12));
                p.drawEllipse(QRectF(x - 6, y - 30, 10, 10));
                p.drawRect(QRectF(x + 8, y - 30, 4, 14));
                p.drawEllipse(QRectF(x + 8, y - 34, 9, 6));
                for (int leg = 0; leg < 4; ++leg) p.drawRect(QRectF(x - 10 + leg * 6, y - 13, 2, 13));
            }
        }
        if (layer == 3) { // an oasis with palms
            const double x0 = 0.82 * w;
            p.setBrush(QColor(60, 120, 170));
            p.drawEllipse(QRectF(x0 - 60, ridge(x0) + 10, 120, 16));
            for (int t = 0; t < 4; ++t) {
                const QPointF foot(x0 - 45 + t * 30, ridge(x0) + 14);
                const QPointF crown = foot + QPointF(rng.uniform(-12, 12), -rng.uniform(45, 65));
                p.setPen(QPen(QColor(90, 60, 30), 4));
                p.drawLine(foot, crown);
                p.setPen(QPen(QColor(30, 90, 40), 3));
                for (int f = 0; f < 7; ++f) {
                    const double a = kPi * (0.1 + 0.8 * f / 6.0);
                    p.drawLine(crown, crown + QPointF(26 * std::cos(a + kPi), -14 * std::sin(a) + 10));
                }
            }
        }
    }
    p.end();
    grain(image, 11111);
    return image;
}

// ------------------------------------------------------------------ meadow

QImage meadow() {
    const int w = 320, h = 240;
    QImage image = opaqueCanvas(w, h, Qt::white);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(12012);
    sky(p, QRectF(0, 0, w, h), {{0.0, QColor(80, 150, 230)}, {0.4, QColor(190, 225, 250)}});
    puff(p, rng, {70, 40}, 14);
    puff(p, rng, {240, 28}, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 160, 90));
    p.drawEllipse(QRectF(-60, 70, 260, 90));
    p.setBrush(QColor(90, 150, 80));
    p.drawEllipse(QRectF(150, 80, 260, 80));
    sky(p, QRectF(0, 110, w, h - 110), {{0.0, QColor(120, 190, 70)}, {1.0, QColor(40, 110, 30)}});
    // A wooden fence.
    p.setBrush(QColor(170, 120, 70));
    p.setPen(QPen(QColor(100, 70, 40), 1));
    p.drawRect(QRectF(0, 118, w, 4));
    p.drawRect(QRectF(0, 128, w, 4));
    for (int x = 6; x < w; x += 22) p.drawRect(QRectF(x, 110, 5, 28));
    // Grass blades and flowers, denser and larger towards the front.
    for (int k = 0; k < 1400; ++k) {
        const double y = 115 + std::pow(rng.uniform(0, 1), 0.7) * (h - 110), x = rng.uniform(0, w);
        const double s = 2 + (y - 110) / 20.0;
        p.setPen(QPen(shade(QColor(60, 140, 40), rng.uniform(-0.3, 0.3)), 1));
        p.drawLine(QPointF(x, y), QPointF(x + rng.uniform(-2, 2), y - s * 2));
        if (rng.chance(0.12)) {
            p.setPen(Qt::NoPen);
            const QColor c = hue(rng, 0.7, 0.95);
            for (int q = 0; q < 5; ++q) {
                p.setBrush(c);
                p.drawEllipse(QPointF(x + s * 0.5 * std::cos(q * 1.256), y - s * 2 + s * 0.5 * std::sin(q * 1.256)), s * 0.4, s * 0.4);
            }
            p.setBrush(QColor(250, 220, 60));
            p.drawEllipse(QPointF(x, y - s * 2), s * 0.25, s * 0.25);
        }
    }
    // Butterflies.
    for (int b = 0; b < 5; ++b) {
        const QPointF at(rng.uniform(20, w - 20), rng.uniform(60, 200));
        const QColor wing = hue(rng, 0.8, 0.95);
        p.setPen(QPen(QColor(30, 20, 20), 0.6));
        p.setBrush(wing);
        p.drawEllipse(at + QPointF(-5, -3), 5, 4);
        p.drawEllipse(at + QPointF(5, -3), 5, 4);
        p.setBrush(shade(wing, -0.3));
        p.drawEllipse(at + QPointF(-3, 3), 3, 3);
        p.drawEllipse(at + QPointF(3, 3), 3, 3);
    }
    p.end();
    grain(image, 12112, 5, 5);
    return image;
}

// ------------------------------------------------------------------ pottery

void pot(QPainter& p, Rng& rng, const QRectF& room) {
    const double bw = room.width() * rng.uniform(0.55, 0.9), bh = room.height() * rng.uniform(0.6, 0.95);
    const double cx = room.center().x(), bottom = room.bottom();
    const double neck = bw * rng.uniform(0.25, 0.5), belly = rng.uniform(0.35, 0.7);
    QPainterPath body(QPointF(cx - neck / 2, bottom - bh));
    body.cubicTo(QPointF(cx - neck / 2, bottom - bh * (1 - belly * 0.5)), QPointF(cx - bw / 2, bottom - bh * belly),
                 QPointF(cx - bw * 0.3, bottom));
    body.lineTo(QPointF(cx + bw * 0.3, bottom));
    body.cubicTo(QPointF(cx + bw / 2, bottom - bh * belly), QPointF(cx + neck / 2, bottom - bh * (1 - belly * 0.5)),
                 QPointF(cx + neck / 2, bottom - bh));
    body.closeSubpath();
    const QColor glaze = rng.chance(0.3) ? QColor(180, 100, 60) : hue(rng, 0.65, 0.75);
    p.save();
    p.setClipPath(body);
    p.fillRect(room, glaze);
    // Painted bands and dots.
    const QColor paint = rng.chance(0.5) ? QColor(245, 240, 225) : hue(rng, 0.8, 0.9);
    p.setPen(Qt::NoPen);
    for (int b = 0; b < 3; ++b) {
        const double y = bottom - bh * rng.uniform(0.2, 0.85);
        p.setBrush(paint);
        p.drawRect(QRectF(room.left(), y, room.width(), rng.uniform(2, 6)));
        for (double x = room.left() + 3; x < room.right(); x += 8) p.drawEllipse(QPointF(x, y + 8), 1.8, 1.8);
    }
    QLinearGradient light(QPointF(cx - bw / 2, 0), QPointF(cx + bw / 2, 0));
    light.setColorAt(0, QColor(0, 0, 0, 110));
    light.setColorAt(0.3, QColor(255, 255, 255, 100));
    light.setColorAt(0.45, QColor(255, 255, 255, 0));
    light.setColorAt(1, QColor(0, 0, 0, 140));
    p.fillRect(room, light);
    p.restore();
    p.setPen(QPen(shade(glaze, -0.6), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.setBrush(shade(glaze, -0.5));
    p.drawEllipse(QPointF(cx, bottom - bh), neck / 2, 3);
}

QImage pottery() {
    const int w = 1024, h = 768;
    QImage image = opaqueCanvas(w, h, Qt::white);
    QPainter p;
    beginSmooth(p, image);
    Rng rng(13013);
    // A whitewashed wall with tiles along its foot.
    p.fillRect(QRectF(0, 0, w, h), QColor(235, 225, 205));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 500; ++k) {
        p.setBrush(QColor(200, 185, 160, 60));
        p.drawEllipse(QPointF(rng.uniform(0, w), rng.uniform(0, h)), rng.uniform(4, 30), rng.uniform(3, 20));
    }
    const QColor tileInk[] = {QColor(30, 70, 160), QColor(230, 170, 40), QColor(40, 130, 90)};
    for (int c = 0; c < w / 32 + 1; ++c)
        for (int r = 0; r < 2; ++r) {
            const QRectF t(c * 32, h - 64 + r * 32, 32, 32);
            p.setBrush(QColor(245, 240, 230));
            p.setPen(QPen(QColor(150, 140, 130), 1));
            p.drawRect(t);
            p.setPen(Qt::NoPen);
            p.setBrush(tileInk[(c + r) % 3]);
            p.drawPolygon(QPolygonF({t.center() + QPointF(0, -13), t.center() + QPointF(13, 0), t.center() + QPointF(0, 13), t.center() + QPointF(-13, 0)}));
            p.setBrush(tileInk[(c + r + 1) % 3]);
            p.drawEllipse(t.center(), 5, 5);
        }
    // Four wooden shelves, crowded with pots.
    for (int s = 0; s < 4; ++s) {
        const double y = 160 + s * 160;
        const QRectF board(20, y, w - 40, 14);
        QLinearGradient g(board.topLeft(), board.bottomLeft());
        g.setColorAt(0, QColor(160, 100, 50));
        g.setColorAt(1, QColor(90, 50, 25));
        p.setPen(QPen(QColor(60, 35, 15), 1));
        p.setBrush(g);
        p.drawRect(board);
        p.setBrush(QColor(0, 0, 0, 50));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(20, y + 14, w - 40, 10));
        double x = 26;
        while (x < w - 70) {
            const double room = rng.uniform(50, 110);
            pot(p, rng, QRectF(x, y - 145, room, 145));
            x += room + rng.uniform(-6, 6);
        }
    }
    p.end();
    grain(image, 13113);
    return image;
}

} // namespace

void addSamplePictures(Registry& r) {
    r.addImage("Imagenes/Tejados.jpg", {}, rooftops, "JPG", kJpegQuality);
    r.addImage("Imagenes/Fruta.jpg", {}, fruitBowl, "JPG", kJpegQuality);
    r.addData("Imagenes/Vidriera.rle", {}, [] { return rle8Bmp(stainedGlass()); });
    r.addImage("Imagenes/Puerto.jpg", {}, harbour, "JPG", kJpegQuality);
    r.addImage("Imagenes/Dunas.jpg", {}, dunes, "JPG", kJpegQuality);
    r.addImage("Imagenes/Jardin.jpg", {}, meadow, "JPG", kJpegQuality);
    r.addImage("Imagenes/Vasijas.jpg", {}, pottery, "JPG", kJpegQuality);
    // The same drawing as a Windows metafile and as an enhanced metafile.
    r.addData("Imagenes/Figuras.wmf", {}, metarchivos::Wmf);
    r.addData("Imagenes/Figuras.emf", {}, metarchivos::Emf);
}

} // namespace resgen
