// The drawing primitives of a surface: lines, boxes, ellipses and arcs,
// single pixels, the border flood fill, and text.
//
// Conventions shared by every primitive here:
// - Coordinates become pixels by toPixel (floor(v + 0.5)). Coordinates are
//   clamped to +-2^28 first, so that absurd values stay defined; a figure with
//   a coordinate that is not finite draws nothing.
// - Every pixel is written through Surface::plot (draw mode, surface bounds);
//   the clip region is for block copies and does not apply here.
// - A line width w > 1 turns every pixel of the thin figure into a w x w dot
//   whose top-left corner is at (x - (w - 1) / 2, y - (w - 1) / 2) (integer
//   division): centred for odd widths, one pixel more to the right and down
//   for even ones. Box outlines thicken the same way, so a thick box is the
//   four thick lines along its sides.
// - With the invert and xor modes each pixel is written at most once per call,
//   even where thick dots, outline and fill overlap, so drawing the same
//   figure twice gives back the picture. With copy pen the fill is painted
//   first and the outline over it.
// - Text ignores the draw mode: it is painted with antialiasing (if enabled)
//   straight onto the image.
#include "platform/surface.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace plat {
namespace {

using i64 = std::int64_t;

constexpr double kCoordLimit = 268435456.0; // 2^28: products below stay in 64 bits
constexpr double kTwoPi = 6.283185307179586476925286766559;
// Arcs shorter than this are whole turns: the degree factor used by callers
// makes 360 degrees come out a hair above 2 pi.
constexpr double kTurnSlack = 1e-5;
// Samples of one quarter turn at most (keeps huge radii bounded; below about
// 150 000 pixels of radius the samples are still a quarter pixel apart).
constexpr i64 kMaxSamples = i64(1) << 20;

struct Pt {
    i64 x = 0, y = 0;
    bool operator==(const Pt&) const = default;
};

// Division rounding towards minus infinity (d > 0).
i64 floorDiv(i64 n, i64 d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }

// The pixels of the straight segment from a to b, one per coordinate of its
// longer axis (step k = 0 is a, step steps() is b). Each takes the exact
// line's other coordinate there rounded by floor(v + 0.5) in the surface's
// own coordinates, halves going right and down: a segment gives the same
// pixels whichever end it starts from, and a segment moved by whole pixels
// moves its pixels alike. Lines and the bridges of traced curves share it.
class Segment {
public:
    Segment(Pt a, Pt b) : a_(a) {
        const i64 dx = b.x - a.x, dy = b.y - a.y;
        const i64 adx = std::llabs(dx), ady = std::llabs(dy);
        xMajor_ = adx >= ady;
        major_ = xMajor_ ? adx : ady;
        step_ = (xMajor_ ? dx : dy) < 0 ? -1 : 1;
        minor_ = xMajor_ ? dy : dx;
    }
    i64 steps() const { return major_; }
    bool xMajor() const { return xMajor_; }
    // +1 or -1: the way the longer axis runs from a.
    i64 step() const { return step_; }
    Pt at(i64 k) const {
        if (major_ == 0) return a_;
        const i64 m = floorDiv(2 * k * minor_ + major_, 2 * major_);
        return xMajor_ ? Pt{a_.x + step_ * k, a_.y + m} : Pt{a_.x + m, a_.y + step_ * k};
    }

private:
    Pt a_;
    bool xMajor_ = true;
    i64 major_ = 0, step_ = 1, minor_ = 0;
};

bool touches8(Pt a, Pt b) { return std::llabs(a.x - b.x) <= 1 && std::llabs(a.y - b.y) <= 1; }

i64 pix(double v) { return toPixel(std::clamp(v, -kCoordLimit, kCoordLimit)); }

bool allFinite(std::initializer_list<double> vs) {
    for (double v : vs)
        if (!std::isfinite(v)) return false;
    return true;
}

// A pixel of a traced curve and how far its centre lies from the curve.
struct Link {
    Pt p;
    double err = 0;
};

// Buffers kept between calls, so that drawing does not allocate per pixel.
struct Scratch {
    std::vector<std::uint8_t> mark; // one byte per surface pixel, all 0 between calls
    std::vector<std::size_t> touched;
    std::vector<Link> raw;
    std::vector<Pt> chain;
    std::vector<i64> rowMin, rowMax;
};

Scratch& scratch() {
    thread_local Scratch s;
    return s;
}

// Writes the pixels of one primitive: dots of the line width, spans,
// rectangles and lines, all clipped to the surface.
class Pen {
public:
    Pen(Surface& s, int width)
        : s_(s), w_(s.image().width()), h_(s.image().height()), dot_(width < 1 ? 1 : width),
          off_((dot_ - 1) / 2), once_(s.drawMode() == drawmode::kInvert || s.drawMode() == drawmode::kXorPen),
          sc_(scratch()) {
        if (once_) {
            const std::size_t n = std::size_t(w_) * std::size_t(h_);
            if (sc_.mark.size() < n) sc_.mark.resize(n, 0);
        }
    }
    ~Pen() {
        if (!once_) return;
        for (std::size_t i : sc_.touched) sc_.mark[i] = 0;
        sc_.touched.clear();
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

    // True when each pixel is written once: then outlines go before fills.
    bool writesOnce() const { return once_; }
    int width() const { return w_; }
    int height() const { return h_; }
    int dotSize() const { return dot_; }
    int dotOffset() const { return off_; }

    void pixel(i64 x, i64 y, Color c) {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
        if (once_) {
            const std::size_t i = std::size_t(y) * std::size_t(w_) + std::size_t(x);
            if (sc_.mark[i]) return;
            sc_.mark[i] = 1;
            sc_.touched.push_back(i);
        }
        s_.plot(int(x), int(y), c);
    }

    void dot(i64 x, i64 y, Color c) {
        if (dot_ == 1) {
            pixel(x, y, c);
            return;
        }
        rect(x - off_, y - off_, x - off_ + dot_ - 1, y - off_ + dot_ - 1, c);
    }

    // The pixels x0..x1, y0..y1 (inclusive); an empty range draws nothing.
    void rect(i64 x0, i64 y0, i64 x1, i64 y1, Color c) {
        x0 = std::max<i64>(x0, 0);
        y0 = std::max<i64>(y0, 0);
        x1 = std::min<i64>(x1, w_ - 1);
        y1 = std::min<i64>(y1, h_ - 1);
        if (x0 > x1 || y0 > y1) return;
        if (!once_ && s_.drawMode() != drawmode::kInvert && s_.drawMode() != drawmode::kXorPen) {
            // Copying the pen: whole rows at once, as plot would write them.
            QImage& img = s_.image();
            const QRgb v = toQRgb(c);
            for (i64 y = y0; y <= y1; ++y) {
                QRgb* fila = reinterpret_cast<QRgb*>(img.scanLine(int(y)));
                std::fill(fila + x0, fila + x1 + 1, v);
            }
            return;
        }
        for (i64 y = y0; y <= y1; ++y)
            for (i64 x = x0; x <= x1; ++x) pixel(x, y, c);
    }

    // A line of dots from a to b (see Segment): a included, b left out
    // unless includeLast. Only the steps that can reach the surface are walked.
    void line(Pt a, Pt b, Color c, bool includeLast = false) {
        const Segment seg(a, b);
        const i64 major = seg.steps();
        if (major == 0) {
            if (includeLast) dot(a.x, a.y, c);
            return;
        }
        const i64 start = seg.xMajor() ? a.x : a.y;
        const i64 step = seg.step();
        // Major coordinates whose dot can touch the surface.
        const i64 lo = off_ - dot_ + 1;
        const i64 hi = i64(seg.xMajor() ? w_ : h_) - 1 + off_;
        i64 k0 = step > 0 ? lo - start : start - hi;
        i64 k1 = step > 0 ? hi - start : start - lo;
        k0 = std::max<i64>(k0, 0);
        k1 = std::min<i64>(k1, includeLast ? major : major - 1);
        for (i64 k = k0; k <= k1; ++k) {
            const Pt p = seg.at(k);
            dot(p.x, p.y, c);
        }
    }

private:
    Surface& s_;
    int w_, h_;
    int dot_, off_;
    bool once_;
    Scratch& sc_;
};

// Appends a pixel to a traced curve: repeats are merged, a step straight back
// is undone, and a gap is bridged by 8-connected steps.
void pushLink(std::vector<Link>& raw, Pt p, double err) {
    if (!raw.empty() && raw.back().p == p) {
        raw.back().err = std::min(raw.back().err, err);
        return;
    }
    if (raw.size() >= 2 && raw[raw.size() - 2].p == p) {
        raw.pop_back();
        raw.back().err = std::min(raw.back().err, err);
        return;
    }
    if (!raw.empty() && !touches8(raw.back().p, p)) {
        const Segment seg(raw.back().p, p);
        for (i64 k = 1; k < seg.steps(); ++k) raw.push_back({seg.at(k), err});
    }
    raw.push_back({p, err});
}

// Thins a traced curve to single steps: a pixel whose neighbours touch each
// other (the corner of an L) is dropped. Of two such corners in a row the one
// farther from the curve goes. The first and the last pixel always stay.
void thin(const std::vector<Link>& raw, std::vector<Pt>& out) {
    out.clear();
    const std::size_t n = raw.size();
    if (n == 0) return;
    out.push_back(raw[0].p);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const Pt b = raw[i].p, c = raw[i + 1].p;
        if (touches8(out.back(), c)) {
            // b can go; keep it only when c could go instead and lies farther off.
            const bool cCanGo = i + 2 < n && touches8(b, raw[i + 2].p);
            if (!cCanGo || raw[i].err >= raw[i + 1].err) continue;
        }
        if (!(out.back() == b)) out.push_back(b);
    }
    if (n > 1 && !(out.back() == raw[n - 1].p)) out.push_back(raw[n - 1].p);
}

QFont qtFont(const Font& f, bool antialias) {
    QFont q(f.name);
    // Point sizes are taken at 96 dots per inch and snapped to whole pixels,
    // as the graphics device does.
    const double px = std::clamp(f.size, 0.0, 1000.0) * 96.0 / 72.0;
    q.setPixelSize(std::max(1, int(std::lround(px))));
    q.setBold(f.bold);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikeout);
    q.setStyleStrategy(antialias ? QFont::PreferAntialias : QFont::NoAntialias);
    // Whole-pixel advances: a text is as wide as its letters measured one by one.
    q.setHintingPreference(QFont::PreferFullHinting);
    return q;
}

} // namespace

