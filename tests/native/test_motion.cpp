#include <gtest/gtest.h>

#include <tuple>

#include "core/Motion.h"
#include "core/Placement.h"

namespace pelnor {
namespace {

constexpr int kW = 74;
constexpr int kH = 56;

ScreenRect Screen(int width, int height) {
    return {0, 0, width, height};
}

struct Window {
    MascotState state;
    int left;
    int top;
    bool verticalBounce = false;
    bool horizontalBounce = false;

    void Tick(int screenW, int screenH) {
        verticalBounce = StepVertical(state, top, kH, Screen(screenW, screenH));
        horizontalBounce = StepHorizontal(state, left, kW, Screen(screenW, screenH));
    }
};

TEST(Drift, FirstTickMovesUpAndLeftFromTheStartingPlace) {
    Window w{{}, 381, 292};
    w.Tick(454, 347);
    EXPECT_EQ(w.left, 380);
    EXPECT_EQ(w.top, 291);
    EXPECT_FALSE(w.verticalBounce || w.horizontalBounce);
    EXPECT_TRUE(w.state.FaceLeft);
}

TEST(Drift, BouncesOffTheTopOnTheTickThatWouldCrossIt) {
    Window w{{}, 381, 292};
    for (int i = 0; i < 292; ++i) w.Tick(640, 480);
    EXPECT_EQ(w.top, 0);
    EXPECT_EQ(w.state.MoveY, -1);
    w.Tick(640, 480);
    EXPECT_TRUE(w.verticalBounce);
    EXPECT_EQ(w.top, 0);
    EXPECT_EQ(w.state.MoveY, 1);
    w.Tick(640, 480);
    EXPECT_EQ(w.top, 1);
}

TEST(Drift, FarEdgeIsReachedExactlyBeforeBouncing) {
    MascotState s{.MoveY = 1, .MoveX = 1, .FaceLeft = false};
    int left = 640 - kW - 1;
    EXPECT_FALSE(StepHorizontal(s, left, kW, Screen(640, 480)));
    EXPECT_EQ(left + kW, 640);
    EXPECT_TRUE(StepHorizontal(s, left, kW, Screen(640, 480)));
    EXPECT_EQ(left, 640 - kW);
    EXPECT_EQ(s.MoveX, -1);
    EXPECT_TRUE(s.FaceLeft);

    int top = 480 - kH;
    EXPECT_TRUE(StepVertical(s, top, kH, Screen(640, 480)));
    EXPECT_EQ(top, 480 - kH);
    EXPECT_EQ(s.MoveY, -1);
}

TEST(Drift, TurnsToFaceTheWayItMovesOnlyOnAHorizontalBounce) {
    MascotState s;
    int left = 0;
    EXPECT_TRUE(StepHorizontal(s, left, kW, Screen(640, 480)));
    EXPECT_EQ(left, 0);
    EXPECT_EQ(s.MoveX, 1);
    EXPECT_FALSE(s.FaceLeft);

    int top = 0;
    EXPECT_TRUE(StepVertical(s, top, kH, Screen(640, 480)));
    EXPECT_FALSE(s.FaceLeft) << "a vertical bounce keeps the orientation";
}

TEST(Drift, WindowDraggedOffScreenIsBroughtBackAndReversed) {
    MascotState movingDown{.MoveY = 1, .MoveX = -1, .FaceLeft = true};
    int top = -20;
    EXPECT_TRUE(StepVertical(movingDown, top, kH, Screen(640, 480)));
    EXPECT_EQ(top, 0);
    EXPECT_EQ(movingDown.MoveY, -1);
    EXPECT_TRUE(StepVertical(movingDown, top, kH, Screen(640, 480)))
        << "moving up again bounces at once";
    EXPECT_EQ(top, 0);

    MascotState movingLeft;
    int left = 700;
    EXPECT_TRUE(StepHorizontal(movingLeft, left, kW, Screen(640, 480)));
    EXPECT_EQ(left, 640 - kW);
    EXPECT_EQ(movingLeft.MoveX, 1);
    EXPECT_FALSE(movingLeft.FaceLeft);
}

// A screen smaller than the window holds it at the far edge, as it always has,
// but no longer bounces it on every tick: the figure would turn about twice a
// second and redraw its outline each time.
TEST(Drift, ScreenSmallerThanTheWindowHoldsItAtTheFarEdgeWithoutTurning) {
    MascotState s;
    int top = 10;
    int left = 5;
    for (int tick = 0; tick < 4; ++tick) {
        EXPECT_FALSE(StepVertical(s, top, kH, Screen(50, 40)));
        EXPECT_FALSE(StepHorizontal(s, left, kW, Screen(50, 40)));
        EXPECT_EQ(top, 40 - kH);
        EXPECT_EQ(left, 50 - kW);
        EXPECT_EQ(s.MoveY, -1);
        EXPECT_EQ(s.MoveX, -1);
        EXPECT_TRUE(s.FaceLeft);
    }
}

// One tick on a monitor anywhere on the desktop, at any scale: the window is
// 74s x 56s and steps s pixels.
TEST(Drift, StepsByTheScaleAndBouncesAtTheEdgesOfItsMonitor) {
    struct Case {
        const char* what;
        ScreenRect screen;
        int scale;
        MascotState state;
        int left, top;  // before the tick
        int wantLeft, wantTop;
        MascotState want;
    };
    const MascotState upLeft{-1, -1, true};
    const MascotState downRight{1, 1, false};
    const ScreenRect primary{0, 0, 1280, 800};
    const ScreenRect right{1280, 0, 2560, 800};
    const ScreenRect leftOfPrimary{-1280, 0, 0, 800};
    const ScreenRect above{0, -800, 1280, 0};
    const Case cases[] = {
        {"s = 2 in the open", primary, 2, upLeft, 381, 292, 379, 290, upLeft},
        {"s = 5 in the open", primary, 5, downRight, 100, 100, 105, 105, downRight},
        {"s = 2 reaches the far edge exactly", primary, 2, downRight, 1280 - 148 - 2, 10,
         1280 - 148, 12, downRight},
        {"s = 2 one pixel short of the far edge",
         primary,
         2,
         downRight,
         1280 - 148 - 1,
         10,
         1280 - 148,
         12,
         {1, -1, true}},
        {"second monitor, right edge",
         right,
         2,
         downRight,
         2560 - 148,
         300,
         2560 - 148,
         302,
         {1, -1, true}},
        {"second monitor, left edge is not 0",
         right,
         1,
         upLeft,
         1280,
         300,
         1280,
         299,
         {-1, 1, false}},
        {"monitor left of the primary",
         leftOfPrimary,
         1,
         upLeft,
         -1280,
         0,
         -1280,
         0,
         {1, 1, false}},
        {"monitor above the primary, bottom edge at 0",
         above,
         3,
         downRight,
         500,
         -168,
         503,
         -168,
         {-1, 1, false}},
        {"s = 5, 370 x 280 on 1280 x 800, bottom right corner",
         primary,
         5,
         downRight,
         910,
         520,
         910,
         520,
         {-1, -1, true}},
        {"dropped where no monitor is",
         right,
         1,
         downRight,
         4000,
         -900,
         2560 - 74,
         0,
         {-1, -1, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MascotState s = c.state;
        int left = c.left;
        int top = c.top;
        const bool vertical = StepVertical(s, top, 56 * c.scale, c.screen, c.scale);
        const bool horizontal = StepHorizontal(s, left, 74 * c.scale, c.screen, c.scale);
        EXPECT_EQ(left, c.wantLeft);
        EXPECT_EQ(top, c.wantTop);
        EXPECT_EQ(s.MoveX, c.want.MoveX);
        EXPECT_EQ(s.MoveY, c.want.MoveY);
        EXPECT_EQ(s.FaceLeft, c.want.FaceLeft);
        EXPECT_EQ(vertical, s.MoveY != c.state.MoveY);
        EXPECT_EQ(horizontal, s.MoveX != c.state.MoveX);
    }
}

// A monitor unplugged or re-arranged under the mascot: it lands on the one
// it is nearest to, on the spot, even while frozen.
TEST(Drift, KeepInsidePutsAWindowBackOntoTheMonitorWithoutTurningIt) {
    const struct {
        ScreenRect screen;
        int left, top, wantLeft, wantTop;
    } cases[] = {
        {{0, 0, 1280, 800}, 1500, 300, 1280 - 74, 300},  // its monitor to the right is gone
        {{0, 0, 1280, 800}, 200, 300, 200, 300},         // already on it: stays
        {{-1280, -200, 0, 600}, 10, -300, -74, -200},    // a monitor up and to the left
        {{0, 0, 50, 40}, 10, 10, 50 - 74, 40 - 56},      // smaller than the window
    };
    for (const auto& c : cases) {
        int left = c.left;
        int top = c.top;
        KeepInside(left, top, kW, kH, c.screen);
        EXPECT_EQ(left, c.wantLeft) << c.left << "," << c.top;
        EXPECT_EQ(top, c.wantTop) << c.left << "," << c.top;
    }
}

// A 257 x 36 hint 20 pixels below the pointer: {work area, pointer, where it goes}.
TEST(Placement, AHintLiesWhollyOnThePointersWorkArea) {
    const struct { ScreenRect work; ScreenPoint pointer, want; } cases[] = {
        {{0, 0, 1280, 770}, {600, 400}, {600, 420}}, {{0, 0, 1280, 770}, {1279, 769}, {1022, 733}},
        {{-1280, 0, 0, 1024}, {-10, 500}, {-267, 520}},     // left of the primary
        {{1280, 0, 2304, 600}, {1500, 590}, {1500, 554}},   // a shorter second monitor
        {{0, 0, 1280, 50}, {100, 5}, {100, 0}}, {{0, 0, 200, 30}, {100, 10}, {0, 0}}};
    for (const auto& c : cases) {
        const ScreenPoint at = PlaceBesidePointer(c.work, c.pointer, 20, 257, 36);
        EXPECT_TRUE(at.x == c.want.x && at.y == c.want.y) << c.pointer.x << "," << c.pointer.y;
    }
}

// A 74 x 56 window after its monitor changed: {where it was, before, now, where it goes}.
TEST(Placement, AWindowOffItsMonitorComesBackKeepingItsDistanceFromTheEdges) {
    const struct { ScreenPoint at; ScreenRect before, now; ScreenPoint want; } cases[] = {
        {{2000, 1200}, {0, 0, 2560, 1440}, {0, 0, 1280, 800}, {720, 560}},
        {{-1270, 900}, {-1280, 0, 0, 1024}, {-1024, 0, 0, 768}, {-1014, 644}},
        {{1500, 300}, {1280, 0, 2560, 800}, {0, 0, 1280, 800}, {1206, 300}},  // monitor gone
        {{100, 100}, {0, 0, 2560, 1440}, {0, 0, 50, 40}, {-24, -16}}};        // smaller than it
    for (const auto& c : cases) {
        const ScreenRect frame{c.at.x, c.at.y, c.at.x + 74, c.at.y + 56};
        const ScreenPoint at = BackOnMonitor(frame, c.before, c.now);
        EXPECT_TRUE(at.x == c.want.x && at.y == c.want.y) << c.at.x << "," << c.at.y;
    }
}

// A 616 x 459 window (the help viewer at 96 DPI) beside a 74 x 55 mascot, 8 px off it.
TEST(HelpPlacement, BesideWhereThereIsRoomElseCoveringLeastAlwaysInside) {
    const ScreenRect wide{0, 0, 1280, 800};
    const ScreenRect narrow{0, 0, 700, 800};
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
        {"no room: covering least", {0, 0, 700, 500}, {40, 220, 114, 275}, {84, 18, 700, 477}},
        {"larger than the area: cut to it", {0, 0, 500, 400}, {0, 0, 74, 55}, {0, 0, 500, 400}},
        {"no mascot: centred", wide, {}, {332, 170, 948, 629}},
        {"a monitor left of the primary",
         {-1280, 0, 0, 800},
         {-100, 300, -26, 355},
         {-724, 98, -108, 557}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScreenRect r = PlaceBeside(616, 459, c.mascot, c.area, 8);
        const ScreenRect& e = c.expected;
        EXPECT_EQ(std::tie(r.left, r.top, r.right, r.bottom),
                  std::tie(e.left, e.top, e.right, e.bottom));
    }
}

}  // namespace
}  // namespace pelnor
