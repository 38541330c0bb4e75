// The program icon: four interlocking jigsaw tiles, one of them lifted out.
#include "draw.h"
#include "registry.h"

#include <QLinearGradient>

namespace resgen {

namespace {

QImage programIcon() {
    QImage image = transparentCanvas(64, 64);
    QPainter p;
    beginSmooth(p, image);
    struct Tile {
        int col, row;
        int top, right, bottom, left;
        QColor colour;
        QPointF shift;
    };
    // Neighbouring sides fit: a tab on one side meets a hollow on the other.
    const Tile tiles[] = {
        {0, 0, 0, +1, -1, 0, QColor(231, 76, 60), {0, 0}},
        {1, 0, 0, 0, +1, -1, QColor(52, 152, 219), {0, 0}},
        {0, 1, +1, -1, 0, 0, QColor(46, 184, 92), {0, 0}},
        {1, 1, -1, 0, 0, +1, QColor(245, 196, 40), {4.0, 4.0}},
    };
    const double cell = 22.0, origin = 9.0;
    for (const Tile& t : tiles) {
        const QRectF r(origin + t.col * cell + t.shift.x(), origin + t.row * cell + t.shift.y(), cell, cell);
        const QPainterPath piece = jigsawPiece(r, t.top, t.right, t.bottom, t.left);
        if (!t.shift.isNull()) {  // the lifted tile casts a soft shadow
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 70));
            p.drawPath(piece.translated(1.5, 2.0));
        }
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0.0, shade(t.colour, 0.35));
        g.setColorAt(1.0, shade(t.colour, -0.15));
        p.setBrush(g);
        p.setPen(QPen(shade(t.colour, -0.55), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(piece);
        // A light edge on the upper left for a little relief.
        p.setPen(QPen(QColor(255, 255, 255, 110), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawLine(r.topLeft() + QPointF(2.5, 2.5), r.topLeft() + QPointF(cell * 0.3, 2.5));
        p.drawLine(r.topLeft() + QPointF(2.5, 2.5), r.topLeft() + QPointF(2.5, cell * 0.3));
    }
    p.end();
    return image;
}

} // namespace

void addIcons(Registry& r) {
    r.addImage("icons/teselaro.png", ":/icons/teselaro.png", programIcon);
}

} // namespace resgen
