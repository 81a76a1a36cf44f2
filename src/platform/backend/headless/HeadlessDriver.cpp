#include "platform/backend/headless/HeadlessDriver.h"

namespace qor {

HeadlessDriver::HeadlessDriver(Size screen) {
    auto backend = std::make_unique<HeadlessBackend>(screen);
    backend_ = backend.get();
    app_ = std::make_unique<Application>(std::move(backend));
    // Identity translation: tests speak in virtual-key codes unless they install the real table.
    app_->SetKeyTranslator([](std::uint32_t usage) { return UINT(usage); });
    app_->SetPostObserver([this](const MSG& msg) { posted_.push_back(msg); });
    backend_->SetWatchdog(600000, 2000);
}

HeadlessDriver::~HeadlessDriver() = default;

Point HeadlessDriver::ToTopLevel(HWND window, Point client, HWND& top) const {
    const WindowTree& tree = app_->Tree();
    top = tree.TopLevelOf(window);
    const WindowRecord* topRec = tree.Get(top);
    if (!topRec)
        return client;
    const Point origin = tree.ClientOrigin(window);
    return {client.x + origin.x - topRec->rect.left, client.y + origin.y - topRec->rect.top};
}

void HeadlessDriver::AfterInput() {
    if (inAction_ == 0)
        app_->ProcessPending();
}

void HeadlessDriver::MoveTo(HWND window, Point client) {
    HWND top;
    const Point p = ToTopLevel(window, client, top);
    backend_->MouseMove(top, p);
    AfterInput();
}

void HeadlessDriver::Press(HWND window, Point client, MouseButton button) {
    HWND top;
    const Point p = ToTopLevel(window, client, top);
    backend_->MouseMove(top, p);
    backend_->MouseDown(top, p, button);
    AfterInput();
}

void HeadlessDriver::Release(HWND window, Point client, MouseButton button) {
    HWND top;
    const Point p = ToTopLevel(window, client, top);
    backend_->MouseMove(top, p);
    backend_->MouseUp(top, p, button);
    AfterInput();
}

void HeadlessDriver::Click(HWND window, Point client, MouseButton button) {
    HWND top;
    const Point p = ToTopLevel(window, client, top);
    backend_->MouseMove(top, p);
    backend_->MouseDown(top, p, button);
    backend_->MouseUp(top, p, button);
    AfterInput();
}

void HeadlessDriver::KeyDown(std::uint32_t usage, bool repeat) {
    backend_->KeyDown(backend_->ActiveWindow(), usage, repeat);
    AfterInput();
}

void HeadlessDriver::KeyUp(std::uint32_t usage) {
    backend_->KeyUp(backend_->ActiveWindow(), usage);
    AfterInput();
}

void HeadlessDriver::Key(std::uint32_t usage) {
    backend_->KeyDown(backend_->ActiveWindow(), usage);
    backend_->KeyUp(backend_->ActiveWindow(), usage);
    AfterInput();
}

void HeadlessDriver::Type(const std::string& utf8) {
    backend_->TextInput(backend_->ActiveWindow(), utf8);
    AfterInput();
}

void HeadlessDriver::Later(std::uint64_t delayMs, std::function<void()> action) {
    backend_->After(delayMs, [this, action = std::move(action)] {
        ++inAction_;
        action();
        --inAction_;
    });
}

void HeadlessDriver::Advance(std::uint64_t ms) {
    const std::uint64_t end = backend_->NowMs() + ms;
    backend_->At(end, [] {});
    app_->RunLoop([&] { return backend_->NowMs() >= end; });
    app_->ProcessPending();
}

bool HeadlessDriver::RunUntil(const std::function<bool()>& done, std::uint64_t maxVirtualMs) {
    backend_->SetWatchdog(backend_->NowMs() + maxVirtualMs, 2000);
    app_->RunLoop(done);
    backend_->SetWatchdog(600000 + backend_->NowMs(), 2000);
    return done() && !backend_->HangDetected();
}

void HeadlessDriver::Process() {
    app_->ProcessPending();
}

std::vector<MSG> HeadlessDriver::PostedTo(HWND window, UINT msg) const {
    std::vector<MSG> out;
    for (const MSG& m : posted_)
        if (m.hwnd == window && (msg == 0 || m.message == msg))
            out.push_back(m);
    return out;
}

} // namespace qor
