// The move recorder panel's sheet, 166 x 223: the panel's rounded top edge,
// its list band and its body with the transport strip, their masks (black
// inside the outline, white outside), the six round transport buttons up and
// lit, the list arrows up and pressed, the plus and minus, and the buttons'
// hit mask (pure red inside each round button, black elsewhere).
//
// Cells (x, y, width, height):
//   top edge 0,0,166,6      band 0,6,166,11        body 0,18,166,37
//   top edge mask 0,56,166,6                       body mask 0,74,166,37
//   buttons up 8,112,150,21   lit 8,134,150,21 (each 21 x 21 at x 8, 39, 62, 85, 108, 137)
//   up arrow 8,156,15,13 (pressed 8,170)   down arrow 24,156,15,13 (pressed 24,170)
//   plus 40,156,17,15   minus 58,156,17,15   hit mask 8,184,150,21
// Masked pictures are black wherever their mask is white, so that a copy
// with AND of the mask and then XOR of the picture leaves the table showing.
#include "draw.h"
#include "registry.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace resgen {

namespace {

constexpr int kAncho = 166, kAlto = 223;
constexpr int kRadio = 6;
constexpr int kBotonesX[6] = {8, 39, 62, 85, 108, 137};
constexpr int kLadoBoton = 21;

const QColor kBase(150, 58, 22);      // the panel's face
const QColor kBorde(70, 22, 6);       // its outer line
const QColor kLuz(232, 146, 104);     // the lit rim, top and left
const QColor kSombra(104, 36, 12);    // the shaded rim, bottom and right

// Whether the pixel centre (x, y) lies inside a w x h rectangle with corners
// rounded by r, shrunk by `inset` on every side.
bool dentro(int x, int y, int w, int h, double r, double inset) {
    const double px = x + 0.5, py = y + 0.5;
    const double x0 = inset, y0 = inset, x1 = w - inset, y1 = h - inset;
    if (px < x0 || px > x1 || py < y0 || py > y1) return false;
    const double rr = std::max(0.0, r - inset);
    const double cx = std::clamp(px, x0 + rr, x1 - rr), cy = std::clamp(py, y0 + rr, y1 - rr);
    const double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= rr * rr;
}

// The panel's pixel at (x, y) of a w x h rounded panel; nullopt outside.
std::optional<QColor> pixelPanel(int x, int y, int w, int h) {
    if (!dentro(x, y, w, h, kRadio, 0)) return std::nullopt;
    if (!dentro(x, y, w, h, kRadio, 1)) return kBorde;
    if (!dentro(x, y, w, h, kRadio, 2)) {
        // Top and left catch the light; bottom and right are in shade.
        return (x + 0.5 < w / 2.0 && y + 0.5 < h / 2.0) || (y < 3) || (x < 3) ? kLuz : kSombra;
    }
    return kBase;
}

// Rows y0 .. y0 + rows - 1 of a w x h panel drawn at sheet row `destino`,
// with its mask (when maskRow >= 0) at sheet row maskRow.
void franjaPanel(QImage& img, int destino, int y0, int rows, int w, int h, int maskRow) {
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < kAncho; ++x) {
            const auto c = pixelPanel(x, y0 + y, w, h);
            img.setPixel(x, destino + y, c ? c->rgb() : qRgb(0, 0, 0));
            if (maskRow >= 0) img.setPixel(x, maskRow + y, c ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
}

enum class Icono { Grabar, Inicio, Atras, Adelante, Final, Parar };

void icono(QPainter& p, Icono i, QPointF c, const QColor& color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    auto triangulo = [&](double x, bool derecha) {
        const double s = derecha ? 1 : -1;
        p.drawPolygon(QPolygonF({QPointF(x - 3 * s, c.y() - 4), QPointF(x + 3 * s, c.y()), QPointF(x - 3 * s, c.y() + 4)}));
    };
    switch (i) {
    case Icono::Grabar: p.drawEllipse(c, 4.0, 4.0); break;
    case Icono::Inicio:
        p.drawRect(QRectF(c.x() - 5.5, c.y() - 4, 1.6, 8));
        triangulo(c.x() - 0.5, false);
        triangulo(c.x() + 4.0, false);
        break;
    case Icono::Atras: triangulo(c.x() - 0.5, false); break;
    case Icono::Adelante: triangulo(c.x() + 0.5, true); break;
    case Icono::Final:
        triangulo(c.x() - 4.0, true);
        triangulo(c.x() + 0.5, true);
        p.drawRect(QRectF(c.x() + 3.9, c.y() - 4, 1.6, 8));
        break;
    case Icono::Parar: p.drawRect(QRectF(c.x() - 3.5, c.y() - 3.5, 7, 7)); break;
    }
}

// One round button in its 21 x 21 cell at (x0, y0), on the panel's face.
void botonRedondo(QPainter& p, int x0, int y0, Icono i, bool encendido) {
    p.fillRect(QRect(x0, y0, kLadoBoton, kLadoBoton), kBase);
    const QPointF c(x0 + 10.5, y0 + 10.5);
    QRadialGradient cara(c - QPointF(3, 3), 12);
    if (encendido) {
        cara.setColorAt(0, QColor(255, 248, 200));
        cara.setColorAt(1, QColor(236, 184, 60));
    } else {
        cara.setColorAt(0, QColor(236, 236, 236));
        cara.setColorAt(1, QColor(150, 150, 158));
    }
    p.setPen(QPen(kBorde, 1.2));
    p.setBrush(cara);
    p.drawEllipse(c, 9.6, 9.6);
    QColor tinta = encendido ? QColor(40, 30, 10) : QColor(50, 50, 60);
    if (i == Icono::Grabar) tinta = encendido ? QColor(255, 30, 20) : QColor(170, 30, 25);
    icono(p, i, encendido ? c + QPointF(0.5, 0.5) : c, tinta);
}

// A small square button w x h at (x0, y0), raised or pressed in.
void botonPequeno(QPainter& p, int x0, int y0, int w, int h, bool pulsado) {
    const QRect r(x0, y0, w, h);
    p.fillRect(r, pulsado ? shade(kBase, -0.15) : shade(kBase, 0.12));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(pulsado ? kBorde : kLuz);
    p.drawLine(x0, y0, x0 + w - 1, y0);
    p.drawLine(x0, y0, x0, y0 + h - 1);
    p.setPen(pulsado ? kLuz : kBorde);
    p.drawLine(x0, y0 + h - 1, x0 + w - 1, y0 + h - 1);
    p.drawLine(x0 + w - 1, y0, x0 + w - 1, y0 + h - 1);
    p.setRenderHint(QPainter::Antialiasing, true);
}

void flecha(QPainter& p, int x0, int y0, bool arriba, bool pulsado) {
    botonPequeno(p, x0, y0, 15, 13, pulsado);
    const double d = pulsado ? 0.5 : 0;
    const double cx = x0 + 7.5 + d, cy = y0 + 6.5 + d;
    p.setPen(Qt::NoPen);
    p.setBrush(pulsado ? QColor(255, 255, 120) : QColor(255, 240, 220));
    const double s = arriba ? -1 : 1;
    p.drawPolygon(QPolygonF({QPointF(cx - 4, cy - 2 * s), QPointF(cx + 4, cy - 2 * s), QPointF(cx, cy + 2.5 * s)}));
}

void masMenos(QPainter& p, int x0, int y0, bool mas) {
    botonPequeno(p, x0, y0, 17, 15, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor tinta(255, 240, 220);
    p.fillRect(QRect(x0 + 4, y0 + 6, 9, 3), tinta);
    if (mas) p.fillRect(QRect(x0 + 7, y0 + 3, 3, 9), tinta);
    p.setRenderHint(QPainter::Antialiasing, true);
}

QImage laminaGrabadora() {
    QImage img = opaqueCanvas(kAncho, kAlto, Qt::black);
    // The top of a tall panel, a band from its middle, and the whole body.
    franjaPanel(img, 0, 0, 6, kAncho, 100, 56);
    franjaPanel(img, 6, 50, 11, kAncho, 100, -1);
    franjaPanel(img, 18, 0, 37, kAncho, 37, 74);

    QPainter p;
    beginSmooth(p, img);
    constexpr Icono iconos[6] = {Icono::Grabar, Icono::Inicio, Icono::Atras, Icono::Adelante, Icono::Final, Icono::Parar};
    // The strip lies on the panel's face: its gaps are the face colour.
    p.fillRect(QRect(8, 112, 150, 21), kBase);
    p.fillRect(QRect(8, 134, 150, 21), kBase);
    for (int k = 0; k < 6; ++k) {
        botonRedondo(p, kBotonesX[k], 112, iconos[k], false);
        botonRedondo(p, kBotonesX[k], 134, iconos[k], true);
    }
    flecha(p, 8, 156, true, false);
    flecha(p, 8, 170, true, true);
    flecha(p, 24, 156, false, false);
    flecha(p, 24, 170, false, true);
    masMenos(p, 40, 156, true);
    masMenos(p, 58, 156, false);
    p.end();

    // The hit mask: a red disc inside each button's ring, black elsewhere.
    for (int k = 0; k < 6; ++k)
        for (int y = 0; y < kLadoBoton; ++y)
            for (int x = 0; x < kLadoBoton; ++x) {
                const double dx = x + 0.5 - 10.5, dy = y + 0.5 - 10.5;
                if (dx * dx + dy * dy <= 9.0 * 9.0) img.setPixel(kBotonesX[k] + x, 184 + y, qRgb(255, 0, 0));
            }
    return img;
}

} // namespace

void addGrabadora(Registry& r) { r.addImage("sheets/BmpGraba.png", ":/sheets/BmpGraba.png", laminaGrabadora); }

} // namespace resgen
