#include "platform/blit.h"
#include "platform/region.h"
#include "platform/surface.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

using namespace plat;
using testing_support::asciiArt;

namespace {

// A surface w x h whose pixels are given row by row (program colours).
std::unique_ptr<Surface> makeSurface(int w, int h, const std::vector<Color>& px) {
    auto s = std::make_unique<Surface>(QStringLiteral("s"), w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s->image().setPixel(x, y, toQRgb(px[size_t(y * w + x)]));
    return s;
}

std::unique_ptr<Surface> filled(int w, int h, Color c) {
    auto s = std::make_unique<Surface>(QStringLiteral("s"), w, h);
    s->image().fill(toQRgb(c));
    return s;
}

std::vector<Color> pixels(const Surface& s) {
    std::vector<Color> out;
    for (int y = 0; y < s.scaleHeight(); ++y)
        for (int x = 0; x < s.scaleWidth(); ++x) out.push_back(fromQRgb(s.image().pixel(x, y)));
    return out;
}

// A distinct colour for every pixel of a small surface.
Color tag(int x, int y) { return rgb(10 + 20 * x, 10 + 20 * y, 0x80); }

std::unique_ptr<Surface> tagged(int w, int h) {
    std::vector<Color> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px.push_back(tag(x, y));
    return makeSurface(w, h, px);
}

} // namespace

// ---------------------------------------------------------------- operations

struct RopCase {
    const char* name;
    std::uint32_t rop;
    std::vector<Color> expected;
};

TEST(BitBltRop, TruthTableOnTwoByTwo) {
    const std::vector<Color> src = {0xFFFFFF, 0x000000, 0x0000FF, 0x123456};
    const std::vector<Color> dst = {0x00FF00, 0xFFFFFF, 0x0000FF, 0x654321};
    const RopCase cases[] = {
        {"copy", rop::kSrcCopy, {0xFFFFFF, 0x000000, 0x0000FF, 0x123456}},
        {"and", rop::kSrcAnd, {0x00FF00, 0x000000, 0x0000FF, 0x000000}},
        {"xor", rop::kSrcInvert, {0xFF00FF, 0xFFFFFF, 0x000000, 0x777777}},
        {"not source", rop::kNotSrcCopy, {0x000000, 0xFFFFFF, 0xFFFF00, 0xEDCBA9}},
        {"dst and not source", rop::kDstAndNotSrc, {0x000000, 0xFFFFFF, 0x000000, 0x654321}},
        {"or", rop::kSrcPaint, {0xFFFFFF, 0xFFFFFF, 0x0000FF, 0x777777}},
        // Only the operation byte names the operation.
        {"copy, other low word", 0x00CC0000, {0xFFFFFF, 0x000000, 0x0000FF, 0x123456}},
    };
    for (const RopCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = makeSurface(2, 2, src);
        auto d = makeSurface(2, 2, dst);
        ASSERT_TRUE(bitBlt(*d, 0, 0, 2, 2, *s, 0, 0, c.rop));
        EXPECT_EQ(pixels(*d), c.expected);
        // Results are stored opaque, whatever the operation did to the top byte.
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) EXPECT_EQ(qAlpha(d->image().pixel(x, y)), 255);
        EXPECT_EQ(pixels(*s), src); // the source is only read
    }
}

TEST(BitBltRop, UnknownOperationDrawsNothing) {
    for (std::uint32_t code : {0x00000042u, 0x00FF0062u, 0x00AA0029u, 0x00550009u, 0x12345678u}) {
        SCOPED_TRACE(code);
        auto s = filled(2, 2, kBlack);
        auto d = filled(2, 2, 0x123456);
        EXPECT_FALSE(isSupportedRop(code));
        EXPECT_FALSE(bitBlt(*d, 0, 0, 2, 2, *s, 0, 0, code));
        EXPECT_FALSE(stretchBlt(*d, 0, 0, 2, 2, *s, 0, 0, 1, 1, code));
        EXPECT_EQ(pixels(*d), std::vector<Color>(4, 0x123456));
    }
}

