#include <gtest/gtest.h>

#include <vector>

#include "core/Mirror.h"
#include "core/Outline.h"

namespace pelnor {
namespace {

TEST(Outline, StoredOrientationUsesTheTableAsWritten) {
    const auto points = OutlineFor(true);
    EXPECT_EQ(points[0].x, 29);
    EXPECT_EQ(points[0].y, 0);
    EXPECT_EQ(points[12].x, 0);
    EXPECT_EQ(points[12].y, 14);
    EXPECT_EQ(points[32].x, 73);
    EXPECT_EQ(points[32].y, 39);
    EXPECT_EQ(points[52].x, 32);
    EXPECT_EQ(points[52].y, 0);
}

TEST(Outline, FacingRightMirrorsEveryXAboutTheSameAxisAsThePicture) {
    const auto left = OutlineFor(true);
    const auto right = OutlineFor(false);
    EXPECT_EQ(right[32].x, 0);
    EXPECT_EQ(right[32].y, 39);
    EXPECT_EQ(right[12].x, 73);
    EXPECT_EQ(right[12].y, 14);
    for (int k = 0; k < kOutlinePoints; ++k) {
        EXPECT_EQ(right[k].x, 73 - left[k].x) << "vertex " << k;
        EXPECT_EQ(right[k].y, left[k].y) << "vertex " << k;
    }
}

TEST(Outline, StaysWithinThePictureAndLeavesTheBottomRowOut) {
    int maxX = 0, maxY = 0;
    for (const auto& p : OutlineFor(true)) {
        EXPECT_GE(p.x, 0);
        EXPECT_GE(p.y, 0);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    EXPECT_EQ(maxX, kPictureWidth - 1);
    EXPECT_EQ(maxY, kPictureHeight - 1) << "window row 55 is never inside the outline";
}

// A 4-bit picture with a distinct value per column (mod 16) and row.
std::vector<std::uint8_t> TestPixels(int width, int height, std::size_t stride) {
    std::vector<std::uint8_t> bits(stride * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel4(bits, stride, x, y, static_cast<std::uint8_t>((x * 7 + y) % 16));
    return bits;
}

TEST(Mirror, ColumnIComesFromColumnWidthMinusOneMinusI) {
    constexpr int kWidth = 74, kHeight = 55;
    constexpr std::size_t kStride = 40;  // 37 bytes rounded up to a multiple of 4
    const auto src = TestPixels(kWidth, kHeight, kStride);
    std::vector<std::uint8_t> dst(src.size(), 0xAA);
    MirrorPixels4(src, dst, kWidth, kHeight, kStride);
    for (int y = 0; y < kHeight; ++y) {
        EXPECT_EQ(Pixel4(dst, kStride, 0, y), Pixel4(src, kStride, 73, y));
        EXPECT_EQ(Pixel4(dst, kStride, 73, y), Pixel4(src, kStride, 0, y));
        for (int i = 0; i < kWidth; ++i)
            ASSERT_EQ(Pixel4(dst, kStride, i, y), Pixel4(src, kStride, kWidth - 1 - i, y))
                << "(" << i << ", " << y << ")";
    }
}

TEST(Mirror, OddWidthKeepsTheMiddleColumnAndTwiceMirroredIsTheOriginal) {
    constexpr int kWidth = 5, kHeight = 3;
    constexpr std::size_t kStride = 4;
    const auto src = TestPixels(kWidth, kHeight, kStride);
    std::vector<std::uint8_t> once(src.size()), twice(src.size());
    MirrorPixels4(src, once, kWidth, kHeight, kStride);
    MirrorPixels4(once, twice, kWidth, kHeight, kStride);
    for (int y = 0; y < kHeight; ++y) {
        EXPECT_EQ(Pixel4(once, kStride, 2, y), Pixel4(src, kStride, 2, y));
        for (int x = 0; x < kWidth; ++x)
            EXPECT_EQ(Pixel4(twice, kStride, x, y), Pixel4(src, kStride, x, y));
    }
}

}  // namespace
}  // namespace pelnor
