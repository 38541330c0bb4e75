#include "imaging/ImagenPieza.h"

#include <QImage>

void GiraImagen(plat::Surface& superficie, std::int16_t giro) {
    if (giro < 1 || giro > 3) return;
    const QImage& origen = superficie.image();
    const int w = origen.width(), h = origen.height();
    const bool cuarto = giro != 2;
    const int w2 = cuarto ? h : w, h2 = cuarto ? w : h;
    QImage destino(w2, h2, QImage::Format_RGB32);
    if (w > 0 && h > 0) {
        auto* d = reinterpret_cast<QRgb*>(destino.bits());
        const qsizetype paso = destino.bytesPerLine() / qsizetype(sizeof(QRgb));
        // On the screen (X, Y) goes to (h-1-Y, X) for a quarter turn
        // clockwise, (w-1-X, h-1-Y) for a half turn and (Y, w-1-X) for a
        // quarter turn counter-clockwise.
        for (int Y = 0; Y < h; ++Y) {
            const auto* s = reinterpret_cast<const QRgb*>(origen.constScanLine(Y));
            switch (giro) {
            case 1:
                for (int X = 0; X < w; ++X) d[qsizetype(X) * paso + (h - 1 - Y)] = s[X];
                break;
            case 2: {
                QRgb* fila = d + qsizetype(h - 1 - Y) * paso;
                for (int X = 0; X < w; ++X) fila[w - 1 - X] = s[X];
                break;
            }
            default:
                for (int X = 0; X < w; ++X) d[qsizetype(w - 1 - X) * paso + Y] = s[X];
                break;
            }
        }
    }
    // The turned drawing replaces whatever the surface showed, its own
    // picture included.
    if (superficie.hasPicture()) superficie.clearPicture();
    superficie.setImage(destino);
}
