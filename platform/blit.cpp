// Block transfers. Every supported operation is bitwise, so it works on the
// 32-bit words of the RGB32 scanlines directly, whatever the channel order;
// the top byte of each result is set to opaque.
#include "platform/blit.h"

#include "platform/region.h"
#include "platform/surface.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace plat {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

enum class Op { Copy, Or, And, Xor, NotSrc, DstAndNotSrc };

bool decode(std::uint32_t code, Op& op) {
    switch ((code >> 16) & 0xFFu) {
    case 0xCC: op = Op::Copy; return true;
    case 0xEE: op = Op::Or; return true;
    case 0x88: op = Op::And; return true;
    case 0x66: op = Op::Xor; return true;
    case 0x33: op = Op::NotSrc; return true;
    case 0x22: op = Op::DstAndNotSrc; return true;
    default: return false;
    }
}

template <Op op> inline std::uint32_t apply(std::uint32_t s, std::uint32_t d) {
    if constexpr (op == Op::Copy) return s | kOpaque;
    else if constexpr (op == Op::Or) return (s | d) | kOpaque;
    else if constexpr (op == Op::And) return (s & d) | kOpaque;
    else if constexpr (op == Op::Xor) return (s ^ d) | kOpaque;
    else if constexpr (op == Op::NotSrc) return ~s | kOpaque;
    else return (d & ~s) | kOpaque;
}

// A rectangle of the destination, half-open.
struct Span {
    int x0, y0, x1, y1;
};

struct Plane {
    std::uint8_t* bits;
    qsizetype bpl;
    std::uint32_t* row(int y) const { return reinterpret_cast<std::uint32_t*>(bits + y * bpl); }
};

struct ConstPlane {
    const std::uint8_t* bits;
    qsizetype bpl;
    const std::uint32_t* row(int y) const {
        return reinterpret_cast<const std::uint32_t*>(bits + y * bpl);
    }
};

// Straight transfer: destination (x, y) reads source (x + ox, y + oy).
template <Op op>
void blitSpan(const Plane& d, const ConstPlane& s, const Span& r, int ox, int oy) {
    const int n = r.x1 - r.x0;
    for (int y = r.y0; y < r.y1; ++y) {
        // Never the same pixels: a surface copied onto itself reads from a copy.
        std::uint32_t* __restrict dp = d.row(y) + r.x0;
        const std::uint32_t* __restrict sp = s.row(y + oy) + (r.x0 + ox);
        int i = 0;
        // Blocks of eight, which the compiler turns into vector operations.
        for (; i + 8 <= n; i += 8) {
            std::uint32_t a[8];
            for (int k = 0; k < 8; ++k) a[k] = apply<op>(sp[i + k], dp[i + k]);
            for (int k = 0; k < 8; ++k) dp[i + k] = a[k];
        }
        for (; i < n; ++i) dp[i] = apply<op>(sp[i], dp[i]);
    }
}

void blitSpanOp(Op op, const Plane& d, const ConstPlane& s, const Span& r, int ox, int oy) {
    switch (op) {
    case Op::Copy: blitSpan<Op::Copy>(d, s, r, ox, oy); break;
    case Op::Or: blitSpan<Op::Or>(d, s, r, ox, oy); break;
    case Op::And: blitSpan<Op::And>(d, s, r, ox, oy); break;
    case Op::Xor: blitSpan<Op::Xor>(d, s, r, ox, oy); break;
    case Op::NotSrc: blitSpan<Op::NotSrc>(d, s, r, ox, oy); break;
    case Op::DstAndNotSrc: blitSpan<Op::DstAndNotSrc>(d, s, r, ox, oy); break;
    }
}

