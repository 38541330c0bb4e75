// The splash picture shown while the program starts: the name and version
// over a band of jigsaw tiles.
#include "draw.h"
#include "registry.h"

#include <QFont>
#include <QLinearGradient>

namespace resgen {

namespace {

QImage splashPicture() {
    const int w = 403, h = 187;
    QImage image = opaqueCanvas(w, h, QColor(18, 40, 74));
    QPainter p;
    beginSmooth(p, image);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(28, 64, 118));
    sky.setColorAt(1.0, QColor(10, 24, 48));
    p.fillRect(0, 0, w, h, sky);

    // A row of interlocking tiles along the bottom, each fitting its neighbours.
    const QColor colours[] = {QColor(231, 76, 60), QColor(52, 152, 219), QColor(46, 184, 92),
                              QColor(245, 196, 40), QColor(155, 89, 182), QColor(230, 126, 34)};
    const double cell = 34.0, top = h - 52.0;
    int side = 1;
    for (int i = 0; i * cell < w + cell; ++i) {
        const QRectF r(-10 + i * cell, top + (i % 2 ? 4 : 0), cell, cell);
        const int left = i == 0 ? 0 : -side;
        side = (i % 2) ? 1 : -1;
        const QPainterPath piece = jigsawPiece(r, 0, side, 0, left);
        const QColor c = colours[i % 6];
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0.0, shade(c, 0.3));
        g.setColorAt(1.0, shade(c, -0.2));
        p.setPen(QPen(shade(c, -0.5), 1.2));
        p.setBrush(g);
        p.drawPath(piece);
    }

    // The name, with a soft shadow, and the version beside it.
    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(54);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(name);
    const QRect nameBox(0, 18, w, 70);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(nameBox.translated(3, 3), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("TESELARO"));
    p.setPen(QColor(255, 236, 170));
    p.drawText(nameBox, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("TESELARO"));

    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(15);
    p.setFont(small);
    p.setPen(QColor(200, 218, 240));
    p.drawText(QRect(0, 86, w, 22), Qt::AlignHCenter,
               QString::fromUtf8("Puzzles para un jugador  ·  versión 3.4"));

    // A thin raised frame.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(QPen(QColor(0, 0, 0, 180), 1));
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void addSplash(Registry& r) {
    r.addImage(QStringLiteral("sheets/careta.png"), QStringLiteral(":/sheets/careta.png"), splashPicture);
}

} // namespace resgen
