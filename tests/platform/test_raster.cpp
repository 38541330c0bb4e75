// Pixel tests of the drawing primitives: lines, boxes, ellipses and arcs,
// single pixels, flood fill, draw modes and text.
#include "platform/region.h"
#include "platform/surface.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

using plat::Color;
using plat::FillStyle;
using plat::Surface;
using testing_support::asciiArt;
using testing_support::countColor;

namespace {

constexpr double kDeg = 0.017453294444444444; // the callers' degree factor
constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;
constexpr Color kBlue = 0xFF0000;

using Pixel = std::pair<int, int>;

std::vector<Pixel> pixelsOf(const Surface& s, Color c) {
    std::vector<Pixel> out;
    for (int y = 0; y < s.scaleHeight(); ++y)
        for (int x = 0; x < s.scaleWidth(); ++x)
            if (s.point(x, y) == c) out.emplace_back(x, y);
    return out;
}

// True when the pixels form one 8-connected piece.
bool oneChain8(const std::vector<Pixel>& px) {
    if (px.empty()) return false;
    std::set<Pixel> left(px.begin(), px.end());
    std::vector<Pixel> todo{*left.begin()};
    left.erase(left.begin());
    while (!todo.empty()) {
        const Pixel p = todo.back();
        todo.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                auto it = left.find({p.first + dx, p.second + dy});
                if (it == left.end()) continue;
                todo.push_back(*it);
                left.erase(it);
            }
    }
    return left.empty();
}

struct Bounds {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -(1 << 30), y1 = -(1 << 30);
};

Bounds boundsOf(const std::vector<Pixel>& px) {
    Bounds b;
    for (auto [x, y] : px) {
        b.x0 = std::min(b.x0, x);
        b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x);
        b.y1 = std::max(b.y1, y);
    }
    return b;
}

bool sameImage(const Surface& a, const QImage& b) { return a.image() == b; }

} // namespace

// ---------------------------------------------------------------- lines

struct LineCase {
    const char* name;
    double x1, y1, x2, y2;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LineShape : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineShape, FirstPixelInLastOutEightConnected) {
    const LineCase& c = GetParam();
    Surface s("s", 40, 40);
    s.line(c.x1, c.y1, c.x2, c.y2);
    const int ax = plat::toPixel(c.x1), ay = plat::toPixel(c.y1);
    const int bx = plat::toPixel(c.x2), by = plat::toPixel(c.y2);
    EXPECT_EQ(s.point(ax, ay), plat::kBlack);
    EXPECT_EQ(s.point(bx, by), plat::kWhite);
    const auto px = pixelsOf(s, plat::kBlack);
    EXPECT_EQ(int(px.size()), std::max(std::abs(bx - ax), std::abs(by - ay)));
    // Adding the left-out end pixel keeps the line one 8-connected piece.
    auto closed = px;
    closed.emplace_back(bx, by);
    EXPECT_TRUE(oneChain8(closed));
    // No pixel strays from the ideal line by half a pixel or more across it.
    const double len = std::hypot(bx - ax, by - ay);
    for (auto [x, y] : px) {
        const double dist = std::abs(double(bx - ax) * (y - ay) - double(by - ay) * (x - ax)) / len;
        EXPECT_LE(dist, 0.75) << x << "," << y;
    }
    EXPECT_EQ(s.currentX(), c.x2);
    EXPECT_EQ(s.currentY(), c.y2);
}

