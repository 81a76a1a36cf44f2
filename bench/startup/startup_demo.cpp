// Our start-up case: a 760 x 600 main window with a background image and 150 child windows, each with
// an image and a caption, built with the window framework on the SDL back end. Images come from the
// folder given as the first argument (the benchmark writes them there), which also keeps fontconfig's
// answers between runs. It runs until it is closed;
// the benchmark learns the moment of its first visible frame from the back end itself (see
// kFirstPresentClockVariable), as for the real program.

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/gfx/FontChoices.h"
#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "platform/ui/Application.h"
#include "platform/ui/CWnd.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace qor {
namespace {

constexpr int kColumns = 15;
constexpr int kRows = 10;
constexpr int kTileImages = 30;

class CTile : public CWnd {
public:
    CTile(ImagePtr image, std::string caption) : image_(std::move(image)), caption_(std::move(caption)) {}

protected:
    void OnPaint(Painter& painter) override {
        const Rect client = GetClientRect();
        painter.DrawImage(image_, Rect{client.left, client.top, client.right, client.bottom - 14});
        painter.DrawText(caption_, Rect{client.left, client.bottom - 14, client.right, client.bottom}, font_,
                         0xFFFFFFFF, kTextCentered);
    }

private:
    ImagePtr image_;
    std::string caption_;
    Font font_{"Arial", 12};
};

class CStartupDemo : public CWnd {
public:
    explicit CStartupDemo(std::string folder) : folder_(std::move(folder)) {}

protected:
    int OnCreate() override {
        background_ = LoadSharedImage(folder_ + "background.png");
        tiles_.reserve(kColumns * kRows);
        for (int i = 0; i < kColumns * kRows; ++i) {
            const std::string image = folder_ + "tile" + std::to_string(i % kTileImages) + ".png";
            auto tile = std::make_unique<CTile>(LoadSharedImage(image), "Item " + std::to_string(i + 1));
            const int x = 10 + (i % kColumns) * 49;
            const int y = 40 + (i / kColumns) * 55;
            if (!tile->Create(this, Rect::FromXYWH(x, y, 46, 52), 1000 + i)) return -1;
            tiles_.push_back(std::move(tile));
        }
        return 0;
    }
    void OnPaint(Painter& painter) override { painter.DrawImage(background_, GetClientRect()); }

private:
    std::string folder_;
    ImagePtr background_;
    std::vector<std::unique_ptr<CTile>> tiles_;
};

} // namespace
} // namespace qor

int main(int argc, char** argv) {
    using namespace qor;
    std::string folder = argc > 1 ? argv[1] : ".";
    if (folder.empty() || folder.back() != '/') folder += '/';
    // As the real program does: fontconfig's answers are kept between runs, here next to the artwork.
    SetFontChoiceFile(folder + "font-choices");
    std::unique_ptr<Backend> sdl = CreateSdlBackend();
    if (!sdl) return 1;
    // The artwork decodes while SDL connects to the display, on the processors SDL leaves free.
    std::vector<std::string> images{folder + "background.png"};
    for (int i = 0; i < kTileImages; ++i) images.push_back(folder + "tile" + std::to_string(i) + ".png");
    const ImagePrefetch prefetch(std::move(images));
    Application app(std::move(sdl));
    CStartupDemo demo(folder);
    if (!demo.CreateTopLevel(WindowKind::Main, "startup demo", Rect::FromXYWH(100, 80, 760, 600))) return 1;
    demo.ShowWindow(true);
    return app.Run();
}
