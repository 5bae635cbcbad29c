#include "mascot/ScaledFigure.h"

namespace pelnor {

bool ScaledFigure::Build(const Picture& picture, int scale) {
    tk::UniqueBitmap left = picture.MakeScaled(scale, true);
    tk::UniqueBitmap right = picture.MakeScaled(scale, false);
    if (!left || !right) return false;
    left_ = std::move(left);
    right_ = std::move(right);
    leftShape_ = RegionShape(picture.Shape(scale, true));
    rightShape_ = RegionShape(picture.Shape(scale, false));
    scale_ = scale;
    return true;
}

void ScaledFigure::Reset() {
    left_.reset();
    right_.reset();
    leftShape_ = {};
    rightShape_ = {};
    scale_ = 0;
}

}  // namespace pelnor