INSTANTIATE_TEST_SUITE_P(
    Raster, LineShape,
    ::testing::Values(LineCase{"right", 2, 5, 30, 5}, LineCase{"left", 30, 5, 2, 5},
                      LineCase{"down", 7, 1, 7, 33}, LineCase{"up", 7, 33, 7, 1},
                      LineCase{"diagonal", 1, 1, 21, 21}, LineCase{"antidiagonal", 21, 1, 1, 21},
                      LineCase{"shallow", 1, 3, 37, 12}, LineCase{"steep", 30, 2, 21, 38},
                      LineCase{"fractional", 2.5, 3.49, 17.2, 30.5}, LineCase{"oneStep", 4, 4, 5, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RasterLine, ShallowLineFixture) {
    Surface s("s", 9, 4);
    s.line(0, 0, 8, 3);
    // The exact line passes y = 1.5 at x = 4: halves round down the screen.
    EXPECT_EQ(asciiArt(s), QStringList({"##.......", "..##.....", "....###..", ".......#."}));
}

TEST(RasterLine, ZeroLengthDrawsNothingButMovesTheCurrentPoint) {
    Surface s("s", 10, 10);
    s.line(3.2, 4.4, 3.4, 3.6); // both ends round to (3, 4)
    EXPECT_EQ(countColor(s, plat::kBlack), 0);
    EXPECT_EQ(s.currentX(), 3.4);
    EXPECT_EQ(s.currentY(), 3.6);
}

TEST(RasterLine, LineToChainsFromTheExactCurrentPoint) {
    Surface s("s", 8, 8);
    s.setCurrent(1, 1);
    s.lineTo(6, 1);
    s.lineTo(6, 6);
    s.lineTo(1, 6);
    s.lineTo(1, 1);
    // Each side leaves out its last pixel, which is the next side's first.
    EXPECT_EQ(asciiArt(s), QStringList({"........", ".######.", ".#....#.", ".#....#.", ".#....#.",
                                        ".#....#.", ".######.", "........"}));
    s.setCurrent(2.4, 2.6); // rounds to (2, 3)
    s.lineTo(5, 3, kRed);
    EXPECT_EQ(s.point(2, 3), kRed);
    EXPECT_EQ(s.point(4, 3), kRed);
    EXPECT_EQ(s.point(5, 3), plat::kWhite);
    EXPECT_EQ(s.currentX(), 5.0);
}

TEST(RasterLine, HalfCoordinatesRoundUp) {
    Surface s("s", 10, 3);
    s.line(0.5, 0.5, 5.5, 0.5); // (1, 1) .. (6, 1)
    EXPECT_EQ(asciiArt(s), QStringList({"..........", ".#####....", ".........."}));
}

// A segment sets the same pixels whichever end it is drawn from (each way
// leaves out its own last pixel, so both ends are set apart): one line per
// octant, slopes whose exact line passes half-way between two pixels among
// them, and segments reaching past the surface.
TEST(RasterLine, BothWaysSetTheSamePixels) {
    const struct {
        int x1, y1, x2, y2;
    } casos[] = {
        {0, 48, 48, 24},  {2, 2, 40, 21},  {2, 2, 40, 8},   {2, 40, 40, 21}, {40, 2, 2, 21},  {40, 40, 2, 21},
        {2, 2, 21, 40},   {21, 2, 2, 40},  {2, 40, 21, 2},  {40, 40, 21, 2}, {5, 5, 40, 12},  {3, 30, 36, 19},
        {10, 1, 13, 46},  {45, 3, 40, 44}, {0, 0, 49, 49},  {49, 0, 0, 49},  {0, 7, 49, 7},   {7, 0, 7, 49},
        {-20, 60, 70, -5}, {-30, 10, 80, 41}, {25, -40, 30, 90}, {1, 1, 4, 2}, {1, 1, 2, 4}, {6, 1, 1, 2},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2);
        Surface ida("ida", 50, 50), vuelta("vuelta", 50, 50);
        ida.line(c.x1, c.y1, c.x2, c.y2);
        vuelta.line(c.x2, c.y2, c.x1, c.y1);
        for (Surface* s : {&ida, &vuelta}) {
            s->pset(c.x1, c.y1);
            s->pset(c.x2, c.y2);
        }
        EXPECT_EQ(pixelsOf(ida, plat::kBlack), pixelsOf(vuelta, plat::kBlack));
    }
}

TEST(RasterLine, ClippedAtTheBoundsAndSafeForHugeCoordinates) {
    Surface s("s", 10, 10);
    s.line(-100, -100, 200, 200);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(s.point(i, i), plat::kBlack) << i;
    EXPECT_EQ(countColor(s, plat::kBlack), 10);

    Surface t("t", 10, 10);
    t.line(-1e12, 5, 1e12, 5);
    EXPECT_EQ(countColor(t, plat::kBlack), 10);
    t.line(0, 0, std::nan(""), 3); // not a number: nothing drawn
    EXPECT_EQ(countColor(t, plat::kBlack), 10);
}

TEST(RasterLine, ThickLinesAreDotsOfTheWidth) {
    struct Case {
        int width;
        QStringList art;
    };
    const Case cases[] = {
        {2, {"........", "........", "..####..", "..####..", "........", "........"}},
        {3, {"........", ".#####..", ".#####..", ".#####..", "........", "........"}},
    };
    for (const Case& c : cases) {
        Surface s("s", 8, 6);
        s.setDrawWidth(c.width);
        s.line(2, 2, 5, 2);
        EXPECT_EQ(asciiArt(s), c.art) << "width " << c.width;
    }
}

// ---------------------------------------------------------------- boxes

TEST(RasterBox, CornersInAnyOrderGiveTheSameOutline) {
    const QStringList expected = {"........", ".#####..", ".#...#..", ".#...#..", ".#####..", "........"};
    const double corners[][4] = {{1, 1, 5, 4}, {5, 4, 1, 1}, {5, 1, 1, 4}, {1, 4, 5, 1}};
    for (const auto& c : corners) {
        Surface s("s", 8, 6);
        s.box(c[0], c[1], c[2], c[3]);
        EXPECT_EQ(asciiArt(s), expected) << c[0] << "," << c[1] << " - " << c[2] << "," << c[3];
        EXPECT_EQ(s.currentX(), c[2]);
        EXPECT_EQ(s.currentY(), c[3]);
    }
}

TEST(RasterBox, DegenerateBoxes) {
    Surface s("s", 6, 4);
    s.box(2, 1, 2, 1);
    EXPECT_EQ(asciiArt(s), QStringList({"......", "..#...", "......", "......"}));
    s.cls();
    s.box(1, 2, 4, 2);
    EXPECT_EQ(asciiArt(s), QStringList({"......", "......", ".####.", "......"}));
}

TEST(RasterBox, SolidFillPaintsTheInsideThenTheOutline) {
    Surface s("s", 7, 6);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(kRed);
    s.box(1, 1, 5, 4, kBlue);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool outside = x < 1 || x > 5 || y < 1 || y > 4;
            const bool edge = !outside && (x == 1 || x == 5 || y == 1 || y == 4);
            const Color want = outside ? plat::kWhite : edge ? kBlue : kRed;
            EXPECT_EQ(s.point(x, y), want) << x << "," << y;
        }
}

