#pragma once
// The track of an image slider (CPngHSliderBar, CPngSliderBar): a child window that paints the track
// image and owns the thumb. A click on the track moves the thumb to the value under the pointer and
// reports it; the press and the release each count, so one click reports twice. Every value report
// reaches the track's parent as kMsgSliderValue with lParam = ID.
//
// Owners create it with Create, then give it TrackImage and the range (SetRange sets the track's and
// the thumb's range together).

#include "controls/SliderThumb.h"

#include <string>

namespace qor {

class SliderTrack : public CWnd {
public:
    std::int32_t ID = 0;
    ImagePtr TrackImage; // stretched over the whole track
    std::int32_t Min = 0;
    std::int32_t Max = 10;

    // Creates the track at `rect` (parent client coordinates) and its thumb at value 0.
    bool Create(const std::string& thumbImagePath, const std::string& altThumbImagePath, const Rect& rect,
                CWnd* parent, int id);

    void SetTrackImage(ImagePtr image);
    // The same range on the track and on the thumb.
    void SetRange(int min, int max);
    // Moves the thumb to `value` without a report (see SliderThumb::SetPos).
    void SetPos(int value) { GetThumb().SetPos(value); }
    int GetPos() const { return GetThumb().Value; }
    Size ThumbImageSize() const { return thumbSize_; }

    virtual SliderThumb& GetThumb() = 0;
    virtual const SliderThumb& GetThumb() const = 0;

protected:
    explicit SliderTrack(SliderAxis axis) : axis_(axis) {}

    int OnCreate() override;
    void OnPaint(Painter& painter) override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnLButtonUp(UINT flags, Point point) override;
    void OnEnable(bool enabled) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ChooseAt(Point point);

    SliderAxis axis_;
    std::string thumbPath_;
    std::string altThumbPath_;
    Size thumbSize_;
};

} // namespace qor
