#include "draw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

namespace resgen {

QImage transparentCanvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage opaqueCanvas(int w, int h, const QColor& fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void beginSmooth(QPainter& p, QImage& image) {
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPainterPath jigsawPiece(const QRectF& cell, int top, int right, int bottom, int left) {
    const QPointF corners[4] = {cell.topLeft(), cell.topRight(), cell.bottomRight(), cell.bottomLeft()};
    const int knobs[4] = {top, right, bottom, left};
    QPainterPath path(corners[0]);
    for (int side = 0; side < 4; ++side) {
        const QPointF p0 = corners[side];
        const QPointF p1 = corners[(side + 1) % 4];
        const QPointF along = p1 - p0;
        // Clockwise on screen, the outside of a side is its direction turned left.
        const QPointF out(along.y(), -along.x());
        const double k = knobs[side];
        auto at = [&](double u, double v) { return p0 + along * u + out * (v * k); };
        if (k == 0) {
            path.lineTo(p1);
            continue;
        }
        path.lineTo(at(0.37, 0.0));
        path.cubicTo(at(0.42, 0.0), at(0.44, 0.08), at(0.40, 0.14));
        path.cubicTo(at(0.34, 0.24), at(0.42, 0.31), at(0.50, 0.31));
        path.cubicTo(at(0.58, 0.31), at(0.66, 0.24), at(0.60, 0.14));
        path.cubicTo(at(0.56, 0.08), at(0.58, 0.0), at(0.63, 0.0));
        path.lineTo(p1);
    }
    path.closeSubpath();
    return path;
}

QPainterPath capsule(QPointF a, QPointF b, double width) {
    QPainterPath line(a);
    line.lineTo(b);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(line).simplified();
}

QColor shade(const QColor& c, double amount) {
    const double t = std::clamp(std::abs(amount), 0.0, 1.0);
    const double target = amount < 0 ? 0.0 : 255.0;
    auto mix = [&](int v) { return int(std::lround(v + (target - v) * t)); };
    return QColor(mix(c.red()), mix(c.green()), mix(c.blue()), c.alpha());
}

// Film grain and a soft mottling: a few waves of random direction and
// per-pixel noise, so that no patch of the picture is flat.
void grain(QImage& image, std::uint32_t seed, int fine, int soft) {
    Rng rng(seed);
    std::vector<std::array<double, 4>> waves; // kx, ky, phase, weight
    double total = 0;
    for (int i = 0; i < 6; ++i) {
        const double a = rng.uniform(0, 6.283185307179586), f = rng.uniform(0.6, 2.2) * 6.283185307179586 / 60;
        const double w = rng.uniform(0.5, 1.0);
        waves.push_back({f * std::cos(a), f * std::sin(a), rng.uniform(0, 6.283185307179586), w});
        total += w;
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            double v = 0;
            for (const auto& wv : waves) v += wv[3] * std::sin(wv[0] * x + wv[1] * y + wv[2]);
            const int d = int(std::lround(soft * v / total)) + rng.range(-fine, fine);
            const QRgb c = row[x];
            row[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                          std::clamp(qBlue(c) + d, 0, 255));
        }
    }
}

} // namespace resgen