TEST(RasterBox, TransparentFillLeavesTheInside) {
    Surface s("s", 7, 6);
    s.filledBox(0, 0, 6, 5, kGreen);
    s.setFillColor(kRed); // fill style stays transparent
    s.box(1, 1, 5, 4);
    EXPECT_EQ(s.point(3, 2), kGreen);
    EXPECT_EQ(s.point(1, 1), plat::kBlack);
    EXPECT_EQ(countColor(s, kRed), 0);
}

TEST(RasterBox, FilledBoxIsOneColourWhateverTheFillStyle) {
    Surface s("s", 6, 5);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(kRed);
    s.filledBox(4, 3, 1, 1, plat::kBlack);
    EXPECT_EQ(asciiArt(s), QStringList({"......", ".####.", ".####.", ".####.", "......"}));
    EXPECT_EQ(s.currentX(), 1.0);
    EXPECT_EQ(s.currentY(), 1.0);
}

TEST(RasterBox, ThickOutlineIsCentredLikeThickLines) {
    Surface s("s", 10, 10);
    s.setDrawWidth(3);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(kRed);
    s.box(2, 2, 7, 7);
    EXPECT_EQ(asciiArt(s),
              QStringList({"..........", ".########.", ".########.", ".########.", ".###??###.", ".###??###.",
                           ".########.", ".########.", ".########.", ".........."}));
    Surface t("t", 10, 10);
    t.setDrawWidth(2); // even widths reach one pixel further right and down
    t.box(2, 2, 7, 7);
    EXPECT_EQ(asciiArt(t),
              QStringList({"..........", "..........", "..#######.", "..#######.", "..##...##.", "..##...##.",
                           "..##...##.", "..#######.", "..#######.", ".........."}));
}

TEST(RasterBox, ClipRegionDoesNotLimitDrawing) {
    Surface s("s", 6, 6);
    const plat::Region r = plat::Region::rect(0, 0, 2, 2);
    s.selectClipRegion(&r);
    s.box(0, 0, 5, 5);
    EXPECT_EQ(s.point(5, 5), plat::kBlack);
}

// ---------------------------------------------------------------- pset

TEST(RasterPset, DotOfTheLineWidth) {
    struct Case {
        int width;
        QStringList art;
    };
    const Case cases[] = {
        {1, {".....", ".....", "..#..", ".....", "....."}},
        {2, {".....", ".....", "..##.", "..##.", "....."}},
        {3, {".....", ".###.", ".###.", ".###.", "....."}},
    };
    for (const Case& c : cases) {
        Surface s("s", 5, 5);
        s.setDrawWidth(c.width);
        s.pset(2.4, 1.5); // (2, 2)
        EXPECT_EQ(asciiArt(s), c.art) << "width " << c.width;
        EXPECT_EQ(s.currentX(), 2.4);
        EXPECT_EQ(s.currentY(), 1.5);
    }
    Surface s("s", 3, 3);
    s.pset(1, 1, kRed);
    EXPECT_EQ(s.point(1, 1), kRed);
    s.pset(-5, 40); // off the surface: nothing, no fault
    EXPECT_EQ(countColor(s, plat::kWhite), 8);
}

// ---------------------------------------------------------------- ellipses

struct EllipseCase {
    double radius;
    std::optional<double> aspect;
};

void PrintTo(const EllipseCase& c, std::ostream* os) {
    *os << "radius " << c.radius << " aspect "
        << (c.aspect ? std::to_string(*c.aspect) : std::string("none"));
}

class Ellipse : public ::testing::TestWithParam<EllipseCase> {
protected:
    static constexpr int kSize = 420;
    static constexpr double kC = 210.0;
    double rx() const {
        const double k = GetParam().aspect.value_or(1.0);
        return k < 1 ? GetParam().radius : GetParam().radius / k;
    }
    double ry() const {
        const double k = GetParam().aspect.value_or(1.0);
        return k < 1 ? GetParam().radius * k : GetParam().radius;
    }
    void draw(Surface& s) const {
        s.circle(kC, kC, GetParam().radius, std::nullopt, std::nullopt, std::nullopt, GetParam().aspect);
    }
};

