#pragma once
// The arithmetic of the image sliders along their axis (x for horizontal sliders, y for vertical
// ones), free of windows so that it can be checked on its own. `low` and `high` are the ends of the
// travel area, `thumbLength` the thumb's extent along the axis. All divisions truncate toward zero.
//
// Ranges with max <= min, and tracks no longer than their thumb, have nowhere to move: every value is
// then `min` and the thumb sits at `low` (instead of dividing by zero).

#include <cstdint>

namespace qor {

enum class SliderAxis : std::uint8_t { Horizontal, Vertical };

// A value handed to SetPos: outside [min, max] it becomes min.
int SliderNormalizeValue(int value, int min, int max);

// Where the thumb's leading edge goes for `value`: low + (high - low - thumbLength) * (value - min) /
// (max - min), never outside [low, high - thumbLength].
int SliderThumbPosition(int value, int min, int max, int low, int high, int thumbLength);

// The value chosen by dropping the thumb with its leading edge at `edge`.
int SliderValueFromThumb(int edge, int min, int max, int low, int high, int thumbLength);

// The value chosen by clicking the track at `point` (same coordinates as low and high).
int SliderValueFromPoint(int point, int min, int max, int low, int high);

// A drag by `delta` of a thumb spanning [thumbLow, thumbHigh), shortened so the thumb stays in
// [low, high].
int SliderClampDelta(int delta, int thumbLow, int thumbHigh, int low, int high);

} // namespace qor
