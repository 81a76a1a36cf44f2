// Painting costs of one window frame: the background copied 1:1, artwork stretched both ways, button
// captions laid out and drawn, and the PNG work of loading artwork and saving a screenshot.

#include "platform/gfx/Painter.h"
#include "platform/gfx/Png.h"
#include "platform/gfx/Text.h"

#include <benchmark/benchmark.h>

#include <random>

namespace qor {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

Image Noise(int w, int h, bool translucent) {
    Image image(w, h);
    std::mt19937 rng(1);
    for (Argb& p : image.pixels) p = translucent ? rng() : (rng() | 0xFF000000u);
    return image;
}

void BM_DrawImageSameSize(benchmark::State& state) {
    Image target(kWidth, kHeight, 0xFF000000);
    Image background = Noise(kWidth, kHeight, state.range(0) != 0);
    for (auto _ : state) {
        Painter painter(target);
        painter.DrawImage(background, Rect{0, 0, kWidth, kHeight});
        benchmark::DoNotOptimize(target.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_DrawImageSameSize)->Arg(0)->Arg(1);

// Stretches a 200 x 100 face into a destination of the given size (enlarging and reducing).
void BM_DrawImageStretched(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    Image target(kWidth, kHeight, 0xFF000000);
    Image face = Noise(200, 100, true);
    for (auto _ : state) {
        Painter painter(target);
        painter.DrawImage(face, Rect{0, 0, w, h});
        benchmark::DoNotOptimize(target.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * w * h);
}
BENCHMARK(BM_DrawImageStretched)->Args({800, 600})->Args({100, 50})->Args({37, 19});

void BM_DrawCaption(benchmark::State& state) {
    Image target(kWidth, kHeight, 0xFF000000);
    Font font;
    font.height = 15;
    font.weight = kFontWeightBold;
    for (auto _ : state) {
        Painter painter(target);
        painter.DrawText("Key Combination", Rect{100, 100, 260, 127}, font, 0xFFFFFFFF, kTextCentered);
        benchmark::DoNotOptimize(target.pixels.data());
    }
}
BENCHMARK(BM_DrawCaption);

void BM_DrawCaptionWithEllipsis(benchmark::State& state) {
    Image target(kWidth, kHeight, 0xFF000000);
    Font font;
    for (auto _ : state) {
        Painter painter(target);
        painter.DrawText("A macro name much longer than its field", Rect{100, 100, 220, 120}, font, 0xFFFFFFFF,
                         kTextCentered);
        benchmark::DoNotOptimize(target.pixels.data());
    }
}
BENCHMARK(BM_DrawCaptionWithEllipsis);

void BM_MeasureText(benchmark::State& state) {
    Font font;
    for (auto _ : state) benchmark::DoNotOptimize(MeasureText("Current Stage : 3", font));
}
BENCHMARK(BM_MeasureText);

void BM_DecodePng(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = EncodePng(Noise(kWidth, kHeight, true));
    for (auto _ : state) benchmark::DoNotOptimize(DecodePng(bytes));
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes.size()));
}
BENCHMARK(BM_DecodePng);

void BM_EncodeScreenshot(benchmark::State& state) {
    // A painted frame compresses far better than noise: flat areas with a few shapes.
    Image frame(kWidth, kHeight, 0xFF203040);
    Painter painter(frame);
    for (int i = 0; i < 40; ++i) painter.FillRect(Rect::FromXYWH(i * 19, i * 13, 120, 40), 0xFF000000u | (i * 0x050301u));
    for (auto _ : state) benchmark::DoNotOptimize(EncodePng(frame));
}
BENCHMARK(BM_EncodeScreenshot);

} // namespace
} // namespace qor