TEST_P(Ellipse, ClosedChainAtTheExpectedExtent) {
    Surface s("s", kSize, kSize);
    draw(s);
    const auto px = pixelsOf(s, plat::kBlack);
    EXPECT_TRUE(oneChain8(px));
    const Bounds b = boundsOf(px);
    // The extreme pixels are the rounded axis ends; where the far end lies
    // exactly on a half, the curve is as near the pixel above as below it and
    // the thin outline may keep the nearer row of its neighbours.
    auto farEnd = [](int got, double v) {
        return got == plat::toPixel(v) || (v - std::floor(v) == 0.5 && got == plat::toPixel(v) - 1);
    };
    EXPECT_EQ(b.x0, plat::toPixel(kC - rx()));
    EXPECT_TRUE(farEnd(b.x1, kC + rx())) << b.x1;
    EXPECT_EQ(b.y0, plat::toPixel(kC - ry()));
    EXPECT_TRUE(farEnd(b.y1, kC + ry())) << b.y1;
    EXPECT_EQ(s.currentX(), kC);
    EXPECT_EQ(s.currentY(), kC);
    // Thin: away from the tightest bends every pixel has exactly two
    // neighbours on the outline (no doubled corners).
    if (rx() >= 5 && ry() >= 5) {
        const std::set<Pixel> on(px.begin(), px.end());
        for (auto [x, y] : px) {
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) n += (dx || dy) && on.count({x + dx, y + dy});
            EXPECT_EQ(n, 2) << x << "," << y;
        }
    }
}

TEST_P(Ellipse, FloodFillFromTheCentreStaysInside) {
    Surface s("s", kSize, kSize);
    draw(s);
    const Bounds b = boundsOf(pixelsOf(s, plat::kBlack));
    s.setFillColor(kRed);
    s.floodFill(int(kC), int(kC), plat::kBlack);
    const auto filled = pixelsOf(s, kRed);
    for (auto [x, y] : filled) {
        ASSERT_TRUE(x > b.x0 && x < b.x1 && y > b.y0 && y < b.y1) << "leak at " << x << "," << y;
    }
    if (ry() >= 2 && rx() >= 2) {
        EXPECT_FALSE(filled.empty());
    }
}

TEST_P(Ellipse, FilledEllipseKeepsTheOutlineAndFillsExactlyTheInside) {
    Surface open("open", kSize, kSize);
    draw(open);
    Surface solid("solid", kSize, kSize);
    solid.setFillStyle(FillStyle::Solid);
    solid.setFillColor(kRed);
    draw(solid);
    EXPECT_EQ(pixelsOf(solid, plat::kBlack), pixelsOf(open, plat::kBlack));
    // The inside is whatever a fill from the outside cannot reach.
    open.setFillColor(kGreen);
    open.floodFill(0, 0, plat::kBlack);
    EXPECT_EQ(pixelsOf(solid, kRed), pixelsOf(open, plat::kWhite));
}

INSTANTIATE_TEST_SUITE_P(Raster, Ellipse,
                         ::testing::Values(EllipseCase{0.4, {}}, EllipseCase{3, {}}, EllipseCase{3, 0.3},
                                           EllipseCase{3, 3.0}, EllipseCase{5, 0.35}, EllipseCase{7.5, 2.85},
                                           EllipseCase{10, {}}, EllipseCase{12.5, 0.3}, EllipseCase{37, 0.35},
                                           EllipseCase{37, 2.85}, EllipseCase{64.5, 1.0},
                                           EllipseCase{100, 0.3}, EllipseCase{100, 3.0}, EllipseCase{200, {}},
                                           EllipseCase{200, 0.35}, EllipseCase{200, 2.85},
                                           EllipseCase{150, 0.999}));

TEST(RasterCircle, RadiusZeroIsTheCentrePixel) {
    Surface s("s", 9, 9);
    s.circle(4, 4, 0);
    EXPECT_EQ(pixelsOf(s, plat::kBlack), std::vector<Pixel>({{4, 4}}));
    s.cls();
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(kRed);
    s.circle(4, 4, 0);
    EXPECT_EQ(pixelsOf(s, plat::kBlack), std::vector<Pixel>({{4, 4}}));
}

TEST(RasterCircle, SmallCircleFixture) {
    Surface s("s", 9, 9);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(kRed);
    s.circle(4, 4, 3);
    EXPECT_EQ(asciiArt(s), QStringList({".........", "...###...", "..#???#..", ".#?????#.", ".#?????#.",
                                        ".#?????#.", "..#???#..", "...###...", "........."}));
}

struct ArcCase {
    const char* name;
    double radius;
    std::optional<double> aspect;
};

void PrintTo(const ArcCase& c, std::ostream* os) { *os << c.name; }

class QuarterArc : public ::testing::TestWithParam<ArcCase> {};