TEST(BitBltRop, InvertingASurfaceOntoItself) {
    // A mask inverted in place: white becomes exactly black and back.
    auto m = makeSurface(3, 1, {kWhite, kBlack, 0x0000FF});
    ASSERT_TRUE(bitBlt(*m, 0, 0, 3, 1, *m, 0, 0, rop::kNotSrcCopy));
    EXPECT_EQ(pixels(*m), (std::vector<Color>{0x000000, 0xFFFFFF, 0xFFFF00}));
    EXPECT_EQ(m->image().pixel(0, 0), 0xFF000000u);
    ASSERT_TRUE(bitBlt(*m, 0, 0, 3, 1, *m, 0, 0, rop::kNotSrcCopy));
    EXPECT_EQ(pixels(*m), (std::vector<Color>{kWhite, kBlack, 0x0000FF}));
}

TEST(BitBltRop, MaskedDrawingShowsThePieceOverTheBackground) {
    // The masked drawing: background AND mask (piece area black), then XOR
    // the image (black outside the piece).
    const Color bg = 0x336699, piece = 0x0F0F0F;
    auto back = filled(3, 1, bg);
    auto mask = makeSurface(3, 1, {kWhite, kBlack, kWhite});
    auto image = makeSurface(3, 1, {kBlack, piece, kBlack});
    auto work = filled(3, 1, kWhite);
    ASSERT_TRUE(bitBlt(*work, 0, 0, 3, 1, *back, 0, 0, rop::kSrcCopy));
    ASSERT_TRUE(bitBlt(*work, 0, 0, 3, 1, *mask, 0, 0, rop::kSrcAnd));
    ASSERT_TRUE(bitBlt(*work, 0, 0, 3, 1, *image, 0, 0, rop::kSrcInvert));
    EXPECT_EQ(pixels(*work), (std::vector<Color>{bg, piece, bg}));
}

// ------------------------------------------------------------------ clipping

struct ClipCase {
    const char* name;
    int x, y, w, h, sx, sy;
    QStringList expected; // the 4 x 3 destination afterwards
};

TEST(BitBltClip, DestinationAndSourceEdges) {
    // A 2 x 2 black source onto a 4 x 3 white destination.
    const ClipCase cases[] = {
        {"inside", 1, 1, 2, 2, 0, 0, {"....", ".##.", ".##."}},
        {"negative destination", -1, -1, 2, 2, 0, 0, {"#...", "....", "...."}},
        {"past the right and bottom", 3, 2, 2, 2, 0, 0, {"....", "....", "...#"}},
        {"wholly off the destination", 4, 0, 2, 2, 0, 0, {"....", "....", "...."}},
        {"negative source", 0, 0, 4, 3, -1, 0, {".##.", ".##.", "...."}},
        {"negative source both ways", 1, 0, 3, 3, -1, -1, {"....", "..##", "..##"}},
        {"source past its edge", 2, 0, 2, 2, 1, 1, {"..#.", "....", "...."}},
        {"block larger than both", 1, 1, 10, 10, 0, 0, {"....", ".##.", ".##."}},
        {"zero width", 0, 0, 0, 2, 0, 0, {"....", "....", "...."}},
        {"negative height", 0, 0, 2, -2, 0, 0, {"....", "....", "...."}},
        {"huge block from far left", -2147483647, 0, 2147483647, 3, 0, 0,
         {"....", "....", "...."}},
        {"huge width", 0, 0, 2147483647, 2147483647, 0, 0, {"##..", "##..", "...."}},
        {"far source", 0, 0, 4, 3, 2147483647, -2147483647 - 1, {"....", "....", "...."}},
    };
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto src = filled(2, 2, kBlack);
        auto dst = filled(4, 3, kWhite);
        ASSERT_TRUE(bitBlt(*dst, c.x, c.y, c.w, c.h, *src, c.sx, c.sy, rop::kSrcCopy));
        EXPECT_EQ(asciiArt(*dst), c.expected);
    }
}

struct OverlapCase {
    const char* name;
    int dx, dy; // the copy moves the block by this much
};

