// The command panel's cells of the sheet of small pictures: the
// chronometer's switch, stopped at (0, 30) and running at (39, 30), each
// 39 x 13; and the panel's tab, 9 x 33, at (98, 30) pointing right (the
// panel is shown and slides away) and at (108, 30) pointing left; and the
// tips panel's close button, 19 x 19 at (78, 30): a dark cross on a light
// raised button. The rest of the sheet (taipei.cpp) is drawn elsewhere.
#include "draw.h"
#include "registry.h"

namespace resgen {

namespace {

// A flat switch: a dark slot with a knob at one end and a lamp.
void switchCell(QPainter& p, int x0, bool running) {
    const QRect cell(x0, 30, 39, 13);
    p.fillRect(cell, QColor(0xC0, 0xC0, 0xC0));
    const QRectF slot(x0 + 1.5, 31.5, 24, 10);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.0));
    p.setBrush(QColor(0x70, 0x70, 0x70));
    p.drawRoundedRect(slot, 5, 5);
    const QRectF knob = running ? QRectF(x0 + 15.5, 31.5, 10, 10) : QRectF(x0 + 1.5, 31.5, 10, 10);
    p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    p.drawEllipse(knob);
    const QColor lamp = running ? QColor(40, 200, 70) : QColor(200, 45, 40);
    p.setPen(QPen(shade(lamp, -0.5), 1.0));
    p.setBrush(lamp);
    p.drawEllipse(QRectF(x0 + 28.5, 32.5, 8, 8));
}

void tabCell(QPainter& p, int x0, bool pointsRight) {
    const QRect cell(x0, 30, 9, 33);
    p.fillRect(cell, QColor(0x84, 0x24, 0x04)); // the panel's dark edge colour
    p.setPen(QPen(QColor(0xFC, 0x9C, 0x7C), 1.0));
    p.drawLine(x0, 30, x0 + 8, 30);
    p.drawLine(x0, 30, x0, 62);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const double cx = x0 + 4.5, cy = 46.5;
    if (pointsRight)
        p.drawPolygon(QPolygonF({QPointF(cx - 2, cy - 4), QPointF(cx + 2.5, cy), QPointF(cx - 2, cy + 4)}));
    else
        p.drawPolygon(QPolygonF({QPointF(cx + 2, cy - 4), QPointF(cx - 2.5, cy), QPointF(cx + 2, cy + 4)}));
}

// The close button: a light face with a white top-left and a grey
// bottom-right edge, and a dark cross in the middle.
void closeCell(QPainter& p, int x0, int y0) {
    constexpr int kLado = 19;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(x0, y0, kLado, kLado), QColor(0xE4, 0xE4, 0xE4));
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    p.drawLine(x0, y0, x0 + kLado - 2, y0);
    p.drawLine(x0, y0, x0, y0 + kLado - 2);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawLine(x0, y0 + kLado - 1, x0 + kLado - 1, y0 + kLado - 1);
    p.drawLine(x0 + kLado - 1, y0, x0 + kLado - 1, y0 + kLado - 1);
    p.setPen(QColor(0x90, 0x90, 0x90));
    p.drawLine(x0 + 1, y0 + kLado - 2, x0 + kLado - 2, y0 + kLado - 2);
    p.drawLine(x0 + kLado - 2, y0 + 1, x0 + kLado - 2, y0 + kLado - 2);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2.2, Qt::SolidLine, Qt::RoundCap));
    const double a = 5.5, b = kLado - 6.5;
    p.drawLine(QPointF(x0 + a, y0 + a), QPointF(x0 + b, y0 + b));
    p.drawLine(QPointF(x0 + b, y0 + a), QPointF(x0 + a, y0 + b));
    p.restore();
}

} // namespace

void drawPanelCells(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    switchCell(p, 0, false);
    switchCell(p, 39, true);
    tabCell(p, 98, true);
    tabCell(p, 108, false);
    closeCell(p, 78, 30);
    p.restore();
}

} // namespace resgen
