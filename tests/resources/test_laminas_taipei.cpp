// The Taipei sheets as the program carries them: sizes, a two-colour tile
// mask that covers the face window, bodies solid under the mask, and 42
// faces that all differ.
#include "resources/resources.h"

#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace {

class LaminasTaipei : public ::testing::Test {
protected:
    static void SetUpTestSuite() { teselaro::initResources(); }
    QImage vario{QStringLiteral(":/sheets/BmpVario.png")};
    QImage caras{QStringLiteral(":/sheets/BmpTaipei.png")};
};

TEST_F(LaminasTaipei, Sizes) {
    EXPECT_EQ(vario.size(), QSize(524, 73));
    EXPECT_EQ(caras.size(), QSize(378, 290));
}

TEST_F(LaminasTaipei, MaskIsBinaryAndCoversTheFaceWindow) {
    ASSERT_FALSE(vario.isNull());
    for (int y = 0; y < 73; ++y)
        for (int x = 0; x < 56; ++x) {
            const QRgb c = vario.pixel(297 + x, y) & 0xFFFFFF;
            ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << x << "," << y;
            if (x >= 3 && x <= 44 && y >= 4 && y <= 61) {
                ASSERT_EQ(c, 0u) << x << "," << y;
            }
        }
    // The relief lies right and below: the far corners of the cell are off the tile.
    EXPECT_EQ(vario.pixel(297 + 55, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(vario.pixel(297, 72) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(LaminasTaipei, BodiesAreSolidUnderTheMaskAndDiffer) {
    ASSERT_FALSE(vario.isNull());
    QSet<QRgb> colores;
    for (int cuerpo : {240, 354, 411, 468}) {
        for (int y = 0; y < 73; ++y)
            for (int x = 0; x < 56; ++x) {
                if ((vario.pixel(297 + x, y) & 0xFFFFFF) != 0) continue;
                // Under the mask a body is never the white that the mask leaves outside.
                ASSERT_NE(vario.pixel(cuerpo + x, y) & 0xFFFFFF, 0xFFFFFFu) << cuerpo << ": " << x << "," << y;
            }
        colores.insert(vario.pixel(cuerpo + 52, 70)); // on the relief
    }
    EXPECT_EQ(colores.size(), 4);
}

TEST_F(LaminasTaipei, FortyTwoDistinctFaces) {
    ASSERT_FALSE(caras.isNull());
    QSet<QByteArray> vistas;
    int usadas = 0;
    for (int fila = 1; fila <= 5; ++fila)
        for (int col = 1; col <= 9; ++col) {
            if ((fila == 4 && col >= 8) || (fila == 5 && col == 9)) continue;
            const QImage cara = caras.copy((col - 1) * 42, (fila - 1) * 58, 42, 58).convertToFormat(QImage::Format_RGB32);
            vistas.insert(QByteArray(reinterpret_cast<const char*>(cara.constBits()), int(cara.sizeInBytes())));
            ++usadas;
        }
    EXPECT_EQ(usadas, 42);
    EXPECT_EQ(vistas.size(), 42);
}

} // namespace