TEST(BitBltClip, OverlapOnOneSurfaceReadsThePixelsAsTheyWere) {
    const OverlapCase cases[] = {
        {"right", 1, 0}, {"left", -1, 0}, {"down", 0, 1}, {"up", 0, -1},
        {"down right", 1, 1}, {"up left", -1, -1}, {"up right", 2, -1},
    };
    const int n = 4;
    for (const OverlapCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = tagged(n, n);
        // The whole surface moved by (dx, dy).
        ASSERT_TRUE(bitBlt(*s, c.dx, c.dy, n, n, *s, 0, 0, rop::kSrcCopy));
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                const int ox = x - c.dx, oy = y - c.dy;
                const bool moved = ox >= 0 && ox < n && oy >= 0 && oy < n;
                EXPECT_EQ(fromQRgb(s->image().pixel(x, y)), moved ? tag(ox, oy) : tag(x, y))
                    << "at " << x << "," << y;
            }
        }
    }
}

TEST(BitBltClip, OverlappingXorCombinesWithTheOriginalPixels) {
    auto s = makeSurface(4, 1, {0x01, 0x02, 0x04, 0x08});
    ASSERT_TRUE(bitBlt(*s, 1, 0, 3, 1, *s, 0, 0, rop::kSrcInvert));
    EXPECT_EQ(pixels(*s), (std::vector<Color>{0x01, 0x03, 0x06, 0x0C}));
    ASSERT_TRUE(bitBlt(*s, 0, 0, 3, 1, *s, 1, 0, rop::kSrcInvert));
    EXPECT_EQ(pixels(*s), (std::vector<Color>{0x02, 0x05, 0x0A, 0x0C}));
}

TEST(BitBltClip, SharedImageIsNotChangedThroughTheOtherSurface) {
    auto a = filled(2, 1, kWhite);
    auto b = std::make_unique<Surface>(QStringLiteral("b"), 2, 1);
    b->setImage(a->image()); // the two images share their pixels until one is written
    auto black = filled(2, 1, kBlack);
    ASSERT_TRUE(bitBlt(*b, 0, 0, 1, 1, *black, 0, 0, rop::kSrcCopy));
    EXPECT_EQ(asciiArt(*a), QStringList{".."});
    EXPECT_EQ(asciiArt(*b), QStringList{"#."});
    // Copying from the sharer into itself reads the untouched pixels.
    ASSERT_TRUE(bitBlt(*b, 1, 0, 1, 1, *a, 0, 0, rop::kNotSrcCopy));
    EXPECT_EQ(asciiArt(*b), QStringList{"##"});
}

// ------------------------------------------------------------------- regions

struct CombineCase {
    const char* name;
    Region a, b;
    int mode;
    int kind;
    std::vector<QPoint> inside, outside;
};

