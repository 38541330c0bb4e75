// The Taipei tile sheets: the sheet of assorted parts with the tile bodies and
// the tile mask, and the sheet of the 42 tile faces.
//
// A tile is 56 x 73: its top face covers (0, 0)-(49, 66) and the levels below
// it show 6 pixels to the right and bottom, so every tile has its relief on
// those two sides. The face picture lies in the window (3, 4)-(44, 61).
#include "draw.h"
#include "registry.h"

#include <QFont>
#include <QPainterPath>

namespace resgen {

namespace {

constexpr int kVarioW = 524, kVarioH = 73;
constexpr int kTileW = 56, kTileH = 73;
constexpr int kTopW = 50, kTopH = 67; // the top face
constexpr int kDepth = 6;
constexpr int kFaceW = 42, kFaceH = 58;

constexpr int kBone = 240, kMask = 297, kGreen = 354, kRed = 411, kWood = 468;

// Whether (x, y) of a tile cell lies on the tile: the top face and its copies
// moved down-right by 1..6 pixels, with the corners rounded by 3 pixels.
bool onTopFace(int x, int y, int dx) {
    x -= dx;
    y -= dx;
    if (x < 0 || y < 0 || x >= kTopW || y >= kTopH) return false;
    const int cx = std::min(x, kTopW - 1 - x), cy = std::min(y, kTopH - 1 - y);
    return !(cx + cy < 2);
}

bool onTile(int x, int y) {
    for (int d = 0; d <= kDepth; ++d)
        if (onTopFace(x, y, d)) return true;
    return false;
}

struct Material {
    QColor top, topEdge, side, sideDark;
};

// One tile body: the top face in the material, the relief in the side colour.
void drawBody(QImage& img, int x0, const Material& m) {
    for (int y = 0; y < kTileH; ++y)
        for (int x = 0; x < kTileW; ++x) {
            QColor c(Qt::white);
            if (onTopFace(x, y, 0)) {
                const bool edge = !onTopFace(x - 1, y, 0) || !onTopFace(x, y - 1, 0) ||
                                  !onTopFace(x + 1, y, 0) || !onTopFace(x, y + 1, 0);
                c = edge ? m.topEdge : m.top;
            } else if (onTile(x, y)) {
                // Stripes of the lower layers along the relief.
                int layer = 0;
                for (int d = 1; d <= kDepth; ++d)
                    if (onTopFace(x, y, d)) {
                        layer = d;
                        break;
                    }
                c = (layer % 3 == 0) ? m.sideDark : m.side;
            }
            img.setPixelColor(x0 + x, y, c);
        }
}

QImage variousSheet() {
    QImage img = opaqueCanvas(kVarioW, kVarioH, QColor(0xC0, 0xC0, 0xC0));
    const Material bone{QColor(0xF4, 0xEE, 0xDC), QColor(0xC8, 0xBE, 0xA4), QColor(0xE0, 0xC9, 0x8E),
                        QColor(0xB0, 0x98, 0x60)};
    const Material wood{QColor(0xC8, 0x9A, 0x64), QColor(0x80, 0x58, 0x30), QColor(0x6A, 0x40, 0x1E),
                        QColor(0x4A, 0x2A, 0x10)};
    const Material green{bone.top, bone.topEdge, QColor(0x30, 0xB0, 0x40), QColor(0x18, 0x70, 0x20)};
    const Material red{bone.top, bone.topEdge, QColor(0xD8, 0x30, 0x28), QColor(0x90, 0x18, 0x10)};
    drawBody(img, kBone, bone);
    drawBody(img, kGreen, green);
    drawBody(img, kRed, red);
    drawBody(img, kWood, wood);
    for (int y = 0; y < kTileH; ++y)
        for (int x = 0; x < kTileW; ++x) img.setPixelColor(kMask + x, y, onTile(x, y) ? Qt::black : Qt::white);
    QPainter p(&img);
    drawPanelCells(p); // the chronometer switch and the panel tab, left of the bodies
    drawShapeSamples(p); // the settings window's shape buttons, along the top
    return img;
}

// ---- faces ----

const QColor kFaceBack(0xF4, 0xEE, 0xDC);
const QColor kInk(0x1E, 0x2A, 0x6E);
const QColor kRedInk(0xC0, 0x20, 0x20);
const QColor kGreenInk(0x1A, 0x80, 0x30);

void corner(QPainter& p, const QRectF& r, const QString& t, const QColor& c) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(r.left() + 2, r.top() + 1, 12, 11), Qt::AlignLeft | Qt::AlignTop, t);
}

