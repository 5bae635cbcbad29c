#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/FigureShape.h"
#include "core/Mirror.h"
#include "../../assets/tools/Outline.h"

namespace pelnor {
namespace {

TEST(Outline, StaysWithinThePictureAndLeavesTheBottomRowOut) {
    int maxX = 0, maxY = 0;
    for (int k = 0; k < kOutlinePoints; ++k) {
        const int x = OutlineX[k];
        const int y = OutlineY[k];
        EXPECT_GE(x, 0);
        EXPECT_GE(y, 0);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
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

// The shipped picture's 4-bit rows as stored (bottom-up) and their stride.
struct StoredPicture {
    std::vector<std::uint8_t> bits;
    std::size_t stride = 0;
};

StoredPicture LoadMascotBits() {
    std::ifstream in(std::string(PELNOR_SOURCE_DIR) + "/assets/mascot.bmp", std::ios::binary);
    const std::vector<std::uint8_t> file(std::istreambuf_iterator<char>(in), {});
    const auto u32 = [&](std::size_t at) {
        return file.at(at) | file.at(at + 1) << 8 | file.at(at + 2) << 16 | file.at(at + 3) << 24;
    };
    StoredPicture picture;
    picture.stride = (kPictureWidth * 4 + 31) / 32 * 4;
    const std::size_t offset = u32(10);
    picture.bits.assign(file.begin() + offset,
                        file.begin() + offset + picture.stride * kPictureHeight);
    return picture;
}

// At every scale and facing either way, the window's shape holds exactly the
// figure's pixels as they are drawn: no background inside, no figure outside.
// A polygon mirrored by its vertices did not: GDI fills a pixel by its
// top-left corner, so facing right it let 19 white pixels show.
TEST(FigureShape, FitsTheScaledPictureExactlyFacingEitherWay) {
    const StoredPicture picture = LoadMascotBits();
    ASSERT_EQ(picture.bits.size(), picture.stride * kPictureHeight);
    for (int scale = 1; scale <= 4; ++scale) {
        for (const bool faceLeft : {true, false}) {
            SCOPED_TRACE("scale " + std::to_string(scale) + (faceLeft ? ", left" : ", right"));
            const int width = kPictureWidth * scale;
            const int height = kPictureHeight * scale;
            const std::size_t stride = (width * 4 + 31) / 32 * 4;
            std::vector<std::uint8_t> drawn(stride * height);
            ScalePixels4(picture.bits, picture.stride, kPictureWidth, kPictureHeight, scale,
                         !faceLeft, drawn, stride);

            std::vector<int> covered(static_cast<std::size_t>(width) * height, 0);
            for (const ShapeRect& r : FigureShape(picture.bits, picture.stride, kPictureWidth,
                                                  kPictureHeight, true, scale, faceLeft)) {
                ASSERT_TRUE(r.left >= 0 && r.left < r.right && r.right <= width && r.top >= 0 &&
                            r.top < r.bottom && r.bottom <= height);
                for (int y = r.top; y < r.bottom; ++y)
                    for (int x = r.left; x < r.right; ++x) ++covered[y * width + x];
            }
            int figure = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    // The drawn pixel is the stored one at (x / s, y / s), mirrored facing right.
                    const int column = faceLeft ? x / scale : kMirrorAxis - x / scale;
                    const int storedRow = kPictureHeight - 1 - y / scale;
                    const std::uint8_t index = Pixel4(drawn, stride, x, height - 1 - y);
                    ASSERT_EQ(index, Pixel4(picture.bits, picture.stride, column, storedRow))
                        << "(" << x << ", " << y << ")";
                    figure += index != 0;
                    ASSERT_EQ(covered[y * width + x], index != 0 ? 1 : 0)
                        << "(" << x << ", " << y << ") index " << int{index};
                }
            EXPECT_GT(figure, 1000 * scale * scale);
        }
    }
}

}  // namespace
}  // namespace pelnor