// ---- lines ----

void Surface::line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColor_); }

void Surface::line(double x1, double y1, double x2, double y2, Color c) {
    currentX_ = x2;
    currentY_ = y2;
    if (!allFinite({x1, y1, x2, y2})) return;
    Pen pen(*this, drawWidth_);
    pen.line(Pt{pix(x1), pix(y1)}, Pt{pix(x2), pix(y2)}, c & 0xFFFFFF);
}

void Surface::lineTo(double x2, double y2) { line(currentX_, currentY_, x2, y2, foreColor_); }

void Surface::lineTo(double x2, double y2, Color c) { line(currentX_, currentY_, x2, y2, c); }

// ---- boxes ----

void Surface::box(double x1, double y1, double x2, double y2) { box(x1, y1, x2, y2, foreColor_); }

void Surface::box(double x1, double y1, double x2, double y2, Color c) {
    currentX_ = x2;
    currentY_ = y2;
    if (!allFinite({x1, y1, x2, y2})) return;
    Pen pen(*this, drawWidth_);
    const i64 ax = pix(x1), ay = pix(y1), bx = pix(x2), by = pix(y2);
    const i64 l = std::min(ax, bx), r = std::max(ax, bx), t = std::min(ay, by), b = std::max(ay, by);
    const i64 d = pen.dotSize(), o = pen.dotOffset();
    // The thick outline is the ring between these two rectangles.
    const i64 ol = l - o, ot = t - o, orr = r - o + d - 1, ob = b - o + d - 1;
    const i64 il = l - o + d, it = t - o + d, ir = r - o - 1, ib = b - o - 1;
    const bool hole = il <= ir && it <= ib;
    const Color lineColor = c & 0xFFFFFF;
    if (hole && fillStyle_ == FillStyle::Solid) pen.rect(il, it, ir, ib, fillColor_);
    if (!hole) {
        pen.rect(ol, ot, orr, ob, lineColor);
        return;
    }
    pen.rect(ol, ot, orr, it - 1, lineColor); // top
    pen.rect(ol, ib + 1, orr, ob, lineColor); // bottom
    pen.rect(ol, it, il - 1, ib, lineColor);  // left
    pen.rect(ir + 1, it, orr, ib, lineColor); // right
}