void bigText(QPainter& p, const QRectF& r, const QString& t, const QColor& c, int size) {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(size);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, t);
}

// Positions of n marks (1..9) in a 3 x 3 grid.
QPointF gridPoint(const QRectF& r, int i, int n) {
    const int cols = n <= 4 ? 2 : 3;
    const int rows = (n + cols - 1) / cols;
    const int col = i % cols, row = i / cols;
    const double w = r.width() - 12, h = r.height() - 20;
    const double x = r.left() + 6 + (cols == 1 ? w / 2 : w * (col + 0.5) / cols);
    const double y = r.top() + 14 + h * (row + 0.5) / rows;
    return {x, y};
}

void bamboo(QPainter& p, const QRectF& r, int n) {
    for (int i = 0; i < n; ++i) {
        const QPointF c = gridPoint(r, i, n);
        const QColor col = (n == 1 || i % 4 == 1) ? kRedInk : kGreenInk;
        p.setPen(QPen(shade(col, -0.3), 1.0));
        p.setBrush(col);
        p.drawRoundedRect(QRectF(c.x() - 2.5, c.y() - 6, 5, 12), 2, 2);
        p.setPen(QPen(Qt::white, 1.0));
        p.drawLine(QPointF(c.x() - 2, c.y()), QPointF(c.x() + 2, c.y()));
    }
    corner(p, r, QString::number(n), kGreenInk);
}

void discs(QPainter& p, const QRectF& r, int n) {
    for (int i = 0; i < n; ++i) {
        const QPointF c = gridPoint(r, i, n);
        const double rad = n <= 2 ? 7.5 : n <= 4 ? 6 : 4.8;
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(i % 2 ? QColor(0x3C, 0x78, 0xC8) : QColor(0xD0, 0x40, 0x30));
        p.drawEllipse(c, rad, rad);
        p.setBrush(kFaceBack);
        p.drawEllipse(c, rad * 0.4, rad * 0.4);
    }
    corner(p, r, QString::number(n), kInk);
}

