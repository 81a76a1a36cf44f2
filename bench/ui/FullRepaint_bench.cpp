// A full repaint of a main-window-sized skinned window: a 760 x 600 background image and 150 child
// buttons, each drawing a stretched image and a centred caption, composed into the framebuffer and
// presented by the headless back end. Target: well under one 60 Hz frame (16 ms) per full repaint.

#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/gfx/Painter.h"
#include "platform/ui/CWnd.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

namespace qor {
namespace {

ImagePtr Gradient(int w, int h, Argb tint) {
    auto image = std::make_shared<Image>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image->At(x, y) = (tint & 0xFF000000) | (Argb((x * 255) / std::max(w - 1, 1)) << 16) |
                              (Argb((y * 255) / std::max(h - 1, 1)) << 8) | (tint & 0xFF);
    return image;
}

class Background : public CWnd {
public:
    ImagePtr image;

protected:
    void OnPaint(Painter& painter) override { painter.DrawImage(image, GetClientRect()); }
};

class Button : public CWnd {
public:
    ImagePtr image;
    std::string caption;

protected:
    void OnPaint(Painter& painter) override {
        const Rect r = GetClientRect();
        painter.FillRect(r, 0xFF000000);
        painter.DrawImage(image, r);
        Font font;
        font.height = 15;
        painter.DrawText(caption, r, font, 0xFFFFFFFF, kTextCentered);
    }
};

void BM_FullRepaint760x600With150Children(benchmark::State& state) {
    HeadlessDriver ui;
    Background main;
    main.image = Gradient(760, 600, 0xFF000040);
    main.CreateTopLevel(WindowKind::Main, "bench", Rect::FromXYWH(0, 0, 760, 600));
    const ImagePtr face = Gradient(87, 27, 0xC0000080); // translucent, so blending is measured too
    std::vector<std::unique_ptr<Button>> buttons;
    for (int i = 0; i < 150; ++i) {
        auto b = std::make_unique<Button>();
        b->image = face;
        b->caption = "Button " + std::to_string(i + 1);
        b->Create(&main, Rect::FromXYWH(10 + (i % 10) * 74, 20 + (i / 10) * 38, 70, 30));
        buttons.push_back(std::move(b));
    }
    main.ShowWindow(true);
    ui.Process();
    for (auto _ : state) {
        main.Invalidate();
        main.UpdateWindow();
        benchmark::DoNotOptimize(ui.App().Framebuffer(main.GetSafeHwnd())->pixels.data());
    }
    state.SetLabel("target < 16 ms per repaint");
}
BENCHMARK(BM_FullRepaint760x600With150Children)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qor
