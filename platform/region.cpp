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
