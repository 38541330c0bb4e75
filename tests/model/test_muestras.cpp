// The sample pictures against the puzzle's rules: each one fits at its own
// zoom, every shape its proportion admits is offered a number of pieces, and
// the sizes and proportions a puzzle can have are all there.
#include "model/EncajeImagen.h"
#include "platform/picture.h"
#include "tests/support/fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(Muestras, EverySamplePictureOffersEveryShapeItSuitsASize) {
    const QString carpeta = testing_support::samplePicturesFolder();
    ASSERT_FALSE(carpeta.isEmpty());
    const QStringList nombres = QDir(carpeta).entryList(
        {QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.rle")}, QDir::Files, QDir::Name);
    ASSERT_GE(nombres.size(), 12);
    QSet<QString> tamanos;
    for (const QString& nombre : nombres) {
        SCOPED_TRACE(nombre.toStdString());
        const QImage imagen = plat::loadPicture(carpeta + nombre);
        const int w = imagen.width(), h = imagen.height();
        tamanos.insert(QStringLiteral("%1x%2").arg(w).arg(h));
        const int zoom = encaje::ZoomAjustado(w, h);
        EXPECT_EQ(zoom, 100) << "within the limits as it is";
        // No flat block: every 32 x 32 square holds more than one colour,
        // so that every piece shows part of the picture.
        const QImage rgb = imagen.convertToFormat(QImage::Format_RGB32);
        int planos = 0;
        for (int y0 = 0; y0 + 32 <= h; y0 += 16)
            for (int x0 = 0; x0 + 32 <= w; x0 += 16) {
                const QRgb c = rgb.pixel(x0, y0);
                bool plano = true;
                for (int y = y0; y < y0 + 32 && plano; ++y) {
                    const QRgb* fila = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
                    for (int x = x0; x < x0 + 32 && plano; ++x) plano = fila[x] == c;
                }
                planos += plano;
            }
        EXPECT_EQ(planos, 0) << "flat 32 x 32 blocks";
        for (int forma = 0; forma < 8; ++forma) {
            if (!encaje::FormaAdmiteProporcion(forma, w, h)) continue;
            EXPECT_FALSE(encaje::LadosOfrecidos(forma, encaje::Zoomado(w, zoom), encaje::Zoomado(h, zoom)).empty())
                << "shape " << forma;
        }
    }
    for (const char* t : {"320x240", "480x360", "512x384", "640x480", "800x600", "1024x768", "1024x576", "576x768",
                          "768x768", "1000x480", "1024x400"})
        EXPECT_TRUE(tamanos.contains(QString::fromLatin1(t))) << t;
    // The widest is too wide for the curved and irregular shapes, not for the others.
    EXPECT_FALSE(encaje::FormaAdmiteProporcion(1, 1024, 400));
    EXPECT_FALSE(encaje::FormaAdmiteProporcion(2, 1024, 400));
    EXPECT_TRUE(encaje::FormaAdmiteProporcion(3, 1024, 400));
}

} // namespace