TEST_P(QuarterArc, EndsAtThreeAndTwelveOClock) {
    const ArcCase& c = GetParam();
    const double k = c.aspect.value_or(1.0);
    const double rx = k < 1 ? c.radius : c.radius / k, ry = k < 1 ? c.radius * k : c.radius;
    Surface s("s", 300, 300);
    s.circle(100, 150, c.radius, std::nullopt, 0.0, 90 * kDeg, c.aspect);
    const auto px = pixelsOf(s, plat::kBlack);
    EXPECT_TRUE(oneChain8(px));
    EXPECT_EQ(s.point(plat::toPixel(100 + rx), 150), plat::kBlack);
    EXPECT_EQ(s.point(100, plat::toPixel(150 - ry)), plat::kBlack);
    const Bounds b = boundsOf(px);
    EXPECT_EQ(b.x0, 100);
    EXPECT_EQ(b.y1, 150);
    EXPECT_EQ(b.x1, plat::toPixel(100 + rx));
    EXPECT_EQ(b.y0, plat::toPixel(150 - ry));
}

INSTANTIATE_TEST_SUITE_P(Raster, QuarterArc,
                         ::testing::Values(ArcCase{"circle3", 3, {}}, ArcCase{"circle20", 20, {}},
                                           ArcCase{"circle120", 120, {}}, ArcCase{"flat", 60, 0.3},
                                           ArcCase{"tall", 60, 2.85}, ArcCase{"odd", 17.5, 0.35}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RasterCircle, ArcsRunCounterClockwise) {
    Surface upper("u", 60, 60);
    upper.circle(30, 30, 20, std::nullopt, 0.0, 180 * kDeg);
    Surface lower("l", 60, 60);
    lower.circle(30, 30, 20, std::nullopt, 180 * kDeg, 0.0); // end < start: through 0
    for (auto [x, y] : pixelsOf(upper, plat::kBlack)) EXPECT_LE(y, 30) << x << "," << y;
    for (auto [x, y] : pixelsOf(lower, plat::kBlack)) EXPECT_GE(y, 30) << x << "," << y;
    EXPECT_EQ(upper.point(30, 10), plat::kBlack);
    EXPECT_EQ(lower.point(30, 50), plat::kBlack);
    EXPECT_TRUE(oneChain8(pixelsOf(lower, plat::kBlack)));
}

TEST(RasterCircle, ArcThroughZero) {
    Surface s("s", 100, 100);
    s.circle(50, 50, 40, std::nullopt, 300 * kDeg, 60 * kDeg);
    const auto px = pixelsOf(s, plat::kBlack);
    EXPECT_TRUE(oneChain8(px));
    EXPECT_EQ(s.point(90, 50), plat::kBlack); // 3 o'clock lies on it
    EXPECT_EQ(s.point(10, 50), plat::kWhite);
    const int endX = plat::toPixel(50 + 40 * std::cos(60 * kDeg));
    EXPECT_EQ(s.point(endX, plat::toPixel(50 - 40 * std::sin(60 * kDeg))), plat::kBlack);
    EXPECT_EQ(s.point(endX, plat::toPixel(50 + 40 * std::sin(60 * kDeg))), plat::kBlack);
    for (auto [x, y] : px) EXPECT_GE(x, endX) << x << "," << y;
}

TEST(RasterCircle, FullTurnsAndEqualAnglesGiveTheWholeOutline) {
    Surface whole("w", 60, 60);
    whole.circle(30, 30, 20, std::nullopt, std::nullopt, std::nullopt, 0.6);
    const auto want = pixelsOf(whole, plat::kBlack);
    const std::pair<double, double> arcs[] = {{0.0, 360 * kDeg}, {360 * kDeg, 720 * kDeg}, {0.0, 0.0}};
    for (auto [a, b] : arcs) {
        Surface s("s", 60, 60);
        s.circle(30, 30, 20, std::nullopt, a, b, 0.6);
        EXPECT_EQ(pixelsOf(s, plat::kBlack), want) << a << ".." << b;
    }
    // Started elsewhere, a full turn is still a closed outline of the same extent.
    const std::pair<double, double> elsewhere[] = {{45 * kDeg, 405 * kDeg}, {100 * kDeg, 100 * kDeg}};
    for (auto [a, b] : elsewhere) {
        Surface s("s", 60, 60);
        s.circle(30, 30, 20, std::nullopt, a, b, 0.6);
        const auto got = pixelsOf(s, plat::kBlack);
        EXPECT_TRUE(oneChain8(got));
        const Bounds g = boundsOf(got), w = boundsOf(want);
        EXPECT_TRUE(g.x0 == w.x0 && g.x1 == w.x1 && g.y0 == w.y0 && g.y1 == w.y1) << a;
        EXPECT_NEAR(double(got.size()), double(want.size()), 4.0) << a;
        s.setFillColor(kRed);
        s.floodFill(30, 30, plat::kBlack);
        EXPECT_EQ(s.point(0, 0), plat::kWhite) << a;
    }
    // Beyond a full turn an angle counts modulo the turn.
    Surface q("q", 60, 60), r("r", 60, 60);
    q.circle(30, 30, 20, std::nullopt, 0.0, 90 * kDeg);
    r.circle(30, 30, 20, std::nullopt, 0.0, 450 * kDeg);
    EXPECT_EQ(pixelsOf(r, plat::kBlack), pixelsOf(q, plat::kBlack));
}

TEST(RasterCircle, ArcsNeverFill) {
    Surface s("s", 60, 60);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(kRed);
    s.circle(30, 30, 20, std::nullopt, 10 * kDeg, 350 * kDeg);
    EXPECT_EQ(countColor(s, kRed), 0);
}

TEST(RasterCircle, NegativeAnglesDrawTheRadiusAndCloseAPie) {
    Surface s("s", 80, 80);
    s.circle(40, 40, 30, plat::kBlack, -(0.0001), -(90 * kDeg));
    EXPECT_EQ(s.point(40, 40), plat::kBlack); // centre
    EXPECT_EQ(s.point(55, 40), plat::kBlack); // on the radius to 3 o'clock
    EXPECT_EQ(s.point(40, 25), plat::kBlack); // on the radius to 12 o'clock
    s.setFillColor(kRed);
    s.floodFill(50, 30, plat::kBlack);
    for (auto [x, y] : pixelsOf(s, kRed)) ASSERT_TRUE(x > 40 && y < 40) << "leak at " << x << "," << y;
    EXPECT_GT(countColor(s, kRed), 300);
}

TEST(RasterCircle, ColourWidthAndHugeFigures) {
    Surface s("s", 60, 60);
    s.circle(30, 30, 10, kBlue);
    const int thin = countColor(s, kBlue);
    EXPECT_EQ(countColor(s, plat::kBlack), 0);
    Surface t("t", 60, 60);
    t.setDrawWidth(2);
    t.circle(30, 30, 10, kBlue);
    EXPECT_GT(countColor(t, kBlue), thin + thin / 2);

    // A circle far larger than the surface shows only the part that crosses it.
    Surface u("u", 50, 50);
    u.setFillStyle(FillStyle::Solid);
    u.setFillColor(kRed);
    u.circle(25, 1e7 + 25, 1e7);
    EXPECT_EQ(u.point(25, 25), plat::kBlack);
    EXPECT_EQ(u.point(25, 10), plat::kWhite);
    EXPECT_EQ(u.point(25, 40), kRed);
}

// ---------------------------------------------------------------- flood fill

TEST(RasterFloodFill, FillsTheFourConnectedRegionWithTheFillColour) {
    Surface s("s", 7, 7);
    s.line(0, 6, 6, 0); // an 8-connected diagonal: 4-connected fill cannot cross it
    s.pset(6, 0);
    s.setFillColor(kRed); // fill style transparent: the fill still paints
    s.floodFill(0, 0, plat::kBlack);
    EXPECT_EQ(asciiArt(s),
              QStringList({"??????#", "?????#.", "????#..", "???#...", "??#....", "?#.....", "#......"}));
}

TEST(RasterFloodFill, SeedOffTheSurfaceOrOnTheBorderDoesNothing) {
    const std::pair<int, int> seeds[] = {{-1, 2}, {2, -1}, {8, 2}, {2, 8}, {2, 2}};
    for (auto [x, y] : seeds) {
        Surface s("s", 8, 8);
        s.box(2, 2, 5, 5);
        const QImage before = s.image().copy();
        s.setFillColor(kRed);
        s.floodFill(x, y, plat::kBlack);
        EXPECT_TRUE(sameImage(s, before)) << x << "," << y;
    }
}

TEST(RasterFloodFill, FillColourMayBeTheBorderOrTheRegionColour) {
    // Black on black: the mask case.
    Surface s("s", 8, 8);
    s.box(1, 1, 6, 6);
    s.floodFill(3, 3, plat::kBlack);
    EXPECT_EQ(countColor(s, plat::kBlack), 36);
    EXPECT_EQ(s.point(0, 0), plat::kWhite);
    // White on white ends at once and changes nothing.
    Surface t("t", 8, 8);
    t.box(1, 1, 6, 6);
    const QImage before = t.image().copy();
    t.setFillColor(plat::kWhite);
    t.floodFill(3, 3, plat::kBlack);
    EXPECT_TRUE(sameImage(t, before));
}

TEST(RasterFloodFill, PassesThroughPixelsAlreadyInTheFillColour) {
    Surface s("s", 9, 5);
    s.box(0, 0, 8, 4);
    s.line(4, 1, 4, 4, kRed); // a wall of fill-coloured pixels, not border
    s.setFillColor(kRed);
    s.floodFill(2, 2, plat::kBlack);
    EXPECT_EQ(countColor(s, plat::kWhite), 0);
    EXPECT_EQ(countColor(s, kRed), 7 * 3);
}

TEST(RasterFloodFill, ComplexRegionWithHoles) {
    Surface s("s", 30, 30);
    s.box(0, 0, 29, 29);
    for (int i = 3; i < 27; i += 4) s.box(i, 3, i + 2, 26); // bars with a hollow inside
    s.setFillColor(kRed);
    s.floodFill(1, 1, plat::kBlack);
    // Everything outside the bars is filled, the hollows are not.
    EXPECT_EQ(s.point(2, 15), kRed);
    EXPECT_EQ(s.point(4, 15), plat::kWhite);
    EXPECT_EQ(s.point(28, 28), kRed);
}

// ---------------------------------------------------------------- draw modes

struct ModeCase {
    const char* name;
    void (*draw)(Surface&);
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class DrawModeTwice : public ::testing::TestWithParam<std::tuple<int, ModeCase>> {};

// Every pixel of a figure is written once, so drawing it twice in invert or
// xor mode gives the picture back, and once changes every covered pixel.
TEST_P(DrawModeTwice, RestoresThePicture) {
    const auto& [mode, c] = GetParam();
    Surface s("s", 40, 40);
    s.filledBox(0, 0, 39, 19, 0x336699);
    s.setForeColor(0x00FF88);
    s.setFillColor(0x123456);
    s.setFillStyle(FillStyle::Solid);
    s.setDrawWidth(3);
    const QImage before = s.image().copy();
    s.setDrawMode(mode);
    c.draw(s);
    EXPECT_FALSE(sameImage(s, before));
    c.draw(s);
    EXPECT_TRUE(sameImage(s, before));
}

INSTANTIATE_TEST_SUITE_P(
    Raster, DrawModeTwice,
    ::testing::Combine(
        ::testing::Values(plat::drawmode::kInvert, plat::drawmode::kXorPen),
        ::testing::Values(
            ModeCase{"line", [](Surface& s) { s.line(2, 3, 33, 29); }},
            ModeCase{"box", [](Surface& s) { s.box(3, 3, 30, 25); }},
            ModeCase{"filledBox", [](Surface& s) { s.filledBox(3, 3, 30, 25, 0x777777); }},
            ModeCase{"pset", [](Surface& s) { s.pset(10, 10); }},
            ModeCase{"ellipse",
                     [](Surface& s) { s.circle(20, 20, 15, std::nullopt, std::nullopt, std::nullopt, 0.5); }},
            ModeCase{"pie", [](Surface& s) { s.circle(20, 20, 15, std::nullopt, -0.5, -2.0); }})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) == plat::drawmode::kInvert ? "invert_" : "xor_") +
               std::get<1>(info.param).name;
    });

