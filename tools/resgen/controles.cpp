// The control sprite sheet, 138 x 200: the slider track with its ruler, the
// selector button and display, the spin arrows, the switch lamps, the push
// button rows, and the history window's paging strip and sort-key faces.
// Every sprite is drawn pixel by pixel into its exact rectangle; the rest of
// the sheet is the frame grey.
#include "registry.h"

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

constexpr int kW = 138, kH = 200;

const QColor kFondo(0xC0, 0xC0, 0xC0);
const QColor kBlanco(0xFF, 0xFF, 0xFF);
const QColor kClaro(0xE0, 0xE0, 0xE0);
const QColor kGris(0x80, 0x80, 0x80);
const QColor kOscuro(0x40, 0x40, 0x40);
const QColor kNegro(0x00, 0x00, 0x00);

void rect(QImage& img, int x, int y, int w, int h, const QColor& c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) img.setPixelColor(i, j, c);
}

// A raised (or, pressed, sunken) bevel of two rings round a w x h box.
void bevel(QImage& img, int x, int y, int w, int h, bool pressed) {
    const QColor luz1 = pressed ? kOscuro : kBlanco, luz2 = pressed ? kGris : kClaro;
    const QColor sombra1 = pressed ? kBlanco : kOscuro, sombra2 = pressed ? kClaro : kGris;
    rect(img, x, y, w, 1, luz1);
    rect(img, x, y, 1, h, luz1);
    rect(img, x + 1, y + 1, w - 2, 1, luz2);
    rect(img, x + 1, y + 1, 1, h - 2, luz2);
    rect(img, x, y + h - 1, w, 1, sombra1);
    rect(img, x + w - 1, y, 1, h, sombra1);
    rect(img, x + 1, y + h - 2, w - 2, 1, sombra2);
    rect(img, x + w - 2, y + 1, 1, h - 2, sombra2);
}

// A filled triangle pointing up (dir -1) or down (+1) with its apex at
// (cx, apexY), `rows` rows high.
void triangle(QImage& img, int cx, int apexY, int rows, int dir, const QColor& c) {
    for (int r = 0; r < rows; ++r) rect(img, cx - r, apexY + dir * r, 2 * r + 1, 1, c);
}

// A triangle pointing left (dir -1) or right (+1) with its apex at (apexX, cy).
void sideTriangle(QImage& img, int apexX, int cy, int cols, int dir, const QColor& c) {
    for (int k = 0; k < cols; ++k) rect(img, apexX - dir * k, cy - k, 1, 2 * k + 1, c);
}

// ---- slider track (0, 0), 121 x 23 ----
// A sunken groove along the middle and a ruler below it: a mark for every ten
// steps, at sheet x 9 + v, under the knob's red index; longer at 0, 50, 100.
void pista(QImage& img) {
    rect(img, 0, 0, 121, 23, kFondo);
    // The groove the knob runs in.
    rect(img, 6, 8, 110, 1, kGris);
    rect(img, 6, 8, 1, 4, kGris);
    rect(img, 7, 9, 108, 1, kOscuro);
    rect(img, 7, 10, 108, 1, QColor(0x30, 0x50, 0x30));
    rect(img, 6, 11, 110, 1, kBlanco);
    rect(img, 115, 8, 1, 4, kBlanco);
    for (int v = 0; v <= 100; v += 10) {
        const int x = 9 + v;
        const bool larga = v % 50 == 0;
        rect(img, x, larga ? 14 : 16, 1, larga ? 6 : 4, kNegro);
        rect(img, x + 1, larga ? 15 : 17, 1, larga ? 6 : 4, kBlanco);
    }
}

// ---- selector button (0, 24) and pressed (30, 24), 29 x 20 ----
void botonSelector(QImage& img, int x0, bool pressed) {
    const int y0 = 24;
    rect(img, x0, y0, 29, 20, QColor(0xC8, 0xC4, 0xBC));
    bevel(img, x0, y0, 29, 20, pressed);
    const int d = pressed ? 1 : 0;
    // A round-the-list sign: a right-pointing triangle after a bar.
    rect(img, x0 + 8 + d, y0 + 6 + d, 2, 8, QColor(0x20, 0x30, 0x80));
    sideTriangle(img, x0 + 20 + d, y0 + 9 + d, 6, +1, QColor(0x20, 0x30, 0x80));
}

