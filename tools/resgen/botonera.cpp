// The command panel's cells of the sheet of small pictures: the
// chronometer's switch, stopped at (0, 30) and running at (39, 30), each
// 39 x 13; and the panel's tab, 9 x 33, at (98, 30) pointing right (the
// panel is shown and slides away) and at (108, 30) pointing left. The rest of
// the sheet (taipei.cpp) is drawn elsewhere.
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

} // namespace

void drawPanelCells(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    switchCell(p, 0, false);
    switchCell(p, 39, true);
    tabCell(p, 98, true);
    tabCell(p, 108, false);
    p.restore();
}

} // namespace resgen