TEST(RegionAlgebra, CombineKinds) {
    const std::vector<QPoint> star = {{50, 0}, {79, 90}, {2, 35}, {97, 35}, {21, 90}};
    const std::vector<QPoint> bigSquare = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    const std::vector<QPoint> smallSquare = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
    const CombineCase cases[] = {
        {"overlapping rects, intersection", Region::rect(0, 0, 10, 10), Region::rect(5, 5, 15, 15),
         rgn::kAnd, rgn::kSimpleRegion, {{5, 5}, {9, 9}}, {{4, 4}, {10, 10}, {9, 10}}},
        {"touching rects, intersection", Region::rect(0, 0, 10, 10), Region::rect(10, 0, 20, 10),
         rgn::kAnd, rgn::kNullRegion, {}, {{9, 0}, {10, 0}}},
        {"corner-touching rects, intersection", Region::rect(0, 0, 10, 10),
         Region::rect(10, 10, 20, 20), rgn::kAnd, rgn::kNullRegion, {}, {{9, 9}, {10, 10}}},
        {"overlapping rects, difference", Region::rect(0, 0, 10, 10), Region::rect(5, 5, 15, 15),
         rgn::kDiff, rgn::kComplexRegion, {{0, 0}, {9, 4}, {4, 9}}, {{5, 5}, {9, 9}, {12, 12}}},
        {"touching rects, difference", Region::rect(0, 0, 10, 10), Region::rect(10, 0, 20, 10),
         rgn::kDiff, rgn::kSimpleRegion, {{0, 0}, {9, 9}}, {{10, 0}}},
        {"strip cut off, difference", Region::rect(0, 0, 10, 10), Region::rect(0, 0, 10, 4),
         rgn::kDiff, rgn::kSimpleRegion, {{0, 4}, {9, 9}}, {{0, 3}}},
        {"rect minus itself", Region::rect(0, 0, 10, 10), Region::rect(0, 0, 10, 10), rgn::kDiff,
         rgn::kNullRegion, {}, {{0, 0}}},
        {"hole cut in a rect", Region::rect(0, 0, 10, 10), Region::rect(3, 3, 6, 6), rgn::kDiff,
         rgn::kComplexRegion, {{2, 2}, {6, 6}}, {{3, 3}, {5, 5}}},
        {"polygon squares, difference", Region::polygon(bigSquare), Region::polygon(smallSquare),
         rgn::kDiff, rgn::kComplexRegion, {{2, 2}, {17, 17}, {10, 2}}, {{10, 10}, {25, 25}}},
        {"polygon squares, intersection", Region::polygon(bigSquare),
         Region::polygon(smallSquare), rgn::kAnd, rgn::kSimpleRegion, {{10, 10}}, {{2, 2}}},
        {"winding star with a rect", Region::polygon(star, rgn::kWinding),
         Region::rect(0, 0, 100, 100), rgn::kAnd, rgn::kComplexRegion, {{50, 50}, {50, 10}},
         {{5, 5}, {50, 95}}},
        {"alternate star with a rect", Region::polygon(star, rgn::kAlternate),
         Region::rect(0, 0, 100, 100), rgn::kAnd, rgn::kComplexRegion, {{50, 10}, {10, 37}},
         {{50, 50}, {5, 5}}},
        {"star minus the winding star", Region::polygon(star, rgn::kWinding),
         Region::polygon(star, rgn::kAlternate), rgn::kDiff, rgn::kComplexRegion, {{50, 50}},
         {{50, 10}, {5, 5}}},
        {"polygons apart, intersection", Region::polygon(smallSquare),
         Region::polygon({{30, 30}, {40, 30}, {35, 40}}), rgn::kAnd, rgn::kNullRegion, {},
         {{10, 10}, {35, 33}}},
    };
    for (const CombineCase& c : cases) {
        SCOPED_TRACE(c.name);
        Region out;
        EXPECT_EQ(combine(out, c.a, c.b, c.mode), c.kind);
        EXPECT_EQ(out.kind(), c.kind);
        for (const QPoint& p : c.inside) EXPECT_TRUE(out.contains(p.x(), p.y())) << p.x() << "," << p.y();
        for (const QPoint& p : c.outside) EXPECT_FALSE(out.contains(p.x(), p.y())) << p.x() << "," << p.y();
    }
}

TEST(RegionAlgebra, UnknownModeIsAnError) {
    Region out = Region::rect(0, 0, 1, 1);
    EXPECT_EQ(combine(out, Region::rect(0, 0, 5, 5), Region::rect(1, 1, 2, 2), 9), rgn::kError);
}

TEST(RegionAlgebra, ResultMayBeOneOfTheOperands) {
    Region r = Region::rect(0, 0, 10, 10);
    EXPECT_EQ(combine(r, r, Region::rect(5, 0, 10, 10), rgn::kDiff), rgn::kSimpleRegion);
    EXPECT_TRUE(r.contains(4, 0));
    EXPECT_FALSE(r.contains(5, 0));
}

struct ClipRegionCase {
    const char* name;
    std::optional<Region> clip;
    QStringList expected; // the 6 x 4 destination after copying black over it
};

TEST(BitBltClip, SelectedRegionLimitsTheCopyExactly) {
    Region lShape;
    combine(lShape, Region::rect(0, 0, 4, 3), Region::rect(2, 1, 6, 4), rgn::kDiff);
    const ClipRegionCase cases[] = {
        {"no region", std::nullopt, {"######", "######", "######", "######"}},
        {"rect", Region::rect(1, 1, 3, 3), {"......", ".##...", ".##...", "......"}},
        {"difference of two rects", lShape, {"####..", "##....", "##....", "......"}},
        {"empty region", Region(), {"......", "......", "......", "......"}},
        {"region partly off the surface", Region::rect(-2, -2, 2, 1),
         {"##....", "......", "......", "......"}},
    };
    for (const ClipRegionCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto src = filled(6, 4, kBlack);
        auto dst = filled(6, 4, kWhite);
        dst->selectClipRegion(c.clip ? &*c.clip : nullptr);
        ASSERT_TRUE(bitBlt(*dst, 0, 0, 6, 4, *src, 0, 0, rop::kSrcCopy));
        EXPECT_EQ(asciiArt(*dst), c.expected);

        // A stretch honours the same region.
        auto again = filled(6, 4, kWhite);
        again->selectClipRegion(c.clip ? &*c.clip : nullptr);
        ASSERT_TRUE(stretchBlt(*again, 0, 0, 6, 4, *src, 0, 0, 3, 2, rop::kSrcCopy));
        EXPECT_EQ(asciiArt(*again), c.expected);
    }
}

