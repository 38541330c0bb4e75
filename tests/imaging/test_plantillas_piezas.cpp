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

// The neck never narrows past that of 20 pieces per side: with 28 or more the
// sockets would shrink to nothing and the fill would flood the surface.
TEST_F(PlantillasTest, MorePiecesPerSideThanAPuzzleHasKeepTheNarrowestNeck) {
    Celda(2, 60, 50, 20);
    const QImage veinte = mesa.Pic_Temporal.image().copy();
    for (int lado : {21, 28, 40, 300}) {
        SCOPED_TRACE(lado);
        Celda(2, 60, 50, lado);
        EXPECT_EQ(mesa.Pic_Temporal.image(), veinte);
    }
    Celda(2, 60, 50, 3);
    const QImage tres = mesa.Pic_Temporal.image().copy();
    Celda(2, 60, 50, 0);
    EXPECT_EQ(mesa.Pic_Temporal.image(), tres);
}

// A tab that the drawing pushed one pixel past its bitmap is pulled back: the
// lower half of both templates moves up a row, or their right halves a column
// left, and the cut lines are told.
TEST_F(PlantillasTest, TheSeamCorrectionKeepsTabsInsideTheirBitmap) {
    const struct {
        int w, h, ajusteX, ajusteY;
    } casos[] = {{128, 96, 1, 1}, {60, 60, 1, 1}, {30, 32, 0, 1}};
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

// Every cell a picture can give the curved and irregular shapes: cells of
// 25..140 pixels cut from a picture whose proportion the shape admits (up to
// 2.4 : 1 for the curved shape, 2.1 : 1 for the irregular one, either way);
// whole-pixel cells can be a little longer than the picture's proportion.
bool CeldaPosible(int forma, int w, int h) {
    const double r = forma == 1 ? 1 / 0.416 : 1 / 0.476;
    return w < r * (h + 1) && h < r * (w + 1);
}

// Over every such cell, with few and with many pieces per side (the
// irregular sockets' neck depends on it), both templates are closed
// silhouettes: their bitmap's corners stay white (no fill leaked out), the
// cell's centre and every tab's head are black, every socket's centre white.
// A tab's neck may close at pixel level; its head must be filled all the same.
TEST_F(PlantillasTest, EveryCellOfAnAllowedPictureGivesClosedTemplates) {
    int fallos = 0;
    for (int forma = 1; forma <= 2; ++forma)
        for (int lado : {3, 20}) {
            if (forma == 1 && lado == 20) continue; // the curved outline does not depend on it
            for (int h = 25; h <= 140; ++h)
                for (int w = 25; w <= 140; ++w) {
                    if (!CeldaPosible(forma, w, h)) continue;
                    Celda(forma, w, h, lado);
                    const auto& g = PuzzGbl;
                    const int ab = g.AnchoPiezaBase, hb = g.AltoPiezaBase, mx = g.MargenPiezaX,
                              my = g.MargenPiezaY;
                    auto falla = [&](const char* que, int plantilla) {
                        if (++fallos <= 20)
                            ADD_FAILURE() << "shape " << forma << ", " << lado << " per side, cell " << w << "x" << h
                                          << ", template " << plantilla << ": " << que;
                    };
                    for (int t = 0; t < 2; ++t) {
                        const int x0 = t * ab, ox = x0 + mx, oy = my;
                        for (const auto& [x, y] : {std::pair{x0, 0}, {x0 + ab - 1, 0}, {x0, hb - 1}, {x0 + ab - 1, hb - 1}})
                            if (Negro(x, y)) falla("a corner is black", t + 1);
                        if (!Negro(plat::cint(ox + w / 2.0), plat::cint(oy + h / 2.0))) falla("centre white", t + 1);
                        if (forma == 1) {
                            // Sides that bulge out are filled half way out; sides
                            // that curve in are white half way in.
                            const double dx = (h - 1) / 12.0, dy = 0.3 * (w - 1) / 4.0;
                            const int cx = plat::cint(ox + (w - 1) / 2.0), cy = plat::cint(oy + (h - 1) / 2.0);
                            const bool lados = t == 0; // template 1: sides out, top and bottom in
                            if (Negro(plat::cint(ox - dx), cy) != lados) falla("left side", t + 1);
                            if (Negro(plat::cint(ox + w - 1 + dx), cy) != lados) falla("right side", t + 1);
                            if (Negro(cx, plat::cint(oy - dy)) == lados) falla("top side", t + 1);
                            if (Negro(cx, plat::cint(oy + h - 1 + dy)) == lados) falla("bottom side", t + 1);
                            continue;
                        }
                        const double kx = 0.09 * h, ky = 0.09 * w;
                        const int cx = plat::cint(ox + 0.5 * w), cy = plat::cint(oy + 0.5 * h);
                        const bool arriba = t == 0; // template 1: tabs on top and bottom
                        if (Negro(cx, plat::cint(oy - ky)) != arriba) falla("top knob", t + 1);
                        if (Negro(cx, plat::cint(oy + ky)) != arriba) falla("top, inside", t + 1);
                        if (Negro(cx, plat::cint(oy + h + ky) - 1) != arriba) falla("bottom knob", t + 1);
                        if (Negro(cx, plat::cint(oy + h - ky)) != arriba) falla("bottom, inside", t + 1);
                        if (Negro(plat::cint(ox - kx), cy) == arriba) falla("left knob", t + 1);
                        if (Negro(plat::cint(ox + kx), cy) == arriba) falla("left, inside", t + 1);
                        if (Negro(plat::cint(ox + w + kx) - 1, cy) == arriba) falla("right knob", t + 1);
                        if (Negro(plat::cint(ox + w - kx), cy) == arriba) falla("right, inside", t + 1);
                    }
                }
        }
    EXPECT_EQ(fallos, 0);
}

} // namespace
