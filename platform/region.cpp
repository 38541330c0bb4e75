#include "platform/region.h"

#include <QPolygon>

namespace plat {

Region Region::rect(int left, int top, int right, int bottom) {
    Region r;
    r.setRect(left, top, right, bottom);
    return r;
}

void Region::setRect(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    r_ = (right > left && bottom > top) ? QRegion(left, top, right - left, bottom - top) : QRegion();
}

Region Region::polygon(const std::vector<QPoint>& points, int fillMode) {
    QPolygon poly;
    for (const QPoint& p : points) poly << p;
    return Region(QRegion(poly, fillMode == rgn::kAlternate ? Qt::OddEvenFill : Qt::WindingFill));
}

int Region::kind() const {
    if (r_.isEmpty()) return rgn::kNullRegion;
    return r_.rectCount() == 1 ? rgn::kSimpleRegion : rgn::kComplexRegion;
}

bool Region::intersects(const Region& other, int dx, int dy) const {
    if (r_.isEmpty() || other.r_.isEmpty()) return false;
    if (!r_.boundingRect().intersects(other.r_.boundingRect().translated(dx, dy))) return false;
    // The rectangles of a region come in bands: sorted by top, then left, and
    // those of one band share their top and bottom. Walk both lists band by
    // band and compare the spans of the bands that share rows.
    const QRect *a = r_.begin(), *aEnd = r_.end();
    const QRect *b = other.r_.begin(), *bEnd = other.r_.end();
    while (a != aEnd && b != bEnd) {
        const QRect* aBand = a;
        while (aBand != aEnd && aBand->top() == a->top()) ++aBand;
        const QRect* bBand = b;
        while (bBand != bEnd && bBand->top() == b->top()) ++bBand;
        const int aTop = a->top(), aBottom = a->bottom();
        const int bTop = b->top() + dy, bBottom = b->bottom() + dy;
        if (aBottom < bTop) {
            a = aBand;
            continue;
        }
        if (bBottom < aTop) {
            b = bBand;
            continue;
        }
        for (const QRect *x = a, *y = b; x != aBand && y != bBand;) {
            if (x->right() < y->left() + dx)
                ++x;
            else if (y->right() + dx < x->left())
                ++y;
            else
                return true;
        }
        if (aBottom <= bBottom) a = aBand;
        if (bBottom <= aBottom) b = bBand;
    }
    return false;
}

int combine(Region& dst, const Region& a, const Region& b, int mode) {
    const QRegion& qa = a.qregion();
    const QRegion& qb = b.qregion();
    switch (mode) {
    case rgn::kAnd: dst = Region(qa.intersected(qb)); break;
    case rgn::kOr: dst = Region(qa.united(qb)); break;
    case rgn::kXor: dst = Region(qa.xored(qb)); break;
    case rgn::kDiff: dst = Region(qa.subtracted(qb)); break;
    case rgn::kCopy: dst = Region(qa); break;
    default: return rgn::kError;
    }
    return dst.kind();
}

} // namespace plat
