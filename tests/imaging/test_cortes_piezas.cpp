// The jigsaw's cut lines: the parameters each shape chooses, where its lines
// run, the colour and width they take from the surface, and the shapes that
// draw nothing.
#include "imaging/PiezasMoviles.h"
#include "tests/imaging/puzzle_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace puzzle_test;

namespace {

class CortesTest : public ::testing::Test {
protected:
    void SetUp() override { Reinicia(); }
    void TearDown() override { Reinicia(); }
};

// N x N cells of w x h, cut on a blank surface in black.
plat::Surface& Corta(int forma, int n, int w, int h, plat::Color tinta = 0x000000, int grosor = 1) {
    auto& g = PuzzGbl;
    g.FormaPieza = std::int16_t(forma);
    g.PiezasLado = std::int16_t(n);
    g.AnchoPieza = std::int16_t(w);
    g.AltoPieza = std::int16_t(h);
    g.AnchoImagen = std::int16_t(n * w);
    g.AltoImagen = std::int16_t(n * h);
    static plat::Surface s(QStringLiteral("cortes"));
    s.setSize(n * w, n * h);
    s.setBackColor(0xFFFFFF);
    s.setForeColor(tinta);
    s.setDrawWidth(grosor);
    DibujaCortesPiezas(s);
    return s;
}

bool Negro(const plat::Surface& s, double x, double y) { return s.point(x, y) == 0; }

// Black within one pixel of (x, y).
bool NegroCerca(const plat::Surface& s, double x, double y) {
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i)
            if (Negro(s, x + i, y + j)) return true;
    return false;
}

TEST_F(CortesTest, EachShapeChoosesItsParametersFromTheCell) {
    const struct {
        int forma, w, h;
        int p1, p2, p3, p4;
        float r1, r2;
    } casos[] = {
        // Circles: the whole part of 0.35 of the smaller side.
        {4, 50, 40, 14, 0, 0, 0, 0, 0},
        {4, 43, 60, 15, 0, 0, 0, 0, 0},
        // Insets: 0.2 of each side, halves to even (10.5 gives 10).
        {5, 52, 37, 0, 0, 10, 7, 0, 0},
        {5, 55, 45, 0, 0, 11, 9, 0, 0},
        {5, 53, 40, 0, 0, 11, 8, 0, 0},
        // Ellipses of about 0.35 W by 0.35 H, the radius along the longer side.
        {6, 40, 60, 21, 0, 0, 0, 1.5f, 0},
        {6, 60, 40, 21, 0, 0, 0, float(14.0 / 21), 0},
        // Stars: a tall ellipse and a wide one.
        {7, 60, 40, 14, 21, 0, 0, float(14 / 10.5), float(7.0 / 21)},
        // Curved sides: 0.3 across the top and bottom, 3 across the sides.
        {1, 51, 37, 0, 0, 0, 0, 0.3f, 3.0f},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.forma << " " << c.w << "x" << c.h);
        PuzzGbl.CorteParam1 = PuzzGbl.CorteParam2 = PuzzGbl.CorteParam3 = PuzzGbl.CorteParam4 = 0;
        PuzzGbl.CorteProporcion1 = PuzzGbl.CorteProporcion2 = 0;
        Corta(c.forma, 3, c.w, c.h);
        const auto& g = PuzzGbl;
        EXPECT_EQ(g.CorteParam1, c.p1);
        EXPECT_EQ(g.CorteParam2, c.p2);
        EXPECT_EQ(g.CorteParam3, c.p3);
        EXPECT_EQ(g.CorteParam4, c.p4);
        EXPECT_FLOAT_EQ(g.CorteProporcion1, c.r1);
        EXPECT_FLOAT_EQ(g.CorteProporcion2, c.r2);
    }
}

