#include "FirstPresentProbe.h"

#include "FirstFrameClock.h"

namespace qor {

void FirstPresentProbe::Present(HWND window, const Image& frame, const Rect& dirty) {
    inner_->Present(window, frame, dirty);
    if (!presented_) {
        presented_ = true;
        ReportFirstFrame();
    }
}

} // namespace qor
