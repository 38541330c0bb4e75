// Speed of the drawing primitives on the loads the program puts on them: the
// tab-and-socket cut pattern of a 30 x 30 grid (thousands of arcs), filled
// ellipses for piece masks, and flood fills of a piece-sized mask.
#include "platform/surface.h"

#include <benchmark/benchmark.h>


namespace {

constexpr double kDeg = 0.017453294444444444;

// The horizontal and vertical tab cuts of an n x n grid of w x h cells.
void tabPattern(plat::Surface& s, int n, double w, double h) {
    s.box(0, 0, n * w - 1, n * h - 1);
    for (int r = 1; r < n; ++r) {
        int sg = (r % 2 == 0) ? 1 : -1;
        for (int c = 0; c < n; ++c) {
            for (int d = 0; d < 2; ++d) {
                const double x0 = c * w, y0 = r * h - d;
                s.circle(x0 + 0.22 * w, y0, 0.22 * w, std::nullopt, (90 + 89 * sg) * kDeg,
                         (270 + 89 * sg) * kDeg, 0.35);
                s.circle(x0 + 0.5 * w, y0 - 0.09 * w * sg, 0.115 * w, std::nullopt, (210 + 90 * sg) * kDeg,
                         (150 + 95 * sg) * kDeg);
                s.circle(x0 + 0.78 * w, y0, 0.22 * w, std::nullopt, (90 + 89 * sg) * kDeg,
                         (270 + 89 * sg) * kDeg, 0.35);
            }
            sg = -sg;
        }
    }
    for (int c = 1; c < n; ++c) {
        int sg = (c % 2 == 0) ? 1 : -1;
        for (int r = 0; r < n; ++r) {
            for (int d = 0; d < 2; ++d) {
                const double x0 = c * w - d, y0 = r * h;
                s.circle(x0, y0 + 0.22 * h, 0.22 * h, std::nullopt, (180 - 90 * sg) * kDeg,
                         (180 + 90 * sg) * kDeg, 2.85);
                s.circle(x0 + 0.09 * h * sg, y0 + 0.5 * h, 0.115 * h, std::nullopt, (130 + 90 * sg) * kDeg,
                         (240 - 90 * sg) * kDeg);
                s.circle(x0, y0 + 0.78 * h, 0.22 * h, std::nullopt, (180 - 90 * sg) * kDeg,
                         (180 + 90 * sg) * kDeg, 2.85);
            }
            sg = -sg;
        }
    }
}

void BM_TabPattern30x30(benchmark::State& state) {
    const int cell = int(state.range(0));
    plat::Surface s("bench", 30 * cell, 30 * cell);
    for (auto _ : state) {
        tabPattern(s, 30, cell, cell);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TabPattern30x30)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);

void BM_FilledEllipse(benchmark::State& state) {
    const double r = double(state.range(0));
    plat::Surface s("bench", int(2 * r + 10), int(2 * r + 10));
    s.setFillStyle(plat::FillStyle::Solid);
    for (auto _ : state) {
        s.circle(r + 5, r + 5, r, std::nullopt, std::nullopt, std::nullopt, 0.7);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FilledEllipse)->Arg(20)->Arg(200);

void BM_MaskFloodFill(benchmark::State& state) {
    plat::Surface s("bench", 80, 80);
    s.circle(40, 40, 30, std::nullopt, std::nullopt, std::nullopt, 0.8);
    s.setFillColor(plat::kBlack);
    const QImage clean = s.image().copy();
    for (auto _ : state) {
        s.setImage(clean);
        s.floodFill(40, 40, plat::kBlack);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MaskFloodFill);

} // namespace
