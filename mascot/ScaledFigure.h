// The figure at the window's scale, both ways round: its two pictures and the
// two window shapes cut exactly around them. Made once per change of scale, so
// that a tick or a paint only draws and applies what is here.
#pragma once

#include <windows.h>

#include "mascot/Picture.h"
#include "platform/WinOps.h"
#include "winbase/Handles.h"

namespace pelnor {

class ScaledFigure {
  public:
    // Makes both orientations at `scale`; false (and nothing kept) on failure.
    [[nodiscard]] bool Build(const Picture& picture, int scale);
    void Reset();

    int Scale() const { return scale_; }
    HBITMAP PictureFacing(bool faceLeft) const { return faceLeft ? left_.get() : right_.get(); }
    const RegionShape& ShapeFacing(bool faceLeft) const {
        return faceLeft ? leftShape_ : rightShape_;
    }

  private:
    int scale_ = 0;
    tk::UniqueBitmap left_;
    tk::UniqueBitmap right_;  // the mirrored picture
    RegionShape leftShape_;
    RegionShape rightShape_;
};

}  // namespace pelnor