TEST(RasterDrawMode, InvertAndXorPixelValues) {
    Surface s("s", 4, 1);
    s.filledBox(0, 0, 3, 0, 0x0F0F0F);
    s.setDrawMode(plat::drawmode::kInvert);
    s.pset(0, 0, kRed);
    EXPECT_EQ(s.point(0, 0), 0xF0F0F0);
    s.setDrawMode(plat::drawmode::kXorPen);
    s.pset(1, 0, 0x00FF00);
    EXPECT_EQ(s.point(1, 0), 0x0FF00F);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(0x000001);
    s.box(0, 0, 3, 0, 0x000010); // all outline: fill never reaches it
    EXPECT_EQ(s.point(3, 0), 0x0F0F1F);
    s.setDrawMode(plat::drawmode::kXorPen);
    s.setFillColor(0x0000FF);
    s.floodFill(2, 0, plat::kBlack);
    EXPECT_EQ(s.point(2, 0), 0x0F0FE0);
}

TEST(RasterDrawMode, XorSolidBoxColoursInsideAndOutlineOnce) {
    Surface s("s", 5, 5); // white
    s.setDrawMode(plat::drawmode::kXorPen);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(0x0000FF);
    s.box(0, 0, 4, 4, 0x00FF00);
    EXPECT_EQ(s.point(2, 2), 0xFFFF00); // white ^ fill
    EXPECT_EQ(s.point(0, 2), 0xFF00FF); // white ^ line only
}

