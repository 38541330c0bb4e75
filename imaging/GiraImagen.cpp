#include "imaging/ImagenPieza.h"

#include <QImage>
#include <QTransform>

void GiraImagen(plat::Surface& superficie, std::int16_t giro) {
    if (giro < 1 || giro > 3) return;
    // Whole quarter turns move pixels exactly, without blending: on the
    // screen (X, Y) goes to (h-1-Y, X) for a quarter turn clockwise,
    // (w-1-X, h-1-Y) for a half turn and (Y, w-1-X) for a quarter turn
    // counter-clockwise.
    const QImage destino = superficie.image().transformed(QTransform().rotate(90.0 * giro));
    // The turned drawing replaces whatever the surface showed, its own
    // picture included.
    if (superficie.hasPicture()) superficie.clearPicture();
    superficie.setImage(destino);
}
