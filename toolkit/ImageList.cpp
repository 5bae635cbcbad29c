#include "toolkit/ImageList.h"

namespace tk {

TImageList::TImageList(int width, int height)
    : width_(width),
      height_(height),
      list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8)) {}

int TImageList::AddIcon(HICON icon) {
    return list_ ? ImageList_AddIcon(list_.get(), icon) : -1;
}

int TImageList::Count() const {
    return list_ ? ImageList_GetImageCount(list_.get()) : 0;
}

void TImageList::Draw(HDC dc, int index, int x, int y) const {
    if (list_ && index >= 0 && index < Count())
        ImageList_Draw(list_.get(), index, dc, x, y, ILD_TRANSPARENT);
}

}  // namespace tk
