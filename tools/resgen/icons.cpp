// The program icon: four interlocking jigsaw tiles, one of them lifted out;
// and the sheet of 48 x 48 button pictures: the command panel's twelve
// buttons on row 0, the dialogs' buttons on row 1.
#include "draw.h"
#include "registry.h"

#include <QLinearGradient>
#include <QRadialGradient>

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

// ---- the button sheet: 12 x 2 cells of 48 x 48 at a pitch of 49 ----

const QColor kSheetBack(0xC0, 0xC0, 0xC0);
constexpr int kButtonSide = 48;
constexpr int kButtonPitch = 49;

// A raised square button filling the cell, with a round face of the colour.
void buttonFace(QPainter& p, const QRectF& cell, const QColor& face) {
    p.save();
    p.setPen(Qt::NoPen);
    // Bevel: light on the top and left, dark on the bottom and right.
    p.setBrush(QColor(0xF4, 0xF4, 0xF4));
    p.drawRect(cell);
    p.setBrush(QColor(0x70, 0x70, 0x70));
    p.drawPolygon(QPolygonF({cell.topRight(), cell.bottomRight(), cell.bottomLeft(),
                             cell.bottomLeft() + QPointF(3, -3), cell.topRight() + QPointF(-3, 3)}));
    p.setBrush(QColor(0xD0, 0xD0, 0xD0));
    p.drawRect(cell.adjusted(3, 3, -3, -3));
    const QRectF disc = cell.adjusted(7, 7, -7, -7);
    QRadialGradient g(disc.center() - QPointF(5, 6), disc.width() * 0.75);
    g.setColorAt(0.0, shade(face, 0.45));
    g.setColorAt(1.0, shade(face, -0.25));
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(disc.translated(1.2, 1.6));
    p.setBrush(g);
    p.setPen(QPen(shade(face, -0.5), 1.2));
    p.drawEllipse(disc);
    p.restore();
}

void checkMark(QPainter& p, const QRectF& c) {
    QPainterPath tick;
    tick.moveTo(c.left() + 14, c.top() + 25);
    tick.lineTo(c.left() + 21, c.top() + 32);
    tick.lineTo(c.left() + 34, c.top() + 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void crossMark(QPainter& p, const QRectF& c) {
    p.setPen(QPen(Qt::white, 5.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c.topLeft() + QPointF(16, 16), c.topLeft() + QPointF(32, 32));
    p.drawLine(c.topLeft() + QPointF(32, 16), c.topLeft() + QPointF(16, 32));
}

void questionMark(QPainter& p, const QRectF& c) {
    QPainterPath hook;
    hook.moveTo(c.left() + 18, c.top() + 19);
    hook.cubicTo(c.left() + 18, c.top() + 11, c.left() + 31, c.top() + 11, c.left() + 31, c.top() + 19);
    hook.cubicTo(c.left() + 31, c.top() + 24, c.left() + 24, c.top() + 24, c.left() + 24, c.top() + 29);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(c.left() + 24, c.top() + 35), 2.8, 2.8);
}

// An open door with an arrow leaving through it.
void exitMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({o + QPointF(25, 15), o + QPointF(16, 15), o + QPointF(16, 33), o + QPointF(25, 33)}));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({o + QPointF(16, 15), o + QPointF(23, 18), o + QPointF(23, 36), o + QPointF(16, 33)}));
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(o + QPointF(25, 24), o + QPointF(35, 24));
    p.drawPolyline(QPolygonF({o + QPointF(31, 19.5), o + QPointF(35.5, 24), o + QPointF(31, 28.5)}));
}

// ---- the load and save window's marks (row 1), white on the button's disc ----

// An open folder with an arrow rising out of it: load a saved puzzle.
void loadMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({o + QPointF(13, 22), o + QPointF(18, 22), o + QPointF(20, 25), o + QPointF(35, 25),
                             o + QPointF(35, 34), o + QPointF(13, 34)}));
    p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(o + QPointF(24, 30), o + QPointF(24, 13));
    p.drawPolyline(QPolygonF({o + QPointF(19.5, 17.5), o + QPointF(24, 13), o + QPointF(28.5, 17.5)}));
}

// A diskette with its shutter and label: save.
void saveMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({o + QPointF(14, 13), o + QPointF(31, 13), o + QPointF(35, 17), o + QPointF(35, 35),
                             o + QPointF(14, 35)}));
    const QColor hueco(0x30, 0x50, 0x90);
    p.setBrush(hueco);
    p.drawRect(QRectF(o.x() + 18, o.y() + 13, 11, 7)); // the shutter's window
    p.setBrush(QColor(0xE8, 0xE8, 0xE8));
    p.drawRect(QRectF(o.x() + 17, o.y() + 25, 15, 8)); // the label
    p.setBrush(Qt::white);
    p.drawRect(QRectF(o.x() + 25, o.y() + 14, 3, 5));
}

// A waste bin with its lid: delete.
void deleteMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(o + QPointF(14, 16), o + QPointF(34, 16));
    p.drawPolyline(QPolygonF({o + QPointF(21, 16), o + QPointF(21, 13), o + QPointF(27, 13), o + QPointF(27, 16)}));
    p.drawPolygon(QPolygonF({o + QPointF(16, 19), o + QPointF(32, 19), o + QPointF(30, 35), o + QPointF(18, 35)}));
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    for (double x : {21.0, 24.0, 27.0}) p.drawLine(o + QPointF(x, 22), o + QPointF(x, 32));
}