TEST(BitBltClip, RegionMadeOfSeveralRectsTouchesEachPixelOnce) {
    // Inverting through a region of two overlapping rectangles: a pixel in
    // both must still be inverted once.
    Region both;
    combine(both, Region::rect(0, 0, 3, 2), Region::rect(2, 1, 5, 3), rgn::kOr);
    auto src = filled(5, 3, kWhite);
    auto dst = filled(5, 3, kWhite);
    dst->selectClipRegion(&both);
    ASSERT_TRUE(bitBlt(*dst, 0, 0, 5, 3, *src, 0, 0, rop::kSrcInvert));
    EXPECT_EQ(asciiArt(*dst), (QStringList{"###..", "#####", "..###"}));
}

TEST(BitBltClip, RegionIsCopiedWhenSelected) {
    Region r = Region::rect(0, 0, 1, 1);
    auto src = filled(2, 1, kBlack);
    auto dst = filled(2, 1, kWhite);
    dst->selectClipRegion(&r);
    r.setRect(0, 0, 2, 1); // changing the region afterwards does not change the clip
    ASSERT_TRUE(bitBlt(*dst, 0, 0, 2, 1, *src, 0, 0, rop::kSrcCopy));
    EXPECT_EQ(asciiArt(*dst), QStringList{"#."});
}

// ------------------------------------------------------------------- stretch

TEST(StretchBlt, NearestWholePixels) {
    const Color a = 0x0000FF, b = 0x00FF00, c = 0xFF0000, d = 0x808080;
    auto small = makeSurface(2, 2, {a, b, c, d});
    setStretchBltMode(*small, stretchmode::kColorOnColor);

    auto big = filled(4, 4, kWhite);
    ASSERT_TRUE(stretchBlt(*big, 0, 0, 4, 4, *small, 0, 0, 2, 2, rop::kSrcCopy));
    EXPECT_EQ(pixels(*big), (std::vector<Color>{a, a, b, b, a, a, b, b, c, c, d, d, c, c, d, d}));

    // Shrinking takes the source pixel under the centre of each destination pixel.
    auto t = tagged(4, 4);
    auto half = filled(2, 2, kWhite);
    ASSERT_TRUE(stretchBlt(*half, 0, 0, 2, 2, *t, 0, 0, 4, 4, rop::kSrcCopy));
    EXPECT_EQ(pixels(*half), (std::vector<Color>{tag(1, 1), tag(3, 1), tag(1, 3), tag(3, 3)}));

    // Same size is a plain copy.
    auto same = filled(4, 4, kWhite);
    ASSERT_TRUE(stretchBlt(*same, 0, 0, 4, 4, *t, 0, 0, 4, 4, rop::kSrcCopy));
    EXPECT_EQ(pixels(*same), pixels(*t));
}

struct StretchCase {
    const char* name;
    int x, y, w, h, sx, sy, sw, sh;
    std::vector<Color> expected; // 4 x 1 destination, 'W' pixels untouched
};

TEST(StretchBlt, EdgesMirrorsAndOperations) {
    const Color a = 0x0000FF, b = 0x00FF00, W = kWhite;
    const StretchCase cases[] = {
        {"two to four", 0, 0, 4, 1, 0, 0, 2, 1, {a, a, b, b}},
        {"negative destination", -1, 0, 4, 1, 0, 0, 2, 1, {a, b, b, W}},
        {"past the right edge", 2, 0, 4, 1, 0, 0, 2, 1, {W, W, a, a}},
        {"source partly off", 0, 0, 4, 1, -1, 0, 2, 1, {W, W, a, a}},
        {"mirrored destination", 3, 0, -4, 1, 0, 0, 2, 1, {b, b, a, a}},
        {"mirrored source", 0, 0, 2, 1, 1, 0, -2, 1, {b, a, W, W}},
        {"both negative: no mirror", 1, 0, -2, 1, 1, 0, -2, 1, {a, b, W, W}},
        {"zero source width", 0, 0, 4, 1, 0, 0, 0, 1, {W, W, W, W}},
        {"huge mirrored source", 0, 0, 2147483647, 1, 0, 0, -2147483647 - 1, 1, {a, W, W, W}},
    };
    for (const StretchCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto src = makeSurface(2, 1, {a, b});
        auto dst = filled(4, 1, W);
        ASSERT_TRUE(stretchBlt(*dst, c.x, c.y, c.w, c.h, *src, c.sx, c.sy, c.sw, c.sh, rop::kSrcCopy));
        EXPECT_EQ(pixels(*dst), c.expected);
    }
}