void Surface::filledBox(double x1, double y1, double x2, double y2, Color c) {
    currentX_ = x2;
    currentY_ = y2;
    if (!allFinite({x1, y1, x2, y2})) return;
    Pen pen(*this, drawWidth_);
    const i64 ax = pix(x1), ay = pix(y1), bx = pix(x2), by = pix(y2);
    const i64 d = pen.dotSize(), o = pen.dotOffset();
    pen.rect(std::min(ax, bx) - o, std::min(ay, by) - o, std::max(ax, bx) - o + d - 1,
             std::max(ay, by) - o + d - 1, c & 0xFFFFFF);
}

// ---- ellipses and arcs ----

void Surface::circle(double cx, double cy, double radius, std::optional<Color> c, std::optional<double> start,
                     std::optional<double> end, std::optional<double> aspect) {
    currentX_ = cx;
    currentY_ = cy;
    const double k = std::fabs(aspect.value_or(1.0));
    const double r = std::fabs(radius);
    const bool whole = !start && !end;
    const double a0raw = start.value_or(0.0), a1raw = end.value_or(kTwoPi);
    if (!allFinite({cx, cy, r, k, a0raw, a1raw})) return;

    const double rx = k < 1.0 ? r : r / k;
    const double ry = k < 1.0 ? r * k : r;
    // The arc runs counter-clockwise from |start| to |end|, through 0 when the
    // end is smaller; angles count modulo a full turn, and equal angles (within
    // the slack) give the whole outline.
    double a0 = 0.0, sweep = kTwoPi;
    if (!whole) {
        a0 = std::fmod(std::fabs(a0raw), kTwoPi);
        sweep = std::fmod(std::fabs(a1raw) - std::fabs(a0raw), kTwoPi);
        if (sweep < 0) sweep += kTwoPi;
        if (sweep <= kTurnSlack) sweep = kTwoPi;
    }

    Pen pen(*this, drawWidth_);
    // Pixels beyond this box cannot show; the chain is pressed onto it, which
    // keeps huge figures cheap and leaves every visible pixel where it is.
    const i64 margin = pen.dotSize() + 2;
    const i64 bx0 = -margin, by0 = -margin;
    const i64 bx1 = i64(pen.width()) - 1 + margin, by1 = i64(pen.height()) - 1 + margin;
    std::vector<Link>& raw = scratch().raw;
    raw.clear();
    // How far a pixel's centre is from the curve (to first order: the
    // ellipse's equation over its gradient), so that thinning picks the same
    // pixels wherever the sampling started.
    const bool flat = !(rx > 0 && ry > 0);
    auto offCurve = [&](Pt p) {
        const double dx = double(p.x) - cx, dy = double(p.y) - cy;
        if (flat) return rx > 0 ? std::fabs(dy) : std::fabs(dx);
        const double f = (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) - 1.0;
        const double g = 2.0 * std::hypot(dx / (rx * rx), dy / (ry * ry));
        return g > 0 ? std::fabs(f) / g : std::max(rx, ry);
    };
    // Adds the curve's point (x, y): its pixel, pressed onto the box.
    auto add = [&](double x, double y) {
        const Pt p{std::clamp(pix(x), bx0, bx1), std::clamp(pix(y), by0, by1)};
        pushLink(raw, p, offCurve(p));
    };
    constexpr double kQuarter = kTwoPi / 4;
    // The curve's point at angle t. At the quarter turns it is the exact axis
    // end, so that the extreme pixels of a figure do not hang on rounding noise.
    auto pointAt = [&](double t) {
        static constexpr double kCos[4] = {1, 0, -1, 0}, kSin[4] = {0, 1, 0, -1};
        if (std::fmod(t, kQuarter) == 0) {
            const int q = int(i64(t / kQuarter) & 3);
            return std::pair{cx + rx * kCos[q], cy - ry * kSin[q]};
        }
        return std::pair{cx + rx * std::cos(t), cy - ry * std::sin(t)};
    };
    auto at = [&](double t) {
        const auto [x, y] = pointAt(t);
        add(x, y);
    };
    // Samples at most a quarter pixel apart (max(rx, ry) bounds the speed
    // along the curve), each piece between quarter turns sampled on its own.
    const double perRadian = 4.0 * std::max(rx, ry);
    auto sample = [&](double from, double to) {
        const double len = to - from;
        const i64 n = std::max<i64>(i64(std::ceil(std::min(perRadian * len, double(kMaxSamples)))), 1);
        for (i64 i = 1; i < n; ++i) at(from + len * double(i) / double(n));
    };

    const double aEnd = a0 + sweep;
    at(a0);
    double from = a0;
    for (i64 q = i64(std::floor(a0 / kQuarter)) + 1; double(q) * kQuarter < aEnd; ++q) {
        const double t = double(q) * kQuarter;
        if (t <= from) continue;
        sample(from, t);
        at(t);
        from = t;
    }
    sample(from, aEnd);
    at(whole ? 0.0 : aEnd);

    std::vector<Pt>& chain = scratch().chain;
    thin(raw, chain);
    if (whole && chain.size() > 1 && chain.back() == chain.front()) {
        chain.pop_back();
        // The seam may leave a corner pixel like the ones thin() drops.
        if (chain.size() >= 4 && touches8(chain.back(), chain[1])) chain.erase(chain.begin());
    }

    const Color lineColor = c ? (*c & 0xFFFFFF) : foreColor_;
    auto outline = [&] {
        for (const Pt& p : chain) pen.dot(p.x, p.y, lineColor);
        // Radius lines run from the centre up to the arc's end pixel.
        const Pt centre{pix(cx), pix(cy)};
        auto pixelAt = [&](double t) {
            const auto [x, y] = pointAt(t);
            return Pt{pix(x), pix(y)};
        };
        if (!whole && a0raw < 0) pen.line(centre, pixelAt(a0), lineColor);
        if (!whole && a1raw < 0) pen.line(centre, pixelAt(aEnd), lineColor);
    };
    if (!whole || fillStyle_ != FillStyle::Solid) {
        outline();
        return;
    }
    // Filled: every row between the outline's leftmost and rightmost pixel.
    auto fill = [&] {
        i64 y0 = chain.front().y, y1 = y0;
        for (const Pt& p : chain) {
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
        y0 = std::max<i64>(y0, 0);
        y1 = std::min<i64>(y1, i64(pen.height()) - 1);
        if (y0 > y1) return;
        std::vector<i64>& lo = scratch().rowMin;
        std::vector<i64>& hi = scratch().rowMax;
        const std::size_t rows = std::size_t(y1 - y0 + 1);
        lo.assign(rows, bx1 + 1);
        hi.assign(rows, bx0 - 1);
        for (const Pt& p : chain) {
            if (p.y < y0 || p.y > y1) continue;
            const std::size_t i = std::size_t(p.y - y0);
            lo[i] = std::min(lo[i], p.x);
            hi[i] = std::max(hi[i], p.x);
        }
        for (std::size_t i = 0; i < rows; ++i) pen.rect(lo[i], y0 + i64(i), hi[i], y0 + i64(i), fillColor_);
    };
    if (pen.writesOnce()) {
        outline();
        fill();
    } else {
        fill();
        outline();
    }
}

// ---- pixels ----

void Surface::pset(double x, double y) { pset(x, y, foreColor_); }

void Surface::pset(double x, double y, Color c) {
    currentX_ = x;
    currentY_ = y;
    if (!allFinite({x, y})) return;
    Pen pen(*this, drawWidth_);
    pen.dot(pix(x), pix(y), c & 0xFFFFFF);
}

// ---- flood fill ----

void Surface::floodFill(int x, int y, Color border) {
    const int w = innerWidth_, h = innerHeight_;
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    const QRgb stop = toQRgb(border) & 0xFFFFFFu;
    auto isBorder = [&](int px, int py) {
        return (reinterpret_cast<const QRgb*>(image_.constScanLine(py))[px] & 0xFFFFFFu) == stop;
    };
    if (isBorder(x, y)) return;
    // Pixels already filled are marked, so the fill colour may be anything,
    // the border colour or the region's own colour included.
    std::vector<std::uint8_t> done(std::size_t(w) * std::size_t(h), 0);
    auto open = [&](int px, int py) {
        return !done[std::size_t(py) * std::size_t(w) + std::size_t(px)] && !isBorder(px, py);
    };
    std::vector<QPoint> seeds;
    seeds.emplace_back(x, y);
    while (!seeds.empty()) {
        const QPoint s = seeds.back();
        seeds.pop_back();
        const int sy = s.y();
        if (!open(s.x(), sy)) continue;
        int xl = s.x(), xr = s.x();
        while (xl > 0 && open(xl - 1, sy)) --xl;
        while (xr < w - 1 && open(xr + 1, sy)) ++xr;
        for (int i = xl; i <= xr; ++i) {
            done[std::size_t(sy) * std::size_t(w) + std::size_t(i)] = 1;
            plot(i, sy, fillColor_);
        }
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool inRun = false;
            for (int i = xl; i <= xr; ++i) {
                const bool o = open(i, ny);
                if (o && !inRun) seeds.emplace_back(i, ny);
                inRun = o;
            }
        }
    }
}

