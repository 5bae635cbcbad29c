#include <gtest/gtest.h>

#include "core/ClockText.h"
#include "core/CallCheck.h"

namespace pelnor {
namespace {

CallState ArmedAt(int hour, int minute) {
    CallState call;
    call.CallSet = true;
    call.CallHour = static_cast<std::uint16_t>(hour);
    call.CallMin = static_cast<std::uint16_t>(minute);
    return call;
}

TEST(CallCheck, FiresAnywhereInTheArmedMinuteAndNowhereElse) {
    const CallState call = ArmedAt(12, 30);
    EXPECT_FALSE(CallIsDue(call, {12, 29, 59, 900}));
    EXPECT_TRUE(CallIsDue(call, {12, 30, 0, 0}));
    EXPECT_TRUE(CallIsDue(call, {12, 30, 59, 900}));
    EXPECT_FALSE(CallIsDue(call, {12, 31, 0, 0}));
    EXPECT_FALSE(CallIsDue(call, {0, 30, 0, 0}));
    CallState unarmed = call;
    unarmed.CallSet = false;
    EXPECT_FALSE(CallIsDue(unarmed, {12, 30, 0, 0}));
}

TEST(CallCheck, FiresOnceThenStaysDisarmedWithItsValuesKept) {
    CallState call = ArmedAt(0, 0);
    call.CallName = L"山田";
    call.CallTask = L"会議の";
    EXPECT_FALSE(TakeDueCall(call, {23, 59, 59, 999}));
    EXPECT_TRUE(TakeDueCall(call, {0, 0, 0, 400}));
    EXPECT_FALSE(call.CallSet);
    EXPECT_FALSE(TakeDueCall(call, {0, 0, 0, 900})) << "the next tick in the same minute";
    EXPECT_FALSE(TakeDueCall(call, {0, 0, 1, 0}));
    EXPECT_EQ(call.CallHour, 0);
    EXPECT_EQ(call.CallName, L"山田");
    EXPECT_EQ(call.CallTask, L"会議の");
    EXPECT_EQ(call.CallBeep, 1);
}

TEST(NoticeText, NameAndErrandLines) {
    EXPECT_EQ(NoticeNameLine(L"山田"), L"山田さん、");
    EXPECT_EQ(NoticeNameLine(L""), L"");
    EXPECT_EQ(NoticeTaskLine(L"会議の"), L"会議の時がきました。");
    EXPECT_EQ(NoticeTaskLine(L""), L"時がきました。");
}

TEST(ClockText, TwoDigitsPadsWithZero) {
    EXPECT_EQ(TwoDigits(0), L"00");
    EXPECT_EQ(TwoDigits(7), L"07");
    EXPECT_EQ(TwoDigits(23), L"23");
    EXPECT_EQ(TwoDigits(59), L"59");
    EXPECT_EQ(ClockText(7, 5), L"07:05");
}

TEST(ClockText, QuickButtonsWrapPastMidnight) {
    const ClockTime late{23, 45, 10, 0};
    const ClockTime in30 = TimeUp(late, 0, 30);
    EXPECT_EQ(in30.hour, 0);
    EXPECT_EQ(in30.minute, 15);
    const ClockTime in2h = TimeUp(late, 2, 0);
    EXPECT_EQ(in2h.hour, 1);
    EXPECT_EQ(in2h.minute, 45);
    const ClockTime in90 = TimeUp({22, 30, 0, 0}, 1, 30);
    EXPECT_EQ(in90.hour, 0);
    EXPECT_EQ(in90.minute, 0);
    const ClockTime noon = TimeUp({11, 0, 0, 0}, 1, 0);
    EXPECT_EQ(noon.hour, 12);
    EXPECT_EQ(noon.minute, 0);
}

}  // namespace
}  // namespace pelnor
