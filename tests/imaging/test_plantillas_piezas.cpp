// The size of a jigsaw piece's picture and the outline templates of the
// curved and irregular shapes: margins, the two chessboard classes, the
// sockets' necks and the seam correction.
#include "imaging/PiezasMoviles.h"
#include "tests/imaging/puzzle_fixtures.h"

#include <gtest/gtest.h>


using namespace puzzle_test;

namespace {

class PlantillasTest : public ::testing::Test {
protected:
    void SetUp() override { Reinicia(); }
    void TearDown() override { Reinicia(); }
};

void Celda(int forma, int w, int h, int lado = 5) {
    auto& g = PuzzGbl;
    g.FormaPieza = std::int16_t(forma);
    g.AnchoPieza = std::int16_t(w);
    g.AltoPieza = std::int16_t(h);
    g.PiezasLado = std::int16_t(lado);
    g.AnchoImagen = std::int16_t(w * lado);
    g.AltoImagen = std::int16_t(h * lado);
    DibujaPlantillasPiezas();
}

bool Negro(double x, double y) { return mesa.Pic_Temporal.point(x, y) == 0; }

TEST_F(PlantillasTest, MarginsFollowTheOtherSideAndRoundHalvesToEven) {
    const struct {
        int forma, w, h, mx, my;
    } casos[] = {
        {1, 60, 60, 10, 10}, {2, 60, 60, 12, 12}, {0, 60, 60, 0, 0},   {3, 60, 60, 0, 0},
        {7, 60, 60, 0, 0},   {1, 50, 50, 8, 8},   {2, 100, 100, 20, 20}, {1, 40, 60, 10, 7},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.forma << " " << c.w << "x" << c.h);
        Celda(c.forma, c.w, c.h);
        const auto& g = PuzzGbl;
        EXPECT_EQ(g.MargenPiezaX, c.mx);
        EXPECT_EQ(g.MargenPiezaY, c.my);
        EXPECT_EQ(g.AnchoPiezaBase, c.w + 2 * c.mx);
        EXPECT_EQ(g.AltoPiezaBase, c.h + 2 * c.my);
        if (c.forma == 1 || c.forma == 2) {
            EXPECT_EQ(mesa.Pic_Temporal.scaleWidth(), plat::cint(2.1 * g.AnchoPiezaBase));
            EXPECT_EQ(mesa.Pic_Temporal.scaleHeight(), plat::cint(1.1 * g.AltoPiezaBase));
        }
    }
}

// The other shapes leave the templates and the seam corrections alone.
TEST_F(PlantillasTest, ShapesWithoutTemplatesLeaveTheLastOnes) {
    Celda(2, 60, 60);
    PuzzGbl.AjusteCorteX = 1;
    PuzzGbl.AjusteCorteY = 0;
    const QImage plantillas = mesa.Pic_Temporal.image().copy();
    Celda(0, 50, 40);
    EXPECT_EQ(PuzzGbl.MargenPiezaX, 0);
    EXPECT_EQ(PuzzGbl.AnchoPiezaBase, 50);
    EXPECT_EQ(PuzzGbl.AltoPiezaBase, 40);
    EXPECT_EQ(PuzzGbl.AjusteCorteX, 1);
    EXPECT_EQ(PuzzGbl.AjusteCorteY, 0);
    EXPECT_EQ(mesa.Pic_Temporal.image(), plantillas);
}