// ---- text ----

void Surface::print(const QString& text, bool stayOnLine) {
    const QFont f = qtFont(font_, textAntialias_);
    const QFontMetrics fm(f);
    const int tw = fm.horizontalAdvance(text);
    const int th = fm.height();
    const double x = currentX_, y = currentY_;
    if (allFinite({x, y}) && !image_.isNull()) {
        const int px = int(pix(x)), py = int(pix(y));
        ++generation_;
        QPainter p(&image_);
        if (!fontTransparent_) p.fillRect(QRect(px, py, tw, th), QColor::fromRgb(toQRgb(backColor_)));
        p.setFont(f);
        p.setPen(QColor::fromRgb(toQRgb(foreColor_)));
        p.setRenderHint(QPainter::TextAntialiasing, textAntialias_);
        p.drawText(QPoint(px, py + fm.ascent()), text);
    }
    if (stayOnLine) {
        currentX_ = x + tw;
    } else {
        currentX_ = 0;
        currentY_ = y + th;
    }
}

namespace {
// Laid-out texts kept between calls: a panel that prints the same lines after
// every move lays each out once. Bounded; the oldest go all at once.
const QStaticText& textoFijo(const QFont& f, const QString& texto) {
    static QHash<QString, QStaticText> cache;
    static QString claveFuente;
    const QString fuente = f.key();
    if (fuente != claveFuente || cache.size() > 2048) {
        cache.clear();
        claveFuente = fuente;
    }
    auto it = cache.find(texto);
    if (it == cache.end()) {
        QStaticText st(texto);
        st.setTextFormat(Qt::PlainText);
        st.setPerformanceHint(QStaticText::AggressiveCaching);
        st.prepare(QTransform(), f);
        it = cache.insert(texto, st);
    }
    return *it;
}
} // namespace