TEST(StretchBlt, OperationsAndOverlap) {
    auto src = makeSurface(1, 1, {0x0000FF});
    auto dst = makeSurface(2, 1, {0x00FF00, 0xFFFFFF});
    ASSERT_TRUE(stretchBlt(*dst, 0, 0, 2, 1, *src, 0, 0, 1, 1, rop::kSrcInvert));
    EXPECT_EQ(pixels(*dst), (std::vector<Color>{0x00FFFF, 0xFFFF00}));

    // Doubling a row onto itself reads the pixels as they were.
    auto s = makeSurface(4, 1, {0x01, 0x02, 0x03, 0x04});
    ASSERT_TRUE(stretchBlt(*s, 0, 0, 4, 1, *s, 0, 0, 2, 1, rop::kSrcCopy));
    EXPECT_EQ(pixels(*s), (std::vector<Color>{0x01, 0x01, 0x02, 0x02}));
}

// -------------------------------------------------------------- pixel blocks

TEST(PixelBlock, BottomRowFirstInBitmapByteOrder) {
    // 3 x 2: top row red, green, blue; bottom row black, white, grey.
    auto s = makeSurface(3, 2, {0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xFFFFFF, 0x808080});
    const std::vector<std::uint32_t> block = getPixelBlock(*s);
    // Bytes in memory are blue, green, red, 0: red is 0x00FF0000 as a word.
    EXPECT_EQ(block, (std::vector<std::uint32_t>{0x000000, 0xFFFFFF, 0x808080, 0xFF0000, 0x00FF00,
                                                 0x0000FF}));
}

TEST(PixelBlock, RoundTripAndResize) {
    auto s = tagged(3, 2);
    const std::vector<std::uint32_t> block = getPixelBlock(*s);

    auto t = filled(7, 7, kWhite);
    ASSERT_TRUE(setPixelBlock(*t, 3, 2, block));
    EXPECT_EQ(t->scaleWidth(), 3);
    EXPECT_EQ(t->scaleHeight(), 2);
    EXPECT_EQ(pixels(*t), pixels(*s));

    // The same six pixels as 2 x 3: rows are cut from the bottom-up block.
    ASSERT_TRUE(setPixelBlock(*t, 2, 3, block));
    EXPECT_EQ(t->scaleWidth(), 2);
    EXPECT_EQ(t->scaleHeight(), 3);
    EXPECT_EQ(fromQRgb(t->image().pixel(0, 2)), tag(0, 1)); // bottom-left stays bottom-left
    EXPECT_EQ(fromQRgb(t->image().pixel(1, 0)), tag(2, 0)); // the last pixel is top-right
}

TEST(PixelBlock, TopByteIsIgnoredAndShortBlocksRefused) {
    auto s = filled(1, 1, kBlack);
    ASSERT_TRUE(setPixelBlock(*s, 2, 1, {0xAB123456u, 0x00FFFFFFu}));
    EXPECT_EQ(s->image().pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(getPixelBlock(*s), (std::vector<std::uint32_t>{0x123456u, 0xFFFFFFu}));

    EXPECT_FALSE(setPixelBlock(*s, 2, 2, {1, 2, 3}));
    EXPECT_FALSE(setPixelBlock(*s, -1, 2, {1, 2, 3}));
    EXPECT_FALSE(setPixelBlock(*s, 65536, 65536, {1}));
    EXPECT_EQ(s->scaleWidth(), 2);
    EXPECT_EQ(s->scaleHeight(), 1);
    EXPECT_EQ(s->image().pixel(1, 0), 0xFFFFFFFFu);
}
