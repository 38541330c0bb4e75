// The mouse cursors: hands and arrows with black outlines around white or
// coloured fills, so that they read on light and dark tables alike.
#include "draw.h"
#include "registry.h"

#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace resgen {

namespace {

constexpr int kSide = 32;
constexpr double kOutline = 1.6;

const QColor kWhite(255, 255, 255);
const QColor kGreen(96, 205, 82);
const QColor kRed(232, 74, 62);
const QColor kYellow(255, 214, 64);

// Fills a shape and strokes its outline in black.
void paintShape(QPainter& p, const QPainterPath& shape, const QColor& fill, double outline = kOutline) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);
    QPen pen(Qt::black, outline);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

void drawLines(QPainter& p, std::initializer_list<QLineF> lines, double width = 1.1) {
    QPen pen(Qt::black, width);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    for (const QLineF& l : lines) p.drawLine(l);
}

// A cursor painted by `paint` on a transparent canvas of its size.
template <class Paint> Cursor paintCursor(QPoint hotspot, Paint&& paint) {
    QImage image = transparentCanvas(kSide, kSide);
    QPainter p;
    beginSmooth(p, image);
    paint(p);
    p.end();
    return {image, hotspot};
}

// `turns` quarter turns clockwise about the centre of the canvas. They map
// the pixel grid onto itself, so shapes turned by them are exact turns of
// one another.
QTransform quarterTurns(int turns) {
    QTransform t;
    t.translate(kSide / 2.0, kSide / 2.0);
    t.rotate(90.0 * turns);
    t.translate(-kSide / 2.0, -kSide / 2.0);
    return t;
}

// An open hand, palm towards the viewer, fingers spread upwards.
Cursor openHand(const QColor& fill) {
    return paintCursor(QPoint(16, 20), [&](QPainter& p) {
        QPainterPath hand;
        hand.addRoundedRect(QRectF(8.5, 14.0, 17.0, 15.0), 5.0, 5.0);
        hand = hand.united(capsule({11.0, 6.0}, {11.0, 17.0}, 4.0));   // index
        hand = hand.united(capsule({15.5, 3.5}, {15.5, 17.0}, 4.0));   // middle
        hand = hand.united(capsule({20.0, 5.0}, {20.0, 17.0}, 4.0));   // ring
        hand = hand.united(capsule({24.0, 9.0}, {24.0, 19.0}, 3.6));   // little
        hand = hand.united(capsule({4.5, 13.5}, {10.0, 21.5}, 4.4));   // thumb
        paintShape(p, hand.simplified(), fill);
        // The gaps between the fingers, down to the palm.
        drawLines(p, {QLineF(13.25, 9.0, 13.25, 16.0), QLineF(17.75, 8.0, 17.75, 16.0),
                      QLineF(22.1, 11.0, 22.1, 17.0)});
    });
}

// A hand pointing up with its forefinger; the tip is the hotspot.
Cursor pointingHand() {
    return paintCursor(QPoint(13, 1), [&](QPainter& p) {
        QPainterPath hand;
        hand.addRoundedRect(QRectF(9.5, 15.5, 17.0, 14.0), 4.5, 4.5);
        hand = hand.united(capsule({13.0, 3.0}, {13.0, 19.0}, 4.4));   // forefinger
        hand = hand.united(capsule({17.5, 14.0}, {17.5, 19.0}, 4.2));  // folded fingers
        hand = hand.united(capsule({21.3, 15.0}, {21.3, 20.0}, 4.0));
        hand = hand.united(capsule({24.6, 16.5}, {24.6, 21.0}, 3.6));
        hand = hand.united(capsule({6.0, 17.0}, {10.5, 23.0}, 4.4));   // thumb
        paintShape(p, hand.simplified(), kWhite);
        drawLines(p, {QLineF(15.3, 14.0, 15.3, 20.5), QLineF(19.4, 15.0, 19.4, 21.0),
                      QLineF(23.0, 16.5, 23.0, 21.5)});
    });
}