// The two classes interlock: where one has a tab the other has a socket, and
// where one side curves in the other bulges out.
TEST_F(PlantillasTest, TheTwoClassesAreOppositeOnEverySide) {
    {
        Celda(1, 61, 45);
        const auto& g = PuzzGbl;
        const int w = 61, h = 45, mx = g.MargenPiezaX, my = g.MargenPiezaY, ab = g.AnchoPiezaBase;
        for (int t = 0; t < 2; ++t) {
            SCOPED_TRACE(t + 1);
            const int ox = t * ab + mx;
            const bool uno = t == 0;
            // Top and bottom: in for template 1; the sides: out for template 1.
            EXPECT_EQ(Negro(ox + w / 2, my + 2), !uno);
            EXPECT_EQ(Negro(ox + w / 2, my - 2), !uno);
            EXPECT_EQ(Negro(ox + w / 2, my + h - 3), !uno);
            EXPECT_EQ(Negro(ox - 2, my + h / 2), uno);
            EXPECT_EQ(Negro(ox + w + 1, my + h / 2), uno);
            EXPECT_EQ(Negro(ox + 2, my + h / 2), uno);
            EXPECT_TRUE(Negro(ox + w / 2, my + h / 2)) << "filled";
        }
    }
    {
        Celda(2, 60, 50);
        const auto& g = PuzzGbl;
        const int w = 60, h = 50, mx = g.MargenPiezaX, my = g.MargenPiezaY, ab = g.AnchoPiezaBase;
        for (int t = 0; t < 2; ++t) {
            SCOPED_TRACE(t + 1);
            const int ox = t * ab + mx;
            const bool uno = t == 0;
            // Knob centres 0.09 of the side off the side, outside for a tab.
            EXPECT_EQ(Negro(ox + 0.5 * w, my - 0.09 * w), uno) << "top";
            EXPECT_EQ(Negro(ox + 0.5 * w, my + 0.09 * w), uno) << "top";
            EXPECT_EQ(Negro(ox + 0.5 * w, my + h + 0.09 * w - 1), uno) << "bottom";
            EXPECT_EQ(Negro(ox - 0.09 * h, my + 0.5 * h), !uno) << "left";
            EXPECT_EQ(Negro(ox + 0.09 * h, my + 0.5 * h), !uno) << "left";
            EXPECT_EQ(Negro(ox + w + 0.09 * h - 1, my + 0.5 * h), !uno) << "right";
            EXPECT_TRUE(Negro(ox + w / 2, my + h / 2)) << "filled";
            // The shoulders beside a tab curve into the cell.
            EXPECT_EQ(Negro(ox + 0.22 * w, my + 1), !uno);
        }
    }
}

// Template 2's top socket narrows its neck as the puzzle has more pieces per
// side: from 117 to 68 degrees with 3, from 100 to 85 with 20.
TEST_F(PlantillasTest, TheSocketsNeckNarrowsWithMorePieces) {
    // The socket's outline near the top of its circle, where the neck opens:
    // more of it drawn with 20 than with 3.
    auto arco = [](int lado) {
        Celda(2, 120, 100, lado);
        const auto& g = PuzzGbl;
        const int cx = g.AnchoPiezaBase + g.MargenPiezaX + 60, cy = g.MargenPiezaY + plat::cint(0.09 * 120);
        const int arriba = cy - plat::cint(0.12 * 120);
        int negros = 0;
        for (int y = arriba - 2; y <= arriba + 3; ++y)
            for (int x = cx - 8; x <= cx + 8; ++x) negros += Negro(x, y);
        return negros;
    };
    EXPECT_GT(arco(20), arco(3) + 4);
}

// A tab that the drawing pushed one pixel past its bitmap is pulled back: the
// lower half of both templates moves up a row, or their right halves a column
// left, and the cut lines are told.
TEST_F(PlantillasTest, TheSeamCorrectionKeepsTabsInsideTheirBitmap) {
    const struct {
        int w, h, ajusteX, ajusteY;
    } casos[] = {{128, 96, 1, 1}, {60, 60, 1, 1}, {50, 96, 0, 1}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        PuzzGbl.AjusteCorteX = PuzzGbl.AjusteCorteY = 7;
        Celda(2, c.w, c.h);
        const auto& g = PuzzGbl;
        EXPECT_EQ(g.AjusteCorteX, c.ajusteX);
        EXPECT_EQ(g.AjusteCorteY, c.ajusteY);
        const int ab = g.AnchoPiezaBase, hb = g.AltoPiezaBase;
        EXPECT_FALSE(Negro(ab / 2, hb)) << "template 1's bottom tab";
        EXPECT_FALSE(Negro(2 * ab, hb / 2)) << "template 2's right tab";
        EXPECT_TRUE(Negro(ab / 2, hb - 1)) << "the tab reaches the bitmap's last row";
    }
}

} // namespace