TEST_F(CortesTest, RectanglesAndTrianglesFollowTheGrid) {
    const int w = 41, h = 30;
    const plat::Surface& s = Corta(0, 3, w, h);
    // Neighbouring boxes touch: every inner cut two pixels wide, a one-pixel frame.
    for (int x = 0; x < 3 * w; ++x) {
        EXPECT_TRUE(Negro(s, x, 0) && Negro(s, x, h - 1) && Negro(s, x, h) && Negro(s, x, 3 * h - 1)) << x;
        const bool vertical = x % w == 0 || x % w == w - 1;
        EXPECT_EQ(Negro(s, x, 1) || Negro(s, x, h + 1), vertical) << x;
    }
    EXPECT_FALSE(Negro(s, w / 2, h / 2));

    const plat::Surface& t = Corta(3, 3, w, h);
    // The box, then both diagonals of every cell, each doubled.
    for (int c = 0; c < 3; ++c) {
        const int x0 = c * w, y0 = h;
        EXPECT_TRUE(Negro(t, x0 + w - 1, y0 + 5));
        for (int k = 2; k < h - 2; ++k) {
            const double x = x0 + double(k) * (w - 1) / (h - 1);
            EXPECT_TRUE(NegroCerca(t, x, y0 + k)) << c << " falling " << k;
            EXPECT_TRUE(NegroCerca(t, x0 + w - 1 - double(k) * (w - 1) / (h - 1), y0 + k)) << c << " rising " << k;
        }
        EXPECT_FALSE(Negro(t, x0 + w / 2, y0 + 3)) << "inside the top triangle";
    }
}

// The curved shape draws no straight inner line: along an inner cut line
// only the arcs' ends at the corners touch it.
TEST_F(CortesTest, CurvedCutsBulgeBetweenTheCorners) {
    const int w = 61, h = 45;
    const plat::Surface& s = Corta(1, 3, w, h);
    for (int y = 0; y < 3 * h; ++y) {
        const int r = y % h;
        const bool cerca = r <= 3 || r >= h - 4;
        if (!cerca) {
            EXPECT_FALSE(Negro(s, w - 1, y) || Negro(s, w, y)) << y;
        }
    }
    EXPECT_TRUE(Negro(s, 0, h + h / 2)) << "the frame";
    EXPECT_TRUE(Negro(s, 3 * w - 1, h / 2));
    // Cell (0, 0) is even: its right side bulges out, so both arcs of that
    // edge lie right of the line in the middle of the side.
    const double b = (h - 1) / 2.0;
    EXPECT_TRUE(NegroCerca(s, w - 1 + b / 3, b));
    EXPECT_TRUE(NegroCerca(s, w + b / 3, b));
    EXPECT_FALSE(NegroCerca(s, w - 2 - b / 3, b));
    // Its bottom curves in: the arc rises into the cell.
    const double a = (w - 1) / 2.0;
    EXPECT_TRUE(NegroCerca(s, a, h - 1 - 0.3 * a));
}

// Irregular shape: the tabs alternate along an edge and from one edge to the
// next; the first horizontal edge's first tab points down, its first vertical
// edge's first tab left.
TEST_F(CortesTest, IrregularTabsAlternateLikeACheckerboard) {
    const int w = 60, h = 50;
    const plat::Surface& s = Corta(2, 3, w, h);
    auto cabezaAbajo = [&](int c, int r) {
        const double x = c * w + 0.5 * w, y = r * h;
        const double alcance = 0.09 * w + 0.115 * w;
        const bool abajo = NegroCerca(s, x, y + alcance), arriba = NegroCerca(s, x, y - 1 - alcance);
        EXPECT_NE(abajo, arriba) << c << "," << r;
        return abajo;
    };
    EXPECT_TRUE(cabezaAbajo(0, 1));
    EXPECT_FALSE(cabezaAbajo(1, 1));
    EXPECT_TRUE(cabezaAbajo(2, 1));
    EXPECT_FALSE(cabezaAbajo(0, 2));
    auto cabezaIzquierda = [&](int c, int r) {
        const double x = c * w, y = r * h + 0.5 * h;
        const double alcance = 0.09 * h + 0.115 * h;
        const bool izquierda = NegroCerca(s, x - 1 - alcance, y), derecha = NegroCerca(s, x + alcance, y);
        EXPECT_NE(izquierda, derecha) << c << "," << r;
        return izquierda;
    };
    EXPECT_TRUE(cabezaIzquierda(1, 0));
    EXPECT_FALSE(cabezaIzquierda(1, 1));
    EXPECT_FALSE(cabezaIzquierda(2, 0));
}

