// Small drawing helpers shared by the resgen pictures.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdint>
#include <random>

namespace resgen {

// Reproducible random numbers: the raw Mersenne Twister sequence is fixed by
// the C++ standard, and the scaling below is our own, so every build draws
// the same pictures.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : gen_(seed) {}
    double uniform(double lo, double hi) { return lo + (hi - lo) * (double(gen_()) / 4294967296.0); }
    int range(int lo, int hi) { return lo + int(uniform(0.0, double(hi - lo + 1))); }  // lo..hi
    bool chance(double p) { return uniform(0.0, 1.0) < p; }

private:
    std::mt19937 gen_;
};

// A fully transparent ARGB canvas, or an opaque one filled with a colour.
QImage transparentCanvas(int w, int h);
QImage opaqueCanvas(int w, int h, const QColor& fill);

// A painter with antialiasing on.
void beginSmooth(QPainter& p, QImage& image);

// The outline of a jigsaw piece filling `cell`, with a knob on each side:
// +1 a tab standing out, -1 a hollow going in, 0 a straight side. The sides
// are given clockwise from the top.
QPainterPath jigsawPiece(const QRectF& cell, int top, int right, int bottom, int left);

// A capsule (a stroke with round ends) from a to b, as a filled outline.
QPainterPath capsule(QPointF a, QPointF b, double width);

// Fine grain (up to `fine` levels a pixel) and a soft mottling (up to `soft`)
// over the whole picture, which becomes opaque RGB32.
void grain(QImage& image, std::uint32_t seed, int fine = 7, int soft = 8);

// The colour c with its lightness moved by `amount` (-1 black .. +1 white).
QColor shade(const QColor& c, double amount);

} // namespace resgen