// A closed hand holding something: the knuckles on top, the thumb tucked in.
Cursor closedHand() {
    return paintCursor(QPoint(16, 18), [&](QPainter& p) {
        QPainterPath hand;
        hand.addRoundedRect(QRectF(8.0, 12.0, 18.0, 16.0), 5.0, 5.0);
        for (double x : {11.0, 15.3, 19.6, 23.6}) hand = hand.united(capsule({x, 11.5}, {x, 15.0}, 4.2));
        paintShape(p, hand.simplified(), kWhite);
        drawLines(p, {QLineF(13.15, 11.0, 13.15, 16.0), QLineF(17.45, 11.0, 17.45, 16.0),
                      QLineF(21.6, 11.0, 21.6, 16.0)});
        // The thumb folded across the front of the fingers.
        paintShape(p, capsule({6.5, 17.5}, {17.0, 20.0}, 4.4), kWhite, 1.4);
    });
}

// A bold arrow pointing up, turned a quarter turn `turns` times clockwise.
Cursor arrow(int turns) {
    return paintCursor(QPoint(16, 16), [&](QPainter& p) {
        p.setTransform(quarterTurns(turns));
        QPainterPath shape;
        shape.addPolygon(QPolygonF({QPointF(16, 2.5), QPointF(28.5, 15.5), QPointF(21, 15.5),
                                    QPointF(21, 29.5), QPointF(11, 29.5), QPointF(11, 15.5),
                                    QPointF(3.5, 15.5)}));
        shape.closeSubpath();
        paintShape(p, shape, kWhite, 2.0);
    });
}

// Arrows to all four sides.
Cursor crossArrows() {
    return paintCursor(QPoint(16, 16), [&](QPainter& p) {
        QPainterPath shape;
        for (int turn = 0; turn < 4; ++turn) {
            QPainterPath arm;
            arm.addPolygon(QPolygonF({QPointF(16, 1.5), QPointF(21.5, 7.5), QPointF(18.5, 7.5),
                                      QPointF(18.5, 16), QPointF(13.5, 16), QPointF(13.5, 7.5),
                                      QPointF(10.5, 7.5)}));
            arm.closeSubpath();
            shape = shape.united(quarterTurns(turn).map(arm));
        }
        QPainterPath middle;
        middle.addRect(QRectF(13.5, 13.5, 5.0, 5.0));
        paintShape(p, shape.united(middle).simplified(), kWhite, 1.5);
    });
}

// The no-entry sign: a red disc with a white bar.
Cursor noEntry() {
    return paintCursor(QPoint(16, 16), [&](QPainter& p) {
        QPainterPath disc;
        disc.addEllipse(QPointF(16, 16), 13.5, 13.5);
        paintShape(p, disc, kRed, 1.4);
        QPainterPath bar;
        bar.addRoundedRect(QRectF(7.0, 13.0, 18.0, 6.0), 1.5, 1.5);
        paintShape(p, bar, kWhite, 1.0);
    });
}

// The tutor's pointer: a yellow arrow pointer with a small star at its tail.
Cursor tutorPointer() {
    return paintCursor(QPoint(2, 2), [&](QPainter& p) {
        QPainterPath shape;
        shape.addPolygon(QPolygonF({QPointF(2, 2), QPointF(2, 22), QPointF(7, 17.5), QPointF(11, 26),
                                    QPointF(15, 24), QPointF(11, 16), QPointF(18, 16)}));
        shape.closeSubpath();
        paintShape(p, shape, kYellow, 1.5);
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            const double r = i % 2 ? 2.6 : 6.0;
            star << QPointF(24.5 + r * std::cos(angle), 24.5 + r * std::sin(angle));
        }
        QPainterPath starPath;
        starPath.addPolygon(star);
        starPath.closeSubpath();
        paintShape(p, starPath, QColor(255, 150, 40), 1.2);
    });
}

} // namespace

void addCursors(Registry& r) {
    r.addCursor("MANOABIERTA", [] { return openHand(kWhite); });
    r.addCursor("MANOVERDE", [] { return openHand(kGreen); });
    r.addCursor("MANOROJA", [] { return openHand(kRed); });
    r.addCursor("MANOINDICE", pointingHand);
    r.addCursor("FLECHANOR", [] { return arrow(0); });
    r.addCursor("FLECHAEST", [] { return arrow(1); });
    r.addCursor("FLECHASUR", [] { return arrow(2); });
    r.addCursor("FLECHAOES", [] { return arrow(3); });
    r.addCursor("MANOCERRADA", closedHand);
    r.addCursor("PUNTUTOR", tutorPointer);
    r.addCursor("CRUZFLECHAS", crossArrows);
    r.addCursor("PROHIBIDO", noEntry);
}

} // namespace resgen
