// The tips panel's close button on the sheet of small pictures: a dark cross
// on a light button in its 19 x 19 cell.
#include "resources/resources.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

int luz(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

TEST(LaminaCierre, ADarkCrossOnALightButton) {
    teselaro::initResources();
    const QImage vario(QStringLiteral(":/sheets/BmpVario.png"));
    ASSERT_EQ(vario.size(), QSize(524, 73));
    constexpr int x0 = 78, y0 = 30, lado = 19;
    // The centre and both diagonals are dark; the face between the arms is light.
    EXPECT_LT(luz(vario.pixel(x0 + 9, y0 + 9)), 80);
    EXPECT_LT(luz(vario.pixel(x0 + 6, y0 + 6)), 80);
    EXPECT_LT(luz(vario.pixel(x0 + 12, y0 + 6)), 80);
    EXPECT_GT(luz(vario.pixel(x0 + 9, y0 + 3)), 180);
    EXPECT_GT(luz(vario.pixel(x0 + 3, y0 + 9)), 180);
    // A raised edge: white top-left, dark bottom-right.
    EXPECT_EQ(vario.pixel(x0 + 5, y0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_LT(luz(vario.pixel(x0 + lado - 1, y0 + 9)), 100);
}

} // namespace