void number(QPainter& p, const QRectF& r, int n) {
    bigText(p, QRectF(r.left(), r.top() + 4, r.width(), 26), QString::number(n), kInk, 22);
    // The suit's mark: a red brush stroke under the numeral.
    QPainterPath s;
    s.moveTo(r.left() + 8, r.top() + 38);
    s.cubicTo(r.left() + 16, r.top() + 30, r.left() + 24, r.top() + 50, r.right() - 8, r.top() + 40);
    p.setPen(QPen(kRedInk, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(s);
    p.drawLine(QPointF(r.center().x(), r.top() + 44), QPointF(r.center().x(), r.bottom() - 4));
}

void wind(QPainter& p, const QRectF& r, int n) {
    static const char* letters[] = {"N", "S", "E", "O"};
    // The four winds share a compass rose behind the letter; its point shows the wind.
    const QPointF c = r.center() + QPointF(0, 2);
    p.setPen(QPen(QColor(0x90, 0xA0, 0xC0), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 16, 16);
    const QPointF dir[] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}};
    p.setBrush(kRedInk);
    p.setPen(Qt::NoPen);
    const QPointF tip = c + dir[n - 1] * 19;
    const QPointF side(dir[n - 1].y() * 4, dir[n - 1].x() * 4);
    p.drawPolygon(QPolygonF({tip, c + dir[n - 1] * 12 + side, c + dir[n - 1] * 12 - side}));
    bigText(p, QRectF(r.left(), r.top() + 14, r.width(), 30), QString::fromLatin1(letters[n - 1]), kInk, 24);
}

void dragon(QPainter& p, const QRectF& r, int n) {
    const QColor cols[] = {kGreenInk, QColor(0x20, 0x50, 0xC0), kRedInk};
    const QColor c = cols[n - 1];
    const QRectF box = r.adjusted(6, 9, -6, -9);
    p.setPen(QPen(c, 3.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    switch (n) {
    case 1: p.drawEllipse(box.center(), 8, 8); break;
    case 2: p.drawPolygon(QPolygonF({box.center() + QPointF(0, -11), box.center() + QPointF(9, 0),
                                     box.center() + QPointF(0, 11), box.center() + QPointF(-9, 0)}));
        break;
    default: p.drawRect(QRectF(box.center() - QPointF(7, 7), QSizeF(14, 14))); break;
    }
}

// Seasons share a sun at the top; flowers share a five-petal flower at the top.
void season(QPainter& p, const QRectF& r, int n) {
    const QPointF sun(r.center().x(), r.top() + 14);
    p.setPen(QPen(QColor(0xE0, 0x90, 0x10), 1.5));
    for (int k = 0; k < 8; ++k) {
        const double a = k * 3.14159265 / 4;
        p.drawLine(sun + QPointF(std::cos(a) * 8, std::sin(a) * 8), sun + QPointF(std::cos(a) * 11, std::sin(a) * 11));
    }
    p.setBrush(QColor(0xF0, 0xB0, 0x20));
    p.drawEllipse(sun, 6, 6);
    const QColor cols[] = {QColor(0x40, 0xB0, 0x40), QColor(0xE0, 0x60, 0x10), QColor(0xA0, 0x50, 0x20),
                           QColor(0x50, 0x80, 0xD0)};
    bigText(p, QRectF(r.left(), r.top() + 28, r.width(), 26), QString::number(n), cols[n - 1], 20);
}

void flower(QPainter& p, const QRectF& r, int n) {
    const QPointF c(r.center().x(), r.top() + 15);
    const QColor cols[] = {QColor(0xB0, 0x40, 0xC0), QColor(0xF0, 0x80, 0xA0), QColor(0x30, 0xA0, 0x60),
                           QColor(0xE0, 0xC0, 0x20)};
    p.setPen(Qt::NoPen);
    p.setBrush(cols[n - 1]);
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * 3.14159265 / 5 - 3.14159265 / 2;
        p.drawEllipse(c + QPointF(std::cos(a) * 6, std::sin(a) * 6), 4.5, 4.5);
    }
    p.setBrush(QColor(0xF0, 0xD0, 0x40));
    p.drawEllipse(c, 3, 3);
    bigText(p, QRectF(r.left(), r.top() + 28, r.width(), 26), QString::number(n), cols[n - 1], 20);
}

QImage faceSheet() {
    QImage img = opaqueCanvas(9 * kFaceW, 5 * kFaceH, kFaceBack);
    QPainter p;
    beginSmooth(p, img);
    auto cell = [](int col, int row) { return QRectF((col - 1) * kFaceW, (row - 1) * kFaceH, kFaceW, kFaceH); };
    for (int v = 1; v <= 9; ++v) {
        bamboo(p, cell(v, 1), v);
        discs(p, cell(v, 2), v);
        number(p, cell(v, 3), v);
    }
    for (int v = 1; v <= 4; ++v) wind(p, cell(v, 4), v);
    for (int v = 1; v <= 3; ++v) dragon(p, cell(4 + v, 4), v);
    for (int v = 1; v <= 4; ++v) {
        season(p, cell(v, 5), v);
        flower(p, cell(4 + v, 5), v);
    }
    p.end();
    return img;
}

} // namespace

void addTaipei(Registry& r) {
    r.addImage("sheets/BmpVario.png", ":/sheets/BmpVario.png", variousSheet);
    r.addImage("sheets/BmpTaipei.png", ":/sheets/BmpTaipei.png", faceSheet);
}

} // namespace resgen