// ---- the command panel's marks (row 0), white on the button's disc ----

QPen whitePen(double w) { return QPen(Qt::white, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// Two arrows crossing: shuffle.
void shuffleMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setBrush(Qt::NoBrush);
    p.setPen(whitePen(3.0));
    p.drawLine(o + QPointF(14, 17), o + QPointF(33, 31));
    p.drawLine(o + QPointF(14, 31), o + QPointF(33, 17));
    p.drawPolyline(QPolygonF({o + QPointF(28, 17), o + QPointF(33, 17), o + QPointF(33, 22)}));
    p.drawPolyline(QPolygonF({o + QPointF(28, 31), o + QPointF(33, 31), o + QPointF(33, 26)}));
}

// Three sliders: the settings.
void slidersMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(whitePen(2.0));
    for (int i = 0; i < 3; ++i) p.drawLine(o + QPointF(14, 16 + 8 * i), o + QPointF(34, 16 + 8 * i));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const double knobs[] = {19, 29, 23};
    for (int i = 0; i < 3; ++i) p.drawRect(QRectF(o.x() + knobs[i] - 2.5, o.y() + 16 + 8 * i - 3.5, 5, 7));
}

// A light bulb: the tutor.
void bulbMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(whitePen(2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(o.x() + 17, o.y() + 12, 14, 14));
    p.drawLine(o + QPointF(21, 29), o + QPointF(27, 29));
    p.drawLine(o + QPointF(21, 33), o + QPointF(27, 33));
}

// Rising bars: statistics.
void barsMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const double heights[] = {7, 13, 19};
    for (int i = 0; i < 3; ++i) p.drawRect(QRectF(o.x() + 14 + 7 * i, o.y() + 34 - heights[i], 5, heights[i]));
}

// A ruled page: the history.
void pageMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(whitePen(2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(o.x() + 16, o.y() + 12, 16, 23));
    for (int i = 0; i < 3; ++i) p.drawLine(o + QPointF(19, 18 + 5 * i), o + QPointF(29, 18 + 5 * i));
}

// An eye: the model preview.
void eyeMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    QPainterPath eye;
    eye.moveTo(o + QPointF(12, 24));
    eye.quadTo(o + QPointF(24, 12), o + QPointF(36, 24));
    eye.quadTo(o + QPointF(24, 36), o + QPointF(12, 24));
    p.setPen(whitePen(2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(eye);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(o + QPointF(24, 24), 4, 4);
}

// Two overlapping squares, the hidden one lifted: hidden pieces.
void stackMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(whitePen(2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(o.x() + 14, o.y() + 20, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(o.x() + 21, o.y() + 14, 13, 13));
}

// A grid of four cells: ordering the pieces.
void gridMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) p.drawRect(QRectF(o.x() + 15 + 10 * i, o.y() + 15 + 10 * j, 8, 8));
}

// A play triangle: solving.
void playMark(QPainter& p, const QRectF& c) {
    const QPointF o = c.topLeft();
    p.setPen(whitePen(1.5));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({o + QPointF(19, 14), o + QPointF(34, 24), o + QPointF(19, 34)}));
}

QImage buttonSheet() {
    QImage image = opaqueCanvas(12 * kButtonPitch, 2 * kButtonPitch, kSheetBack);
    QPainter p;
    beginSmooth(p, image);
    struct Button {
        int column;
        QColor face;
        void (*mark)(QPainter&, const QRectF&);
    };
    // Each button's face and mark, clipped to its cell of the row.
    auto drawRow = [&](int row, const auto& buttons) {
        for (const Button& b : buttons) {
            const QRectF cell(b.column * kButtonPitch, row * kButtonPitch, kButtonSide, kButtonSide);
            p.save();
            p.setClipRect(cell);
            buttonFace(p, cell, b.face);
            b.mark(p, cell);
            p.restore();
        }
    };
    // Row 0: the command panel's buttons 1 to 12.
    const Button row0[] = {
        {0, QColor(200, 120, 30), shuffleMark},  {1, QColor(90, 110, 130), slidersMark},
        {2, QColor(210, 170, 20), bulbMark},     {3, QColor(40, 140, 150), barsMark},
        {4, QColor(130, 80, 160), pageMark},     {5, QColor(45, 110, 200), questionMark},
        {6, QColor(200, 45, 40), exitMark},      {7, QColor(60, 150, 90), eyeMark},
        {8, QColor(150, 100, 60), stackMark},    {9, QColor(40, 160, 70), checkMark},
        {10, QColor(70, 90, 180), gridMark},     {11, QColor(180, 60, 120), playMark},
    };
    drawRow(0, row0);
    // Row 1: accept, cancel, load, save, delete, help and exit; the other cells
    // are kept free.
    const Button row1[] = {
        {0, QColor(40, 160, 70), checkMark},
        {1, QColor(200, 45, 40), crossMark},
        {2, QColor(40, 130, 170), loadMark},
        {3, QColor(60, 120, 60), saveMark},
        {4, QColor(170, 70, 50), deleteMark},
        {6, QColor(45, 110, 200), questionMark},
        {7, QColor(200, 140, 30), exitMark},
    };
    drawRow(1, row1);
    p.end();
    return image;
}

} // namespace

void addIcons(Registry& r) {
    r.addImage("icons/teselaro.png", ":/icons/teselaro.png", programIcon);
    r.addImage("sheets/BmpBoton.png", ":/sheets/BmpBoton.png", buttonSheet);
}

} // namespace resgen