// Mapped transfer: destination (x, y) reads source (cols[x], rows[y]); a
// negative entry leaves the pixel alone.
template <Op op>
void stretchSpan(const Plane& d, const ConstPlane& s, const Span& r, const std::vector<int>& cols,
                 const std::vector<int>& rows) {
    for (int y = r.y0; y < r.y1; ++y) {
        if (rows[size_t(y)] < 0) continue;
        std::uint32_t* dp = d.row(y);
        const std::uint32_t* sp = s.row(rows[size_t(y)]);
        for (int x = r.x0; x < r.x1; ++x) {
            const int c = cols[size_t(x)];
            if (c >= 0) dp[x] = apply<op>(sp[c], dp[x]);
        }
    }
}

void stretchSpanOp(Op op, const Plane& d, const ConstPlane& s, const Span& r,
                   const std::vector<int>& cols, const std::vector<int>& rows) {
    switch (op) {
    case Op::Copy: stretchSpan<Op::Copy>(d, s, r, cols, rows); break;
    case Op::Or: stretchSpan<Op::Or>(d, s, r, cols, rows); break;
    case Op::And: stretchSpan<Op::And>(d, s, r, cols, rows); break;
    case Op::Xor: stretchSpan<Op::Xor>(d, s, r, cols, rows); break;
    case Op::NotSrc: stretchSpan<Op::NotSrc>(d, s, r, cols, rows); break;
    case Op::DstAndNotSrc: stretchSpan<Op::DstAndNotSrc>(d, s, r, cols, rows); break;
    }
}

// Calls f for every part of the area that the destination's clip region
// lets through (the whole area when no region is selected).
template <class F> void forEachClipped(const Surface& dst, const Span& area, F&& f) {
    const Region* clip = dst.clipRegion();
    if (!clip) {
        f(area);
        return;
    }
    for (const QRect& q : clip->qregion()) {
        Span r{std::max(area.x0, q.left()), std::max(area.y0, q.top()),
               std::min(area.x1, q.right() + 1), std::min(area.y1, q.bottom() + 1)};
        if (r.x0 < r.x1 && r.y0 < r.y1) f(r);
    }
}

// Destination pixel -> source pixel along one axis of a stretch: entry c of
// the result is the source coordinate for destination coordinate c, or -1.
std::vector<int> axisMap(int dstSize, int srcSize, long long d, long long dn, long long s,
                         long long sn) {
    std::vector<int> map(size_t(std::max(dstSize, 0)), -1);
    const long long dlen = std::llabs(dn), slen = std::llabs(sn);
    const int dstep = dn < 0 ? -1 : 1, sstep = sn < 0 ? -1 : 1;
    // The steps i whose destination coordinate d + i * dstep lies on the surface.
    long long i0, i1;
    if (dstep > 0) {
        i0 = std::max(0LL, -d);
        i1 = std::min(dlen, (long long)dstSize - d);
    } else {
        i0 = std::max(0LL, d - (long long)dstSize + 1);
        i1 = std::min(dlen, d + 1);
    }
    for (long long i = i0; i < i1; ++i) {
        // The source pixel under the centre of destination pixel i.
        const long long k = ((2 * i + 1) * slen) / (2 * dlen);
        const long long sc = s + k * sstep;
        if (sc >= 0 && sc < srcSize) map[size_t(d + i * dstep)] = int(sc);
    }
    return map;
}

} // namespace

bool isSupportedRop(std::uint32_t code) {
    Op op;
    return decode(code, op);
}