void Surface::printAll(const std::vector<Texto>& textos) {
    if (textos.empty()) return;
    const QFont f = qtFont(font_, textAntialias_);
    const QFontMetrics fm(f);
    const int th = fm.height();
    // One painter for them all: the letters are the same as one print each.
    std::optional<QPainter> p;
    for (const Texto& t : textos) {
        const double x = t.x, y = t.y;
        if (allFinite({x, y}) && !image_.isNull()) {
            if (!p) {
                ++generation_;
                p.emplace(&image_);
                p->setFont(f);
                p->setRenderHint(QPainter::TextAntialiasing, textAntialias_);
            }
            const int px = int(pix(x)), py = int(pix(y));
            if (!fontTransparent_)
                p->fillRect(QRect(px, py, fm.horizontalAdvance(t.text), th), QColor::fromRgb(toQRgb(backColor_)));
            p->setPen(QColor::fromRgb(toQRgb(t.color & 0xFFFFFF)));
            p->drawStaticText(QPoint(px, py), textoFijo(f, t.text));
        }
        foreColor_ = t.color & 0xFFFFFF;
        currentX_ = 0;
        currentY_ = y + th;
    }
}

int Surface::textWidth(const QString& text) const {
    return QFontMetrics(qtFont(font_, textAntialias_)).horizontalAdvance(text);
}

int Surface::textHeight(const QString& /*text: one line is as high as any other*/) const {
    return QFontMetrics(qtFont(font_, textAntialias_)).height();
}

} // namespace plat
