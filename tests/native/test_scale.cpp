#include <gtest/gtest.h>

#include "core/Scale.h"

namespace pelnor {
namespace {

TEST(Scale, IsTheNearestWholeNumberToDpiOver96WithHalvesUp) {
    const struct {
        int dpi;
        int scale;
    } cases[] = {{72, 1},  {96, 1},  {120, 1}, {143, 1}, {144, 2}, {192, 2}, {239, 2},
                 {240, 3}, {288, 3}, {336, 4}, {480, 5}, {0, 1},   {-96, 1}};
    for (const auto& c : cases) EXPECT_EQ(ScaleForDpi(c.dpi), c.scale) << c.dpi << " DPI";
}

// The 74 x 56 window grows or shrinks about its centre, on any monitor.
TEST(Scale, RescalingKeepsTheWindowsCentre) {
    const struct {
        int left, top, from, to;
        WindowOrigin want;
    } cases[] = {
        {381, 292, 1, 2, {344, 264}},  // 74 x 56 -> 148 x 112
        {344, 264, 2, 1, {381, 292}},  // and back
        {-1000, -500, 1, 3, {-1074, -556}}, {2000, 100, 5, 1, {2148, 212}},
        {10, 10, 2, 2, {10, 10}},
    };
    for (const auto& c : cases) {
        const WindowOrigin got = RescaledOrigin(c.left, c.top, 74, 56, c.from, c.to);
        EXPECT_EQ(got.left, c.want.left) << c.left << "," << c.top << " " << c.from << "->" << c.to;
        EXPECT_EQ(got.top, c.want.top) << c.left << "," << c.top << " " << c.from << "->" << c.to;
        // The centre, twice over so it stays whole.
        EXPECT_EQ(2 * got.left + 74 * c.to, 2 * c.left + 74 * c.from);
        EXPECT_EQ(2 * got.top + 56 * c.to, 2 * c.top + 56 * c.from);
    }
}

}  // namespace
}  // namespace pelnor
