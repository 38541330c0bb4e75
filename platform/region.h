// Clip and test regions in pixels. Rectangles are half-open: (l, t)-(r, b)
// covers x = l .. r - 1 and y = t .. b - 1. Polygons are filled by the
// winding or alternate rule.
#pragma once

#include <QPoint>
#include <QRegion>
#include <vector>

namespace plat {

// Results of combine(): what the destination region became.
namespace rgn {
constexpr int kError = 0;
constexpr int kNullRegion = 1;
constexpr int kSimpleRegion = 2;
constexpr int kComplexRegion = 3;
// Combination modes.
constexpr int kAnd = 1;
constexpr int kOr = 2;
constexpr int kXor = 3;
constexpr int kDiff = 4;
constexpr int kCopy = 5;
// Polygon fill modes.
constexpr int kAlternate = 1;
constexpr int kWinding = 2;
} // namespace rgn

class Region {
public:
    Region() = default;
    explicit Region(const QRegion& r) : r_(r) {}
    static Region rect(int left, int top, int right, int bottom);
    static Region polygon(const std::vector<QPoint>& points, int fillMode = rgn::kWinding);

    void setRect(int left, int top, int right, int bottom);
    bool isEmpty() const { return r_.isEmpty(); }
    bool contains(int x, int y) const { return r_.contains(QPoint(x, y)); }
    // Whether this region and `other` moved by (dx, dy) share a pixel: what
    // combine() with kAnd answers by a result above kNullRegion, without
    // building the intersection or the moved region. The boxes are compared
    // first.
    bool intersects(const Region& other, int dx = 0, int dy = 0) const;
    // kNullRegion, kSimpleRegion (one rectangle) or kComplexRegion.
    int kind() const;
    const QRegion& qregion() const { return r_; }
    QRect bounds() const { return r_.boundingRect(); }

private:
    QRegion r_;
};

// dst = a (mode) b; returns the kind of the result, or kError for an unknown mode.
int combine(Region& dst, const Region& a, const Region& b, int mode);

} // namespace plat