// ---- selector display: left end (60, 24) 5 x 20; its last column is the body ----
void visorSelector(QImage& img) {
    const int y0 = 24;
    const QColor relleno(0xF4, 0xF0, 0xE0);
    // Columns 60..63: the sunken left edge; column 64: a slice of the body.
    for (int x = 60; x <= 64; ++x) {
        rect(img, x, y0, 1, 20, relleno);
        rect(img, x, y0, 1, 1, kGris);      // top edge, two lines
        rect(img, x, y0 + 1, 1, 1, kOscuro);
        rect(img, x, y0 + 18, 1, 1, kClaro); // bottom edge
        rect(img, x, y0 + 19, 1, 1, kBlanco);
    }
    rect(img, 60, y0, 1, 19, kGris);
    rect(img, 61, y0 + 1, 1, 17, kOscuro);
    rect(img, 62, y0 + 2, 1, 16, QColor(0xD8, 0xD4, 0xC4));
}

// ---- spin arrows (66, 24) 17 x 21 and pressed (84, 24), (84, 34) 17 x 10 ----
void flecha(QImage& img, int x0, int y0, bool up, bool pressed) {
    rect(img, x0, y0, 17, 10, QColor(0xC8, 0xC4, 0xBC));
    bevel(img, x0, y0, 17, 10, pressed);
    const int d = pressed ? 1 : 0;
    const QColor c = pressed ? QColor(0xB0, 0x10, 0x10) : QColor(0x20, 0x20, 0x20);
    if (up) triangle(img, x0 + 8 + d, y0 + 3 + d, 4, +1, c);
    else triangle(img, x0 + 8 + d, y0 + 6 + d, 4, -1, c);
}

// ---- lamps off (102, 24), on (120, 24), 17 x 17 ----
void lampara(QImage& img, int x0, bool on) {
    const int y0 = 24;
    rect(img, x0, y0, 17, 17, kFondo);
    const double c = 8.0, r = 7.6;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x) {
            const double dx = x - c, dy = y - c, d = std::hypot(dx, dy);
            if (d > r) continue;
            QColor col;
            if (d > r - 1.3) {
                col = (dx + dy < 0) ? kGris : kBlanco; // a sunken rim
            } else {
                // A dome lit from the top left.
                const double luz = std::clamp(1.0 - std::hypot(dx + 2.5, dy + 2.5) / 9.0, 0.0, 1.0);
                if (on) col = QColor(int(120 + 135 * luz), int(20 + 200 * luz * luz), int(10 + 60 * luz * luz));
                else col = QColor(int(60 + 80 * luz), int(70 + 80 * luz), int(60 + 70 * luz));
            }
            img.setPixelColor(x0 + x, y0 + y, col);
        }
}

// ---- push button rows (0, 46) released and (0, 70) pressed, 131 x 23 ----
// Columns 0..26 the rounded left end, 27..128 one column repeated, 129..130
// the right edge: stretched over any width the button looks the same.
void filaPulsador(QImage& img, int y0, bool pressed) {
    const QColor cara = pressed ? QColor(0xB4, 0xB0, 0xA8) : QColor(0xD4, 0xD0, 0xC8);
    const QColor luz = pressed ? kGris : kBlanco, luz2 = pressed ? QColor(0xA0, 0xA0, 0xA0) : kClaro;
    const QColor sombra = pressed ? kBlanco : kOscuro, sombra2 = pressed ? kClaro : kGris;
    auto columna = [&](int x) {
        rect(img, x, y0, 1, 23, cara);
        rect(img, x, y0, 1, 1, luz);
        rect(img, x, y0 + 1, 1, 1, luz2);
        rect(img, x, y0 + 21, 1, 1, sombra2);
        rect(img, x, y0 + 22, 1, 1, sombra);
    };
    for (int x = 0; x <= 128; ++x) columna(x);
    // The left end: two light columns and a rounded top and bottom corner.
    rect(img, 0, y0, 1, 23, luz);
    rect(img, 1, y0 + 1, 1, 21, luz2);
    img.setPixelColor(0, y0, kFondo);
    img.setPixelColor(0, y0 + 22, kFondo);
    // The right edge.
    rect(img, 129, y0, 1, 23, sombra2);
    rect(img, 129, y0, 1, 1, luz);
    rect(img, 130, y0, 1, 23, sombra);
    img.setPixelColor(130, y0, kFondo);
    img.setPixelColor(130, y0 + 22, kFondo);
}

