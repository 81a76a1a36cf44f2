// Outline cutting against the floor of any outline algorithm: one pass that reads every pixel. Target:
// RegionFromBitmap on the worst case, a 1000 x 1000 checkerboard of white and black (500 000 runs), takes
// at most 10 times as long as that pass over the same bitmap.

#include "skin/WindowOutline.h"

#include <benchmark/benchmark.h>

namespace {

qor::Image Checkerboard() {
    qor::Image board(1000, 1000, 0xFFFFFFFF);
    for (int y = 0; y < board.height; ++y)
        for (int x = (y + 1) % 2; x < board.width; x += 2)
            board.At(x, y) = 0xFF000000;
    return board;
}

const qor::Image& Board() {
    static const qor::Image board = Checkerboard();
    return board;
}

void BM_ReadEveryPixel(benchmark::State& state) {
    const qor::Image& board = Board();
    for (auto _ : state) {
        std::size_t inside = 0;
        for (qor::Argb p : board.pixels)
            inside += (p & 0xFFFFFF) != 0xFFFFFF;
        benchmark::DoNotOptimize(inside);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(board.pixels.size()));
}
BENCHMARK(BM_ReadEveryPixel)->Unit(benchmark::kMicrosecond);

void BM_RegionFromBitmap_Checkerboard(benchmark::State& state) {
    const qor::Image& board = Board();
    std::size_t rects = 0;
    for (auto _ : state) {
        qor::Region region = qor::RegionFromBitmap(board);
        rects = region.Rects().size();
        benchmark::DoNotOptimize(region);
    }
    state.counters["rects"] = double(rects);
    state.SetItemsProcessed(state.iterations() * std::int64_t(board.pixels.size()));
}
BENCHMARK(BM_RegionFromBitmap_Checkerboard)->Unit(benchmark::kMicrosecond);

} // namespace
