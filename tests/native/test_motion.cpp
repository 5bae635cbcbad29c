#include <gtest/gtest.h>

#include "core/Motion.h"

namespace pelnor {
namespace {

constexpr int kW = 74;
constexpr int kH = 56;

struct Window {
    MascotState state;
    int left;
    int top;
    bool verticalBounce = false;
    bool horizontalBounce = false;

    void Tick(int screenW, int screenH) {
        verticalBounce = StepVertical(state, top, kH, screenH);
        horizontalBounce = StepHorizontal(state, left, kW, screenW);
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
    EXPECT_FALSE(StepHorizontal(s, left, kW, 640));
    EXPECT_EQ(left + kW, 640);
    EXPECT_TRUE(StepHorizontal(s, left, kW, 640));
    EXPECT_EQ(left, 640 - kW);
    EXPECT_EQ(s.MoveX, -1);
    EXPECT_TRUE(s.FaceLeft);

    int top = 480 - kH;
    EXPECT_TRUE(StepVertical(s, top, kH, 480));
    EXPECT_EQ(top, 480 - kH);
    EXPECT_EQ(s.MoveY, -1);
}

TEST(Drift, TurnsToFaceTheWayItMovesOnlyOnAHorizontalBounce) {
    MascotState s;
    int left = 0;
    EXPECT_TRUE(StepHorizontal(s, left, kW, 640));
    EXPECT_EQ(left, 0);
    EXPECT_EQ(s.MoveX, 1);
    EXPECT_FALSE(s.FaceLeft);

    int top = 0;
    EXPECT_TRUE(StepVertical(s, top, kH, 480));
    EXPECT_FALSE(s.FaceLeft) << "a vertical bounce keeps the orientation";
}

TEST(Drift, WindowDraggedOffScreenIsBroughtBackAndReversed) {
    MascotState movingDown{.MoveY = 1, .MoveX = -1, .FaceLeft = true};
    int top = -20;
    EXPECT_TRUE(StepVertical(movingDown, top, kH, 480));
    EXPECT_EQ(top, 0);
    EXPECT_EQ(movingDown.MoveY, -1);
    EXPECT_TRUE(StepVertical(movingDown, top, kH, 480)) << "moving up again bounces at once";
    EXPECT_EQ(top, 0);

    MascotState movingLeft;
    int left = 700;
    EXPECT_TRUE(StepHorizontal(movingLeft, left, kW, 640));
    EXPECT_EQ(left, 640 - kW);
    EXPECT_EQ(movingLeft.MoveX, 1);
    EXPECT_FALSE(movingLeft.FaceLeft);
}

TEST(Drift, ScreenSmallerThanTheWindowEndsEveryTickAtTheFarEdge) {
    MascotState s;
    int top = 10;
    for (int tick = 0; tick < 4; ++tick) {
        const int before = s.MoveY;
        EXPECT_TRUE(StepVertical(s, top, kH, 40));
        EXPECT_EQ(top, 40 - kH);
        EXPECT_EQ(s.MoveY, -before);
    }
    int left = 5;
    EXPECT_TRUE(StepHorizontal(s, left, kW, 50));
    EXPECT_EQ(left, 50 - kW);
}

}  // namespace
}  // namespace pelnor
