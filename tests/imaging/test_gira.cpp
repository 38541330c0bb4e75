// Turning a picture by quarter turns: sizes, where pixels go, and the codes
// that are not turns.
#include "imaging/ImagenPieza.h"
#include "tests/imaging/imaging_fixtures.h"

#include <QImage>
#include <gtest/gtest.h>

using plat::Surface;

namespace {

struct Tamano {
    int w, h;
};

class GiraTamanos : public ::testing::TestWithParam<Tamano> {};

TEST_P(GiraTamanos, TurnsComposeAndSizesSwap) {
    const auto [w, h] = GetParam();
    const QImage original = imaging_test::Ruido(w, h, unsigned(w * 131 + h));
    Surface s;
    s.setImage(original);

    GiraImagen(s, 1);
    ASSERT_EQ(s.scaleWidth(), h);
    ASSERT_EQ(s.scaleHeight(), w);
    // Clockwise: screen (X, Y) goes to (h - 1 - Y, X).
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(s.image().pixel(h - 1 - y, x), original.pixel(x, y));
    GiraImagen(s, 3);
    EXPECT_EQ(s.image(), original);

    Surface dos, unoUno;
    dos.setImage(original);
    unoUno.setImage(original);
    GiraImagen(dos, 2);
    GiraImagen(unoUno, 1);
    GiraImagen(unoUno, 1);
    EXPECT_EQ(dos.scaleWidth(), w);
    EXPECT_EQ(dos.scaleHeight(), h);
    EXPECT_EQ(dos.image(), unoUno.image());
    EXPECT_EQ(dos.image().pixel(w - 1, h - 1), original.pixel(0, 0));

    Surface tres;
    tres.setImage(original);
    GiraImagen(tres, 3);
    // Counter-clockwise: screen (X, Y) goes to (Y, w - 1 - X).
    EXPECT_EQ(tres.image().pixel(0, w - 1), original.pixel(0, 0));
}

INSTANTIATE_TEST_SUITE_P(Sizes, GiraTamanos,
                         ::testing::Values(Tamano{1, 1}, Tamano{1, 7}, Tamano{7, 1}, Tamano{5, 3},
                                           Tamano{3, 5}, Tamano{16, 16}, Tamano{57, 41}));

TEST(GiraImagen, QuarterTurnTakesTopLeftToTopRight) {
    Surface s(QString(), 4, 2);
    s.cls();
    s.plot(0, 0, 0x0000FF);
    GiraImagen(s, 1);
    EXPECT_EQ(s.point(1, 0), 0x0000FFu);
    EXPECT_EQ(s.point(0, 0), 0xFFFFFFu);
}

TEST(GiraImagen, OneWidePictureBecomesOneHighTopPixelRightmost) {
    Surface s(QString(), 1, 4);
    s.cls();
    s.plot(0, 0, 0x00FF00);
    GiraImagen(s, 1);
    ASSERT_EQ(s.scaleWidth(), 4);
    ASSERT_EQ(s.scaleHeight(), 1);
    EXPECT_EQ(s.point(3, 0), 0x00FF00u);
}

TEST(GiraImagen, CodesThatAreNoTurnChangeNothing) {
    const QImage original = imaging_test::Ruido(6, 4, 7);
    for (int codigo : {0, 4, -1, 5, 32767}) {
        Surface s;
        s.setImage(original);
        GiraImagen(s, std::int16_t(codigo));
        EXPECT_EQ(s.image(), original) << codigo;
    }
}

TEST(GiraImagen, ThePictureIsDroppedSoClearingShowsTheBackground) {
    Surface s(QString(), 3, 2);
    s.setBackColor(0x123456);
    QImage pic(3, 2, QImage::Format_RGB32);
    pic.fill(0xFF0000FFu);
    s.setPicture(pic);
    GiraImagen(s, 1);
    s.cls();
    EXPECT_EQ(s.point(0, 0), 0x123456u);
}

} // namespace
