// Which jigsaws a picture allows: the shapes its proportion admits, the
// pieces per side its zoomed size offers, and the zoom that fits it.
#include "model/EncajeImagen.h"

#include <gtest/gtest.h>

namespace {

using namespace encaje;

// Each limit, and one pixel (or one step) past it.
TEST(Encaje, TheGateOfShapeSizeZoomAndPiecesPerSide) {
    const struct {
        int forma, ancho, alto, zoom, lado;
        bool permitido;
    } casos[] = {
        // Cells of 25..140 pixels: 640 x 480 offers 5 (128 x 96) to 19 (33 x 25).
        {0, 640, 480, 100, 4, false}, {0, 640, 480, 100, 5, true}, {0, 640, 480, 100, 19, true},
        {0, 640, 480, 100, 20, false}, {0, 700, 700, 100, 5, true}, {0, 705, 700, 100, 5, false},
        {0, 500, 375, 100, 15, true}, {0, 500, 374, 100, 15, false},
        // 3..20 per side; the zoom counts.
        {0, 1000, 900, 100, 20, true}, {0, 1000, 900, 100, 21, false}, {0, 1000, 900, 100, 2, false},
        {0, 320, 240, 100, 10, false}, {0, 320, 240, 105, 10, true}, {0, 640, 480, 50, 10, false},
        // Triangles: cells of 50..140 and at most 15 per side.
        {3, 640, 480, 100, 9, true}, {3, 640, 480, 100, 10, false}, {3, 640, 480, 100, 4, false},
        {3, 1000, 900, 100, 15, true}, {3, 1000, 900, 100, 16, false},
        // Proportions, width over height.
        {2, 840, 400, 100, 8, true}, {2, 841, 400, 100, 8, false}, {2, 476, 1000, 100, 8, true},
        {2, 475, 1000, 100, 8, false}, {3, 1050, 400, 100, 8, true}, {3, 1051, 400, 100, 8, false},
        {3, 300, 1000, 100, 6, false}, {3, 400, 1000, 100, 8, true}, {1, 960, 400, 100, 8, true},
        {1, 961, 400, 100, 8, false}, {1, 416, 1000, 100, 8, true}, {1, 415, 1000, 100, 8, false},
        {7, 960, 400, 100, 8, true}, {7, 961, 400, 100, 8, false}, {7, 415, 1000, 100, 8, false},
        // The other figures suit any proportion.
        {4, 1024, 300, 100, 8, true}, {5, 1024, 300, 100, 8, true}, {6, 300, 1024, 100, 8, true},
        {0, 1024, 300, 100, 8, true},
        // Nothing else.
        {8, 640, 480, 100, 5, false}, {-1, 640, 480, 100, 5, false}, {0, 0, 480, 100, 5, false},
        {2, 640, 0, 100, 5, false}, {0, 640, 480, 0, 5, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "shape " << c.forma << ", " << c.ancho << " x " << c.alto << " at "
                                        << c.zoom << " %, " << c.lado << " per side");
        EXPECT_EQ(JigsawPermitido(c.forma, c.ancho, c.alto, c.zoom, c.lado), c.permitido);
    }
}

TEST(Encaje, TheOfferedSizesAndTheOneNearestTheCurrent) {
    const std::vector<int> rectangulos = LadosOfrecidos(0, 640, 480);
    ASSERT_FALSE(rectangulos.empty());
    EXPECT_EQ(rectangulos.front(), 5);
    EXPECT_EQ(rectangulos.back(), 19);
    EXPECT_EQ(rectangulos.size(), 15u);
    EXPECT_EQ(LadosOfrecidos(3, 640, 480), (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_TRUE(LadosOfrecidos(3, 600, 240).empty());

    const struct {
        std::vector<int> ofrecidos;
        int actual, elegido;
    } casos[] = {
        {rectangulos, 5, 5}, {rectangulos, 4, 5}, {rectangulos, 25, 19}, {{5, 7}, 6, 7}, {{}, 12, 3}, {{9}, 3, 9},
    };
    for (const auto& c : casos) EXPECT_EQ(LadoMasCercano(c.ofrecidos, c.actual), c.elegido) << c.actual;
}

TEST(Encaje, TheZoomThatFitsAPicture) {
    const struct {
        int ancho, alto, zoom;
        bool utilizable;
    } casos[] = {
        {640, 480, 100, true},  {320, 240, 100, true},  {1024, 768, 100, true}, {200, 150, 165, true},
        {319, 240, 105, true},  {2000, 1500, 50, true}, {1100, 700, 90, true},  {2000, 500, 50, true},
        {300, 800, 95, false},  {30, 30, 1070, false},  {100, 100, 325, true},  {1000, 480, 100, true},
        {1024, 400, 100, true}, {576, 768, 100, true}, {661, 160, 155, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ancho << " x " << c.alto);
        EXPECT_EQ(ZoomAjustado(c.ancho, c.alto), c.zoom);
        EXPECT_EQ(ZoomUtilizable(c.ancho, c.alto, ZoomAjustado(c.ancho, c.alto)), c.utilizable);
    }
    // The size the zoom gives, in whole pixels, is judged: 1024.5 gives 1024
    // (the zoom box's rule), 1025 is too wide.
    EXPECT_TRUE(ZoomUtilizable(2049, 1000, 50));
    EXPECT_FALSE(ZoomUtilizable(2050, 1000, 50));
    EXPECT_TRUE(ZoomUtilizable(661, 160, 155));
    EXPECT_FALSE(ZoomUtilizable(661, 154, 155));
    EXPECT_FALSE(ZoomUtilizable(640, 480, 1000));
    EXPECT_FALSE(ZoomUtilizable(0, 480, 100));
    EXPECT_EQ(ZoomAjustado(0, 0), 100);
}

} // namespace