// The seam corrections of the templates move one shoulder each, nothing else.
TEST_F(CortesTest, SeamCorrectionsMoveOnlyTheirShoulder) {
    const int w = 60, h = 50;
    auto corta = [&](int ax, int ay) {
        PuzzGbl.AjusteCorteX = std::int16_t(ax);
        PuzzGbl.AjusteCorteY = std::int16_t(ay);
        return Corta(2, 3, w, h).image().copy();
    };
    const QImage base = corta(0, 0), enX = corta(1, 0), enY = corta(0, 1);
    int cambiosX = 0, cambiosY = 0;
    for (int y = 0; y < 3 * h; ++y)
        for (int x = 0; x < 3 * w; ++x) {
            const int cx = x % w, cy = y % h;
            if (enX.pixel(x, y) != base.pixel(x, y)) {
                ++cambiosX;
                // Right shoulder of a horizontal edge: 0.56 w to w along it
                // (its end touching the next cell), near the line.
                EXPECT_TRUE((cx >= 0.56 * w - 2 || cx <= 1) && (cy <= 0.08 * w + 2 || cy >= h - 0.08 * w - 2))
                    << x << "," << y;
            }
            if (enY.pixel(x, y) != base.pixel(x, y)) {
                ++cambiosY;
                EXPECT_TRUE((cy >= 0.56 * h - 2 || cy <= 1) && (cx <= 0.08 * h + 2 || cx >= w - 0.08 * h - 2))
                    << x << "," << y;
            }
        }
    EXPECT_GT(cambiosX, 0);
    EXPECT_GT(cambiosY, 0);
}

TEST_F(CortesTest, FiguresInFramesAreDoubledOutwards) {
    const int w = 60, h = 44;
    {
        const plat::Surface& s = Corta(4, 2, w, h);
        const int r = PuzzGbl.CorteParam1;
        const double cx = w + w / 2.0, cy = h / 2.0;
        EXPECT_TRUE(Negro(s, cx + r, cy) && Negro(s, cx + r + 1, cy));
        EXPECT_FALSE(Negro(s, cx + r - 1, cy) || Negro(s, cx + r + 2, cy));
        EXPECT_TRUE(Negro(s, cx, cy - r) && Negro(s, cx, cy - r - 1));
    }
    {
        const plat::Surface& s = Corta(5, 2, w, h);
        const int ix = PuzzGbl.CorteParam3, iy = PuzzGbl.CorteParam4;
        EXPECT_TRUE(Negro(s, ix, h / 2) && Negro(s, ix - 1, h / 2));
        EXPECT_FALSE(Negro(s, ix + 1, h / 2) || Negro(s, ix - 2, h / 2));
        EXPECT_TRUE(Negro(s, w - ix - 1, h / 2) && Negro(s, w - ix, h / 2));
        EXPECT_TRUE(Negro(s, w / 2, iy - 1) && Negro(s, w / 2, h - iy));
    }
    {
        const plat::Surface& s = Corta(6, 2, w, h);
        const double cx = w / 2.0, cy = h + h / 2.0;
        EXPECT_TRUE(NegroCerca(s, cx + 0.35 * w, cy) && NegroCerca(s, cx, cy + 0.35 * h));
        EXPECT_FALSE(Negro(s, cx + 0.2 * w, cy));
    }
    {
        // The star's points: the wide ellipse reaches 0.35 w across, the tall one 0.35 h up.
        const plat::Surface& s = Corta(7, 2, w, h);
        const double cx = w / 2.0, cy = h / 2.0;
        EXPECT_TRUE(NegroCerca(s, cx + 0.35 * w, cy) && NegroCerca(s, cx - 0.35 * w, cy));
        EXPECT_TRUE(NegroCerca(s, cx, cy - 0.35 * h) && NegroCerca(s, cx, cy + 0.35 * h));
        EXPECT_FALSE(Negro(s, cx + 0.25 * w, cy - 0.25 * h)) << "between the points";
    }
}

TEST_F(CortesTest, LinesTakeTheSurfacesColourAndWidthAndUnknownShapesDrawNothing) {
    const plat::Color rojo = 0x0000FF;
    const plat::Surface& s = Corta(0, 2, 30, 20, rojo, 2);
    EXPECT_EQ(s.point(5, 0), rojo);
    EXPECT_EQ(s.point(5, 1), rojo) << "two pixels wide";
    EXPECT_EQ(s.point(5, 3), 0xFFFFFFu);
    for (int forma : {8, -1, 100}) {
        plat::Surface& t = Corta(0, 2, 30, 20);
        const QImage antes = t.image().copy();
        PuzzGbl.FormaPieza = std::int16_t(forma);
        DibujaCortesPiezas(t);
        EXPECT_EQ(t.image(), antes) << forma;
    }
}

} // namespace
