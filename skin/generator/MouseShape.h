#pragma once
// The silhouette of our mouse seen from above, shared by the button layout, the lighting picture and
// the application icon. All positions scale with the box the mouse is placed in.

#include "Draw.h"

namespace qor::skin {

struct MouseShape {
    double cx, cy, w, h;

    double Top() const { return cy - h / 2; }
    double Bottom() const { return cy + h / 2; }
    double Left() const { return cx - w / 2; }
    double Right() const { return cx + w / 2; }
    double At(double fy) const { return Top() + fy * h; } // fy = 0 at the nose, 1 at the back
    // Where the two main buttons end.
    double SplitY() const { return At(0.40); }

    void BodyPath(cairo_t* cr) const {
        cairo_new_sub_path(cr);
        cairo_move_to(cr, cx, Top());
        for (int side : {1, -1}) {
            const double s = side * w;
            if (side == 1) {
                cairo_curve_to(cr, cx + 0.34 * s, Top(), cx + 0.43 * s, At(0.16), cx + 0.45 * s, At(0.34));
                cairo_curve_to(cr, cx + 0.47 * s, At(0.50), cx + 0.52 * s, At(0.62), cx + 0.50 * s, At(0.76));
                cairo_curve_to(cr, cx + 0.47 * s, At(0.97), cx + 0.22 * s, Bottom(), cx, Bottom());
            } else {
                cairo_curve_to(cr, cx + 0.22 * s, Bottom(), cx + 0.47 * s, At(0.97), cx + 0.50 * s, At(0.76));
                cairo_curve_to(cr, cx + 0.52 * s, At(0.62), cx + 0.47 * s, At(0.50), cx + 0.45 * s, At(0.34));
                cairo_curve_to(cr, cx + 0.43 * s, At(0.16), cx + 0.34 * s, Top(), cx, Top());
            }
        }
        cairo_close_path(cr);
    }
};

} // namespace qor::skin
