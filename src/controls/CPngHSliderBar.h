#pragma once
// The horizontal image slider: values grow from left to right.

#include "controls/SliderTrack.h"

namespace qor {

class CPngHSlider final : public SliderThumb {
public:
    CPngHSlider() : SliderThumb(SliderAxis::Horizontal) {}
};

class CPngHSliderBar final : public SliderTrack {
public:
    CPngHSliderBar() : SliderTrack(SliderAxis::Horizontal) {}
    CPngHSlider Thumb;
    SliderThumb& GetThumb() override { return Thumb; }
    const SliderThumb& GetThumb() const override { return Thumb; }
};

} // namespace qor