bool bitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            std::uint32_t rop) {
    Op op;
    if (!decode(rop, op)) return false;
    if (w <= 0 || h <= 0) return true;
    if (dst.hasClipRegion() && dst.clipRegion()->isEmpty()) return true;

    const int dw = dst.image().width(), dh = dst.image().height();
    const int sw = src.image().width(), sh = src.image().height();
    // Destination area: the requested block, on the destination, over source pixels.
    const long long ox = (long long)sx - x, oy = (long long)sy - y;
    const long long ax0 = std::max({(long long)x, 0LL, -ox});
    const long long ay0 = std::max({(long long)y, 0LL, -oy});
    const long long ax1 = std::min({(long long)x + w, (long long)dw, sw - ox});
    const long long ay1 = std::min({(long long)y + h, (long long)dh, sh - oy});
    if (ax0 >= ax1 || ay0 >= ay1) return true;
    const Span area{int(ax0), int(ay0), int(ax1), int(ay1)};

    // One surface onto itself: read from a copy of the source block, so that
    // overlapping blocks combine the pixels as they were before the call.
    QImage aside;
    int sox = int(ox), soy = int(oy);
    if (&src == &dst) {
        aside = src.image().copy(int(ax0 + ox), int(ay0 + oy), area.x1 - area.x0, area.y1 - area.y0);
        sox = -area.x0;
        soy = -area.y0;
    }

    // The destination's bits first: a shared image detaches here, before the
    // source is read.
    QImage& dimg = dst.image();
    const Plane d{dimg.bits(), dimg.bytesPerLine()};
    const QImage& simg = aside.isNull() ? src.image() : aside;
    const ConstPlane s{simg.constBits(), simg.bytesPerLine()};

    forEachClipped(dst, area, [&](const Span& r) { blitSpanOp(op, d, s, r, sox, soy); });
    return true;
}

void setStretchBltMode(Surface&, int) {}

bool stretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, std::uint32_t rop) {
    Op op;
    if (!decode(rop, op)) return false;
    if (w == 0 || h == 0 || sw == 0 || sh == 0) return true;
    if (dst.hasClipRegion() && dst.clipRegion()->isEmpty()) return true;

    const int dw = dst.image().width(), dh = dst.image().height();
    const std::vector<int> cols = axisMap(dw, src.image().width(), x, w, sx, sw);
    const std::vector<int> rows = axisMap(dh, src.image().height(), y, h, sy, sh);

    // The destination columns and rows that take a source pixel.
    int cx0 = dw, cx1 = 0, cy0 = dh, cy1 = 0;
    for (int c = 0; c < dw; ++c)
        if (cols[size_t(c)] >= 0) cx0 = std::min(cx0, c), cx1 = c + 1;
    for (int r = 0; r < dh; ++r)
        if (rows[size_t(r)] >= 0) cy0 = std::min(cy0, r), cy1 = r + 1;
    if (cx0 >= cx1 || cy0 >= cy1) return true;
    const Span area{cx0, cy0, cx1, cy1};

    QImage aside;
    if (&src == &dst) aside = src.image().copy();
    QImage& dimg = dst.image();
    const Plane d{dimg.bits(), dimg.bytesPerLine()};
    const QImage& simg = aside.isNull() ? src.image() : aside;
    const ConstPlane s{simg.constBits(), simg.bytesPerLine()};

    forEachClipped(dst, area, [&](const Span& r) { stretchSpanOp(op, d, s, r, cols, rows); });
    return true;
}

std::vector<std::uint32_t> getPixelBlock(const Surface& s) {
    const QImage& img = s.image();
    const int w = img.width(), h = img.height();
    std::vector<std::uint32_t> px(size_t(w) * size_t(h));
    for (int j = 0; j < h; ++j) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(h - 1 - j));
        std::uint32_t* out = px.data() + size_t(j) * size_t(w);
        for (int i = 0; i < w; ++i) out[i] = row[i] & 0x00FFFFFFu;
    }
    return px;
}

bool setPixelBlock(Surface& s, int w, int h, const std::vector<std::uint32_t>& px) {
    if (w < 0 || h < 0) return false;
    const unsigned long long need = (unsigned long long)w * (unsigned long long)h;
    if (px.size() < need) return false;
    if (need == 0) {
        s.setImage(QImage());
        return true;
    }
    QImage img(w, h, QImage::Format_RGB32);
    if (img.isNull()) return false; // too large to hold
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
        const std::uint32_t* in = px.data() + size_t(h - 1 - y) * size_t(w);
        for (int i = 0; i < w; ++i) row[i] = in[i] | kOpaque;
    }
    s.setImage(img);
    return true;
}

} // namespace plat