// ---------------------------------------------------------------- text

namespace {

// The pixels that differ from the colour c.
Bounds inkBounds(const Surface& s, Color c, int* count = nullptr) {
    std::vector<Pixel> ink;
    for (int y = 0; y < s.scaleHeight(); ++y)
        for (int x = 0; x < s.scaleWidth(); ++x)
            if (s.point(x, y) != c) ink.emplace_back(x, y);
    if (count) *count = int(ink.size());
    return boundsOf(ink);
}

} // namespace

TEST(RasterText, WidthGrowsWithTheTextAndHeightIsTheLineHeight) {
    Surface s("s", 10, 10);
    const QString texts[] = {"", "i", "ii", "Hola", "Hola mundo", "Hola mundo, otra vez"};
    int prev = -1;
    for (const QString& t : texts) {
        const int w = s.textWidth(t);
        EXPECT_GT(w, prev) << t.toStdString();
        prev = w;
    }
    EXPECT_EQ(s.textWidth(""), 0);
    EXPECT_GT(s.textHeight(), 8);
    EXPECT_EQ(s.textHeight("x"), s.textHeight());

    plat::Font big = s.font();
    big.size = 16;
    const int smallH = s.textHeight(), smallW = s.textWidth("Hola");
    s.setFont(big);
    EXPECT_GT(s.textHeight(), smallH);
    EXPECT_GT(s.textWidth("Hola"), smallW);

    plat::Font mono;
    mono.name = "Liberation Mono";
    s.setFont(mono);
    EXPECT_EQ(s.textWidth("abcd"), 4 * s.textWidth("W"));
    // Whole-pixel advances: a text is as wide as its letters one by one.
    s.setFont(plat::Font{});
    const QString word = "Rompecabezas";
    int sum = 0;
    for (QChar ch : word) sum += s.textWidth(QString(ch));
    EXPECT_EQ(s.textWidth(word), sum);
}

