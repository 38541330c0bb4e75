// The two sample metafiles: a placeable Windows metafile and an enhanced
// metafile of the same drawing (a filled rectangle, a diamond, a line of
// text and a small bitmap stretched over a box), written record by record.
// Their tests and the fuzzer's seeds use them too, with the damaged copies
// below.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

#include <vector>

namespace metarchivos {

// The drawing's size in pixels, and where its parts land (in pixels).
constexpr int kAncho = 640, kAlto = 480;
inline const QRect kRectangulo{40, 40, 240, 160};   // filled blue, black edge
inline const QRect kRombo{360, 40, 240, 160};      // a diamond in that box, filled red
inline const QRect kMapaBits{40, 260, 240, 180};    // 8 x 8 bitmap: yellow, green / magenta, cyan
inline const QRect kTexto{360, 290, 260, 80};        // "Teselaro" in black, 48 pixels high
// Colours as 0x00BBGGRR.
constexpr unsigned kAzul = 0xFF0000, kRojo = 0x0000FF, kAmarillo = 0x00FFFF, kVerde = 0x00FF00,
                   kMagenta = 0xFF00FF, kCian = 0xFFFF00;

// The placeable WMF (1440 units an inch, so 640 x 480 pixels at 96 dpi).
QByteArray Wmf();
// The EMF (its frame 16933 x 12700 hundredths of a millimetre, 640 x 480 pixels).
QByteArray Emf();

// An enhanced metafile of kAnchoVeladuras x kAltoVeladuras pixels whose one
// drawing leaves it partly see-through: a row of black bitmap pixels of the
// opacities in kOpacidades, 0 (clear) to 255, alpha-blended over the top
// half in as many bands of equal width; the bottom half is left undrawn.
constexpr int kAnchoVeladuras = 160, kAltoVeladuras = 40;
constexpr int kOpacidades[] = {0, 64, 128, 255};
QByteArray EmfVeladuras();

// Damaged and hostile copies of the two: each must be refused, quickly.
struct Danado {
    const char* nombre;
    QByteArray bytes;
};
std::vector<Danado> Danados();

} // namespace metarchivos
