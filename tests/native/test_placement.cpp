#include "core/Placement.h"

#include <gtest/gtest.h>

namespace pelnor {
namespace {

// A 616 x 459 window (the help viewer at 96 DPI) beside a 74 x 55 mascot, 8 px off it.
TEST(Placement, BesideWhereThereIsRoomElseCoveringLeastAlwaysInside) {
    const ScreenRect wide{0, 0, 1280, 800};
    const ScreenRect narrow{0, 0, 700, 800};
    const ScreenRect small{0, 0, 700, 500};
    const struct {
        const char* what;
        ScreenRect area;
        ScreenRect mascot;
        ScreenRect expected;
    } cases[] = {
        {"right of it", wide, {100, 300, 174, 355}, {182, 98, 798, 557}},
        {"left of it at the right edge", wide, {1200, 300, 1274, 355}, {576, 98, 1192, 557}},
        {"high up: moved down to the area", wide, {100, 0, 174, 55}, {182, 0, 798, 459}},
        {"below it when neither side has room", narrow, {300, 50, 374, 105}, {29, 113, 645, 572}},
        {"above it", narrow, {300, 700, 374, 755}, {29, 233, 645, 692}},
        {"no room: covering least", small, {40, 220, 114, 275}, {84, 18, 700, 477}},
        {"larger than the area: cut to it", {0, 0, 500, 400}, {0, 0, 74, 55}, {0, 0, 500, 400}},
        {"no mascot: centred", wide, {}, {332, 170, 948, 629}},
        {"a monitor left of the primary", {-1280, 0, 0, 800}, {-100, 300, -26, 355},
         {-724, 98, -108, 557}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScreenRect r = PlaceBeside(616, 459, c.mascot, c.area, 8);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
    }
}

}  // namespace
}  // namespace pelnor