TEST(RasterText, TransparentTextKeepsTheBackground) {
    Surface s("s", 120, 40);
    s.filledBox(0, 0, 119, 39, kGreen);
    s.setForeColor(plat::kBlack);
    s.setTextAntialias(false);
    s.setCurrent(10, 8);
    s.print("Hola");
    int ink = 0;
    const Bounds b = inkBounds(s, kGreen, &ink);
    EXPECT_GT(ink, 10);
    // Only glyph pixels changed, all black, inside the text box.
    EXPECT_EQ(ink, countColor(s, plat::kBlack));
    EXPECT_GE(b.x0, 10);
    EXPECT_GE(b.y0, 8);
    EXPECT_LT(b.x1, 10 + s.textWidth("Hola"));
    EXPECT_LT(b.y1, 8 + s.textHeight());
}

TEST(RasterText, OpaqueTextPaintsItsBoxInTheBackgroundColour) {
    Surface s("s", 120, 40);
    s.filledBox(0, 0, 119, 39, kGreen);
    s.setFontTransparent(false);
    s.setTextAntialias(false);
    s.setCurrent(10, 8);
    s.print("Hola");
    const int w = s.textWidth("Hola"), h = s.textHeight();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const bool inBox = x >= 10 && x < 10 + w && y >= 8 && y < 8 + h;
            const Color c = s.point(x, y);
            if (inBox)
                ASSERT_TRUE(c == plat::kWhite || c == plat::kBlack) << x << "," << y;
            else
                ASSERT_EQ(c, kGreen) << x << "," << y;
        }
    EXPECT_GT(countColor(s, plat::kBlack), 10);
}

TEST(RasterText, AntialiasedTextIsOpaqueAndAliasedTextTwoColoured) {
    for (bool aa : {false, true}) {
        Surface s("s", 120, 40);
        s.setForeColor(kBlue);
        s.setTextAntialias(aa);
        s.setCurrent(4, 4);
        s.print("Sombra Ágil");
        std::set<Color> colours;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x) {
                ASSERT_EQ(s.image().pixel(x, y) >> 24, 0xFFu);
                colours.insert(s.point(x, y));
            }
        if (aa)
            EXPECT_GT(colours.size(), 2u);
        else
            EXPECT_EQ(colours, std::set<Color>({plat::kWhite, kBlue}));
    }
}

TEST(RasterText, CurrentPointAfterPrinting) {
    Surface s("s", 200, 60);
    s.setCurrent(5.5, 7.25);
    s.print("abc", true);
    EXPECT_EQ(s.currentX(), 5.5 + s.textWidth("abc"));
    EXPECT_EQ(s.currentY(), 7.25);
    s.print("def");
    EXPECT_EQ(s.currentX(), 0.0);
    EXPECT_EQ(s.currentY(), 7.25 + s.textHeight());
    s.print("");
    EXPECT_EQ(s.currentY(), 7.25 + 2 * s.textHeight());
}

TEST(RasterText, StylesChangeTheInk) {
    auto inkOf = [](const plat::Font& f) {
        Surface s("s", 160, 40);
        s.setFont(f);
        s.setTextAntialias(false);
        s.setCurrent(2, 2);
        s.print("Hola mundo");
        return countColor(s, plat::kBlack);
    };
    const plat::Font plain;
    const int base = inkOf(plain);
    plat::Font bold = plain, underline = plain, strike = plain;
    bold.bold = true;
    underline.underline = true;
    strike.strikeout = true;
    EXPECT_GT(inkOf(bold), base);
    EXPECT_GT(inkOf(underline), base);
    EXPECT_GT(inkOf(strike), base);
}

TEST(RasterText, TextAboveTheTopIsClipped) {
    Surface s("s", 100, 20);
    s.filledBox(0, 0, 99, 19, kGreen);
    s.setFontTransparent(false);
    s.setTextAntialias(false);
    s.setCurrent(3, -2);
    s.print("Marco");
    const int w = s.textWidth("Marco"), h = s.textHeight();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool inBox = x >= 3 && x < 3 + w && y < h - 2;
            ASSERT_EQ(s.point(x, y) == kGreen, !inBox) << x << "," << y;
        }
    EXPECT_GT(countColor(s, plat::kBlack), 0);
}
