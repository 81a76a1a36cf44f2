#pragma once
// The vertical image slider: values grow from top to bottom (the sensitivity page turns a position p
// into the stage value 93 - p, so the top is the highest value there).

#include "controls/SliderTrack.h"

namespace qor {

class CPngSlider final : public SliderThumb {
public:
    CPngSlider() : SliderThumb(SliderAxis::Vertical) {}
};

class CPngSliderBar final : public SliderTrack {
public:
    CPngSliderBar() : SliderTrack(SliderAxis::Vertical) {}
    CPngSlider Thumb;
    SliderThumb& GetThumb() override { return Thumb; }
    const SliderThumb& GetThumb() const override { return Thumb; }
};

} // namespace qor
