// The eight samples of the piece shapes that the settings window's shape
// buttons show: 29 x 29 cells at (30 j, 0) of the various-pictures sheet. Each
// is a small picture cut as that shape cuts it, white cut lines over a sky
// and a field; sample 0's middle 29 x 23 band is also the attraction test's
// tile.
#include "tools/resgen/draw.h"
#include "tools/resgen/registry.h"

#include <QPainterPath>

#include <cmath>

namespace resgen {

namespace {

constexpr int kLado = 29;

void fondo(QPainter& p, int x0) {
    QLinearGradient cielo(x0, 0, x0, kLado);
    cielo.setColorAt(0, QColor(0x5A, 0x8C, 0xD8));
    cielo.setColorAt(0.55, QColor(0x9C, 0xC4, 0xEC));
    cielo.setColorAt(0.56, QColor(0x4C, 0x9A, 0x3C));
    cielo.setColorAt(1, QColor(0x2E, 0x6A, 0x24));
    p.fillRect(QRect(x0, 0, kLado, kLado), cielo);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF8, 0xD8, 0x40));
    p.drawEllipse(QRectF(x0 + 18, 3, 7, 7));
}

QPainterPath estrella(QPointF c, double r) {
    QPainterPath e;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, rr = (i % 2) ? r * 0.45 : r;
        const QPointF q(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0) e.moveTo(q);
        else e.lineTo(q);
    }
    e.closeSubpath();
    return e;
}

void muestra(QPainter& p, int j) {
    const int x0 = 30 * j;
    fondo(p, x0);
    QPen corte(Qt::white, 1.2);
    p.setPen(corte);
    p.setBrush(Qt::NoBrush);
    // Two by two cells in the band 3..25, as a 2 x 2 puzzle of the shape.
    const QRectF caja(x0 + 0.5, 3.5, kLado - 1, 22);
    const double cw = caja.width() / 2, ch = caja.height() / 2;
    switch (j) {
    case 1: { // curved cuts
        QPainterPath v, h;
        v.moveTo(caja.left() + cw, caja.top());
        v.cubicTo(caja.left() + cw + 4, caja.top() + ch * 0.6, caja.left() + cw - 4, caja.top() + ch * 1.4,
                  caja.left() + cw, caja.bottom());
        h.moveTo(caja.left(), caja.top() + ch);
        h.cubicTo(caja.left() + cw * 0.6, caja.top() + ch - 4, caja.left() + cw * 1.4, caja.top() + ch + 4,
                  caja.right(), caja.top() + ch);
        p.drawPath(v);
        p.drawPath(h);
        p.drawRect(caja);
        break;
    }
    case 2: // tabs and hollows
        p.drawPath(jigsawPiece(QRectF(caja.left(), caja.top(), cw, ch), 0, 1, -1, 0));
        p.drawPath(jigsawPiece(QRectF(caja.left() + cw, caja.top() + ch, cw, ch), 1, 0, 0, -1));
        p.drawRect(caja);
        break;
    case 3: // triangles: each cell cut by both diagonals
        p.drawRect(caja);
        p.drawLine(caja.topLeft(), caja.bottomRight());
        p.drawLine(caja.topRight(), caja.bottomLeft());
        p.drawLine(QPointF(caja.left() + cw, caja.top()), QPointF(caja.left() + cw, caja.bottom()));
        p.drawLine(QPointF(caja.left(), caja.top() + ch), QPointF(caja.right(), caja.top() + ch));
        break;
    default: { // rectangles, and the figures set in rectangles
        p.drawRect(caja);
        p.drawLine(QPointF(caja.left() + cw, caja.top()), QPointF(caja.left() + cw, caja.bottom()));
        p.drawLine(QPointF(caja.left(), caja.top() + ch), QPointF(caja.right(), caja.top() + ch));
        for (int f = 0; f < 2; ++f)
            for (int c = 0; c < 2; ++c) {
                const QRectF celda(caja.left() + c * cw, caja.top() + f * ch, cw, ch);
                const QRectF dentro = celda.adjusted(3, 2.5, -3, -2.5);
                if (j == 4) p.drawEllipse(QRectF(celda.center() - QPointF(3.5, 3.5), QSizeF(7, 7)));
                if (j == 5) p.drawRect(dentro);
                if (j == 6) p.drawEllipse(dentro);
                if (j == 7) p.drawPath(estrella(celda.center(), 4.2));
            }
        break;
    }
    }
}

} // namespace

void drawShapeSamples(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int j = 0; j < 8; ++j) {
        p.setClipRect(QRect(30 * j, 0, kLado, kLado));
        muestra(p, j);
    }
    p.restore();
}

} // namespace resgen
