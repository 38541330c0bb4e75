// The eight piece-shape samples along the top of the sheet of small
// pictures: 29 x 29 cells at (30 j, 0), each its own picture with white cut
// lines, and sample 0's middle band a tile framed by its cuts.
#include "resources/resources.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage Celda(const QImage& hoja, int j) { return hoja.copy(30 * j, 0, 29, 29); }

int Blancos(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qRed(c) > 225 && qGreen(c) > 225 && qBlue(c) > 225) ++n;
        }
    return n;
}

TEST(MuestrasFormas, EightDistinctSamplesWithCutLines) {
    teselaro::initResources();
    const QImage hoja(QStringLiteral(":/sheets/BmpVario.png"));
    ASSERT_EQ(hoja.size(), QSize(524, 73));
    for (int j = 0; j < 8; ++j) {
        SCOPED_TRACE(j);
        const QImage c = Celda(hoja, j);
        EXPECT_GT(Blancos(c), 40) << "cut lines drawn";
        EXPECT_LT(Blancos(c), 29 * 29 / 2) << "a picture, not a blank cell";
        for (int k = 0; k < j; ++k) EXPECT_NE(c, Celda(hoja, k)) << "sample " << k;
    }
    // The attraction tile: sample 0 from (0, 3), 29 x 23, cut along its edges.
    const QImage tile = hoja.copy(0, 3, 29, 23);
    EXPECT_GT(qRed(tile.pixel(14, 0)), 200);
    EXPECT_GT(qRed(tile.pixel(0, 11)), 200);
}

} // namespace
