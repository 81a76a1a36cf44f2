#include "controls/SliderGeometry.h"

#include <algorithm>

namespace qor {

namespace {

// 64-bit throughout: owners' ranges and window sizes are ints, their products are not.
using Wide = std::int64_t;

int ClampToRange(Wide v, int min, int max) {
    return int(std::clamp<Wide>(v, min, std::max(min, max)));
}

// Rounds up when the remainder past the chosen value is more than half a step. The step is measured
// on the whole track, as the value arithmetic always has been.
int RoundedValue(Wide offset, Wide v, int min, int max, Wide length) {
    const Wide range = Wide(max) - Wide(min);
    const Wide step = length / range;
    if (offset - (v - min) * step > step / 2)
        ++v;
    return ClampToRange(v, min, max);
}

} // namespace

int SliderNormalizeValue(int value, int min, int max) {
    return value < min || value > max ? min : value;
}

int SliderThumbPosition(int value, int min, int max, int low, int high, int thumbLength) {
    const Wide range = Wide(max) - Wide(min);
    const Wide travel = Wide(high) - Wide(low) - Wide(thumbLength);
    if (range <= 0 || travel <= 0)
        return low;
    const Wide v = std::clamp<Wide>(value, min, max);
    return int(low + travel * (v - min) / range);
}

int SliderValueFromThumb(int edge, int min, int max, int low, int high, int thumbLength) {
    const Wide range = Wide(max) - Wide(min);
    const Wide travel = Wide(high) - Wide(thumbLength) - Wide(low);
    if (range <= 0 || travel <= 0)
        return min;
    const Wide offset = Wide(edge) - low;
    return RoundedValue(offset, min + offset * range / travel, min, max, Wide(high) - low);
}

int SliderValueFromPoint(int point, int min, int max, int low, int high) {
    const Wide range = Wide(max) - Wide(min);
    const Wide length = Wide(high) - Wide(low);
    if (range <= 0 || length <= 0)
        return min;
    const Wide offset = Wide(point) - low;
    return RoundedValue(offset, min + offset * range / length, min, max, length);
}

int SliderClampDelta(int delta, int thumbLow, int thumbHigh, int low, int high) {
    Wide d = delta;
    if (Wide(thumbLow) + d < low)
        d = Wide(low) - thumbLow;
    if (Wide(thumbHigh) + d > high)
        d = Wide(high) - thumbHigh;
    return int(d);
}

} // namespace qor