// ---- paging strip (0, 94) 113 x 26; buttons up at (x, 95), pressed at (x, 121) ----
void glifoPagina(QImage& img, int x0, int y0, int k, bool pressed) {
    const int d = pressed ? 1 : 0;
    const QColor c = QColor(0x18, 0x28, 0x70);
    const int cy = y0 + 11 + d, cx = x0 + 11 + d;
    switch (k) {
    case 0: // first: a bar and a left triangle
        rect(img, cx - 6, cy - 5, 2, 11, c);
        sideTriangle(img, cx - 3, cy, 6, -1, c);
        sideTriangle(img, cx + 3, cy, 6, -1, c);
        break;
    case 1: // previous
        sideTriangle(img, cx - 3, cy, 7, -1, c);
        break;
    case 2: // next
        sideTriangle(img, cx + 3, cy, 7, +1, c);
        break;
    default: // last
        sideTriangle(img, cx - 3, cy, 6, +1, c);
        sideTriangle(img, cx + 3, cy, 6, +1, c);
        rect(img, cx + 5, cy - 5, 2, 11, c);
        break;
    }
}

void botonPagina(QImage& img, int x0, int y0, int k, bool pressed) {
    rect(img, x0, y0, 24, 24, pressed ? QColor(0xB8, 0xB4, 0xAC) : QColor(0xD8, 0xD4, 0xCC));
    bevel(img, x0, y0, 24, 24, pressed);
    glifoPagina(img, x0, y0, k, pressed);
}

void tiraPaginas(QImage& img) {
    const int y0 = 94;
    rect(img, 0, y0, 113, 26, QColor(0x90, 0x98, 0xA8));
    rect(img, 0, y0, 113, 1, kGris);
    rect(img, 0, y0, 1, 26, kGris);
    rect(img, 0, y0 + 25, 113, 1, kBlanco);
    rect(img, 112, y0, 1, 26, kBlanco);
    constexpr int xs[4] = {1, 30, 59, 88};
    for (int k = 0; k < 4; ++k) {
        botonPagina(img, xs[k], 95, k, false);
        botonPagina(img, xs[k], 121, k, true);
    }
}

// ---- sort-key faces 130 x 26: current (0, 147), other (0, 173) ----
// Blank and dark, so that captions in dark yellow and yellow read on them.
void caraTecla(QImage& img, int y0, bool actual) {
    const QColor base = actual ? QColor(0x50, 0x18, 0x10) : QColor(0x10, 0x20, 0x48);
    for (int y = 0; y < 26; ++y) {
        const double t = double(y) / 25.0;
        const double k = 1.0 + 0.25 * (1.0 - t) - 0.15 * t;
        rect(img, 0, y0 + y, 130, 1,
             QColor(std::min(255, int(base.red() * k)), std::min(255, int(base.green() * k)),
                    std::min(255, int(base.blue() * k))));
    }
    const QColor luz = actual ? QColor(0x90, 0x50, 0x40) : QColor(0x50, 0x68, 0xA0);
    rect(img, 0, y0, 130, 1, luz);
    rect(img, 0, y0, 1, 26, luz);
    rect(img, 0, y0 + 25, 130, 1, kNegro);
    rect(img, 129, y0, 1, 26, kNegro);
}

QImage controlSheet() {
    QImage img(kW, kH, QImage::Format_RGB32);
    img.fill(kFondo);
    pista(img);
    botonSelector(img, 0, false);
    botonSelector(img, 30, true);
    visorSelector(img);
    flecha(img, 66, 24, true, false);
    flecha(img, 66, 34, false, false);
    rect(img, 66, 44, 17, 1, kGris); // the arrows' bottom shadow, row 21 of the pair
    flecha(img, 84, 24, true, true);
    flecha(img, 84, 34, false, true);
    lampara(img, 102, false);
    lampara(img, 120, true);
    filaPulsador(img, 46, false);
    filaPulsador(img, 70, true);
    tiraPaginas(img);
    caraTecla(img, 147, true);
    caraTecla(img, 173, false);
    return img;
}

} // namespace

void addControls(Registry& r) { r.addImage("sheets/BmpContr.png", ":/sheets/BmpContr.png", controlSheet); }

} // namespace resgen
