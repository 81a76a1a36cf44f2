#pragma once
// A back end that passes everything to the real one and reports the moment its first frame has been
// presented, for start-up measurements.

#include "platform/ui/Backend.h"

#include <memory>

namespace qor {

class FirstPresentProbe final : public Backend {
public:
    explicit FirstPresentProbe(std::unique_ptr<Backend> inner) : inner_(std::move(inner)) {}

    bool Presented() const { return presented_; }

    void PumpEvents(int timeoutMs, std::vector<BackendEvent>& out) override { inner_->PumpEvents(timeoutMs, out); }
    void Wake() override { inner_->Wake(); }
    std::uint64_t NowMs() override { return inner_->NowMs(); }
    Size ScreenSize() override { return inner_->ScreenSize(); }
    Point CursorScreenPos() override { return inner_->CursorScreenPos(); }
    bool CreateNativeWindow(const NativeWindowDesc& desc) override { return inner_->CreateNativeWindow(desc); }
    void DestroyNativeWindow(HWND window) override { inner_->DestroyNativeWindow(window); }
    void ShowNativeWindow(HWND window, bool show) override { inner_->ShowNativeWindow(window, show); }
    void MoveNativeWindow(HWND window, const Rect& screenRect) override { inner_->MoveNativeWindow(window, screenRect); }
    void RaiseNativeWindow(HWND window) override { inner_->RaiseNativeWindow(window); }
    void SetNativeTitle(HWND window, const std::string& title) override { inner_->SetNativeTitle(window, title); }
    void Present(HWND window, const Image& frame, const Rect& dirty) override;
    NativeFramebuffer ClientFramebuffer(HWND window) override { return inner_->ClientFramebuffer(window); }
    void PresentClientFramebuffer(HWND window, const Rect& dirty) override;
    void SetNativeShape(HWND window, const Region& region) override { inner_->SetNativeShape(window, region); }
    void MinimizeNativeWindow(HWND window) override { inner_->MinimizeNativeWindow(window); }
    void SetNativeCapture(HWND window) override { inner_->SetNativeCapture(window); }
    void SetNativeIcon(HWND window, const Image& icon) override { inner_->SetNativeIcon(window, icon); }

private:
    void Report();

    std::unique_ptr<Backend> inner_;
    bool presented_ = false;
};

} // namespace qor
