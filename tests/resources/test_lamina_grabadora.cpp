// The move recorder panel's sheet: its size, masks of only black and white,
// masked pictures black wherever their masks are white, and the hit mask's
// one red disc inside each round button.
#include "resources/resources.h"

#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr QRgb kNegro = 0x000000, kBlanco = 0xFFFFFF, kRojo = 0xFF0000;

QRgb rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

QImage lamina() {
    teselaro::initResources();
    return QImage(QStringLiteral(":/sheets/BmpGraba.png"));
}

TEST(LaminaGrabadora, SizeAndMasks) {
    const QImage img = lamina();
    ASSERT_EQ(img.size(), QSize(166, 223));
    // mask rows, picture rows, height
    const struct {
        int mascara, dibujo, alto;
    } enmascarados[] = {{56, 0, 6}, {74, 18, 37}};
    for (const auto& e : enmascarados) {
        SCOPED_TRACE(e.mascara);
        int dentro = 0, fuera = 0;
        for (int y = 0; y < e.alto; ++y)
            for (int x = 0; x < 166; ++x) {
                const QRgb m = rgb(img, x, e.mascara + y);
                ASSERT_TRUE(m == kNegro || m == kBlanco) << x << "," << y;
                if (m == kBlanco) {
                    ++fuera;
                    ASSERT_EQ(rgb(img, x, e.dibujo + y), kNegro) << x << "," << y;
                } else {
                    ++dentro;
                }
            }
        // Rounded: the corners are outside, the middle inside.
        EXPECT_EQ(rgb(img, 0, e.mascara), kBlanco);
        EXPECT_EQ(rgb(img, 165, e.mascara), kBlanco);
        EXPECT_EQ(rgb(img, 83, e.mascara + e.alto - 1), kNegro);
        EXPECT_GT(dentro, fuera);
    }
    // The band is the panel's face from edge to edge, no black gap.
    for (int x = 0; x < 166; ++x) EXPECT_NE(rgb(img, x, 11), kNegro) << x;
}

TEST(LaminaGrabadora, OneRedDiscInsideEachButton) {
    const QImage img = lamina();
    ASSERT_FALSE(img.isNull());
    constexpr int kY = 184;
    const int botones[] = {8, 39, 62, 85, 108, 137};
    // Only red and black in the hit mask, and red only inside the cells.
    for (int y = kY; y < kY + 21; ++y)
        for (int x = 8; x < 158; ++x) {
            const QRgb c = rgb(img, x, y);
            ASSERT_TRUE(c == kRojo || c == kNegro) << x << "," << y;
            bool enCelda = false;
            for (int b : botones) enCelda = enCelda || (x >= b && x < b + 21);
            if (!enCelda) {
                ASSERT_EQ(c, kNegro) << x << "," << y;
            }
        }
    for (int b : botones) {
        SCOPED_TRACE(b);
        // The corners of the cell are outside the disc.
        for (const auto& [dx, dy] : {std::pair{0, 0}, {20, 0}, {0, 20}, {20, 20}})
            EXPECT_EQ(rgb(img, b + dx, kY + dy), kNegro);
        ASSERT_EQ(rgb(img, b + 10, kY + 10), kRojo);
        // One connected red area that holds every red pixel of the cell, and
        // lies inside the button's ring drawn above it.
        std::vector<char> visto(21 * 21, 0);
        std::vector<std::pair<int, int>> pila{{10, 10}};
        int conectados = 0;
        while (!pila.empty()) {
            const auto [x, y] = pila.back();
            pila.pop_back();
            if (x < 0 || y < 0 || x > 20 || y > 20 || visto[y * 21 + x]) continue;
            if (rgb(img, b + x, kY + y) != kRojo) continue;
            visto[y * 21 + x] = 1;
            ++conectados;
            pila.insert(pila.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
        }
        int rojos = 0;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 21; ++x)
                if (rgb(img, b + x, kY + y) == kRojo) {
                    ++rojos;
                    const double dx = x - 10, dy = y - 10;
                    EXPECT_LE(dx * dx + dy * dy, 10.0 * 10.0) << x << "," << y;
                }
        EXPECT_EQ(conectados, rojos);
        EXPECT_GT(rojos, 200);
        // The button's picture differs from the panel's face at its centre
        // and at the disc's edge, up and lit.
        const QRgb cara = rgb(img, 8 + 30 - 1, 112); // a gap between buttons 1 and 2
        EXPECT_NE(rgb(img, b + 10, 112 + 2), cara);
        EXPECT_NE(rgb(img, b + 10, 112 + 10), rgb(img, b + 10, 134 + 10));
    }
}

} // namespace
