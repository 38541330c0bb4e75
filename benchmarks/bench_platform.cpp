// One frame of dragging a piece over the board: the masked drawing of a
// 128 x 128 piece from the 1024 x 768 back buffer onto the visible table,
// the restore of the uncovered part of the old box through a clip region,
// and the full repaint of the visible table from the back buffer.
#include "platform/blit.h"
#include "platform/region.h"
#include "platform/surface.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace plat;

constexpr int kTableW = 1024, kTableH = 768, kPiece = 128;

struct Board {
    Surface back{QStringLiteral("back"), kTableW, kTableH};
    Surface visible{QStringLiteral("visible"), kTableW, kTableH};
    Surface mask{QStringLiteral("mask"), kPiece, kPiece};
    Surface image{QStringLiteral("image"), kPiece, kPiece};
    Surface work{QStringLiteral("work"), kPiece, kPiece};
    int oldX = 400, oldY = 300; // box before the move
    int newX = 405, newY = 303; // box after the move

    Board() {
        for (int y = 0; y < kTableH; ++y) {
            auto* row = reinterpret_cast<QRgb*>(back.image().scanLine(y));
            for (int x = 0; x < kTableW; ++x) row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
        }
        // A round piece: black inside the mask, the picture inside the image.
        for (int y = 0; y < kPiece; ++y) {
            for (int x = 0; x < kPiece; ++x) {
                const int dx = x - kPiece / 2, dy = y - kPiece / 2;
                const bool in = dx * dx + dy * dy < (kPiece / 2 - 4) * (kPiece / 2 - 4);
                mask.image().setPixel(x, y, in ? 0xFF000000u : 0xFFFFFFFFu);
                image.image().setPixel(x, y, in ? qRgb(200, x, y) : 0xFF000000u);
            }
        }
        fullRepaint();
    }

    void maskedDraw() {
        bitBlt(work, 0, 0, kPiece, kPiece, back, newX, newY, rop::kSrcCopy);
        bitBlt(work, 0, 0, kPiece, kPiece, mask, 0, 0, rop::kSrcAnd);
        bitBlt(work, 0, 0, kPiece, kPiece, image, 0, 0, rop::kSrcInvert);
        bitBlt(visible, newX, newY, kPiece, kPiece, work, 0, 0, rop::kSrcCopy);
    }

    void restoreOldBox() {
        Region uncovered;
        combine(uncovered, Region::rect(oldX, oldY, oldX + kPiece, oldY + kPiece),
                Region::rect(newX, newY, newX + kPiece, newY + kPiece), rgn::kDiff);
        visible.selectClipRegion(&uncovered);
        bitBlt(visible, oldX, oldY, kPiece, kPiece, back, oldX, oldY, rop::kSrcCopy);
        visible.selectClipRegion(nullptr);
    }

    void fullRepaint() { bitBlt(visible, 0, 0, kTableW, kTableH, back, 0, 0, rop::kSrcCopy); }
};

void BM_MaskedDraw(benchmark::State& state) {
    Board b;
    for (auto _ : state) {
        b.maskedDraw();
        benchmark::DoNotOptimize(b.visible.image().constBits());
    }
}
BENCHMARK(BM_MaskedDraw);

void BM_MaskedDrawSteps(benchmark::State& state) {
    Board b;
    const int step = int(state.range(0));
    for (auto _ : state) {
        switch (step) {
        case 0: bitBlt(b.work, 0, 0, kPiece, kPiece, b.back, b.newX, b.newY, rop::kSrcCopy); break;
        case 1: bitBlt(b.work, 0, 0, kPiece, kPiece, b.mask, 0, 0, rop::kSrcAnd); break;
        case 2: bitBlt(b.work, 0, 0, kPiece, kPiece, b.image, 0, 0, rop::kSrcInvert); break;
        default: bitBlt(b.visible, b.newX, b.newY, kPiece, kPiece, b.work, 0, 0, rop::kSrcCopy); break;
        }
        benchmark::DoNotOptimize(b.work.image().constBits());
    }
    static const char* const names[] = {"copy box from back buffer", "AND mask", "XOR image",
                                        "copy box to visible"};
    state.SetLabel(names[step]);
}
BENCHMARK(BM_MaskedDrawSteps)->DenseRange(0, 3);

void BM_RestoreOldBox(benchmark::State& state) {
    Board b;
    for (auto _ : state) {
        b.restoreOldBox();
        benchmark::DoNotOptimize(b.visible.image().constBits());
    }
}
BENCHMARK(BM_RestoreOldBox);

void BM_FullRepaint(benchmark::State& state) {
    Board b;
    for (auto _ : state) {
        b.fullRepaint();
        benchmark::DoNotOptimize(b.visible.image().constBits());
    }
}
BENCHMARK(BM_FullRepaint);

// The drag refresh: masked drawing at the new place and restore of the old box.
void BM_DragFrame(benchmark::State& state) {
    Board b;
    for (auto _ : state) {
        b.maskedDraw();
        b.restoreOldBox();
        benchmark::DoNotOptimize(b.visible.image().constBits());
    }
}
BENCHMARK(BM_DragFrame);

// The same with a full repaint of the visible table afterwards.
void BM_DragFrameWithRepaint(benchmark::State& state) {
    Board b;
    for (auto _ : state) {
        b.maskedDraw();
        b.restoreOldBox();
        b.fullRepaint();
        benchmark::DoNotOptimize(b.visible.image().constBits());
    }
}
BENCHMARK(BM_DragFrameWithRepaint);

} // namespace

