// Polygon regions as overlap tests: pixel centres decide which pixels a
// polygon holds, so two polygons that share an edge hold no pixel in common
// and one pixel further they do; the shifted test agrees with the
// intersection.
#include "platform/region.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace plat;

namespace {

bool solapan(const std::vector<QPoint>& a, const std::vector<QPoint>& b) {
    Region out;
    return combine(out, Region::polygon(a), Region::polygon(b), rgn::kAnd) > rgn::kNullRegion;
}

std::vector<QPoint> mueve(std::vector<QPoint> v, int dx, int dy) {
    for (QPoint& p : v) p += QPoint(dx, dy);
    return v;
}

struct CasoArista {
    const char* nombre;
    std::vector<QPoint> a, b; // b lies against a
    int dx, dy;               // one pixel of b towards a
};

TEST(RegionPoligono, SharedEdgesDoNotOverlapOnePixelFurtherTheyDo) {
    const CasoArista casos[] = {
        {"squares side by side", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{10, 0}, {20, 0}, {20, 10}, {10, 10}}, -1, 0},
        {"squares one above the other", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{0, 10}, {10, 10}, {10, 20}, {0, 20}},
         0, -1},
        {"the halves of a square, cut along a diagonal", {{0, 0}, {10, 0}, {0, 10}}, {{10, 0}, {10, 10}, {0, 10}}, -1, 0},
        {"the halves of a square, cut along the other diagonal", {{0, 0}, {10, 10}, {0, 10}},
         {{0, 0}, {10, 0}, {10, 10}}, 0, 1},
        // The two small triangles of the pieces, turned to make the square.
        {"two small triangles along their long sides", {{0, 0}, {62, 0}, {62, 62}}, {{0, 0}, {62, 62}, {0, 62}}, 1, 0},
        {"a triangle's long side on a parallelogram's side", {{0, 0}, {62, 0}, {0, 62}}, {{62, 0}, {124, 0}, {62, 62}, {0, 62}},
         -1, 0},
        {"a diamond's edge on a triangle's long side", {{44, 0}, {88, 44}, {44, 88}, {0, 44}}, {{88, 44}, {44, 88}, {88, 88}},
         0, -1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_FALSE(solapan(c.a, c.b));
        EXPECT_FALSE(Region::polygon(c.a).intersects(Region::polygon(c.b)));
        EXPECT_TRUE(solapan(c.a, mueve(c.b, c.dx, c.dy)));
        EXPECT_TRUE(Region::polygon(c.a).intersects(Region::polygon(c.b), c.dx, c.dy));
    }
}

TEST(RegionPoligono, TouchingCornersDoNotOverlap) {
    const std::vector<QPoint> a{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_FALSE(solapan(a, mueve(a, 10, 10)));
    EXPECT_FALSE(solapan(a, {{10, 10}, {20, 0}, {20, 20}}));
}

// A random convex-ish polygon (a triangle or a quadrilateral) near the origin.
std::vector<QPoint> poligonoAlAzar(std::mt19937& rng) {
    std::uniform_int_distribution<int> c(0, 40);
    std::vector<QPoint> v;
    const int n = std::uniform_int_distribution<int>(3, 4)(rng);
    for (int i = 0; i < n; ++i) v.emplace_back(c(rng), c(rng));
    return v;
}

TEST(RegionPoligono, TheShiftedTestAgreesWithTheIntersection) {
    std::mt19937 rng(2024);
    int solapes = 0, libres = 0;
    for (int caso = 0; caso < 300; ++caso) {
        const auto a = poligonoAlAzar(rng), b = poligonoAlAzar(rng);
        const Region ra = Region::polygon(a), rb = Region::polygon(b);
        for (int dy = -30; dy <= 30; dy += 3)
            for (int dx = -30; dx <= 30; dx += 3) {
                const bool esperado = solapan(a, mueve(b, dx, dy));
                ASSERT_EQ(ra.intersects(rb, dx, dy), esperado) << caso << " at " << dx << "," << dy;
                (esperado ? solapes : libres)++;
            }
    }
    EXPECT_GT(solapes, 1000);
    EXPECT_GT(libres, 1000);
    // Rectangles and empty regions too.
    EXPECT_TRUE(Region::rect(0, 0, 10, 10).intersects(Region::rect(5, 5, 6, 6)));
    EXPECT_FALSE(Region::rect(0, 0, 10, 10).intersects(Region::rect(5, 5, 6, 6), 5, 0));
    EXPECT_FALSE(Region().intersects(Region::rect(0, 0, 10, 10)));
    EXPECT_FALSE(Region::rect(0, 0, 10, 10).intersects(Region()));
}

} // namespace
