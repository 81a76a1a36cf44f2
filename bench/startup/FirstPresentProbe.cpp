#include "FirstPresentProbe.h"

#include "FirstFrameClock.h"

namespace qor {

void FirstPresentProbe::Present(HWND window, const Image& frame, const Rect& dirty) {
    inner_->Present(window, frame, dirty);
    Report();
}

void FirstPresentProbe::PresentClientFramebuffer(HWND window, const Rect& dirty) {
    inner_->PresentClientFramebuffer(window, dirty);
    Report();
}

void FirstPresentProbe::Report() {
    if (!presented_) {
        presented_ = true;
        ReportFirstFrame();
    }
}

} // namespace qor
