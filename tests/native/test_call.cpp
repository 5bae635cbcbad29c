#include <gtest/gtest.h>

#include <vector>

#include "core/ClockText.h"
#include "core/CallCheck.h"

namespace pelnor {
namespace {

CallState ArmedAt(int hour, int minute) {
    CallState call;
    call.Armed = true;
    call.Hour = static_cast<std::uint16_t>(hour);
    call.Minute = static_cast<std::uint16_t>(minute);
    return call;
}

TEST(CallCheck, FiresAnywhereInTheArmedMinuteAndNowhereElse) {
    const CallState call = ArmedAt(12, 30);
    EXPECT_EQ(CheckCall(call, {12, 29, 59, 900}), CallDue::No);
    EXPECT_EQ(CheckCall(call, {12, 30, 0, 0}), CallDue::OnTime);
    EXPECT_EQ(CheckCall(call, {12, 30, 59, 900}), CallDue::OnTime);
    EXPECT_EQ(CheckCall(call, {12, 31, 0, 0}), CallDue::No);
    EXPECT_EQ(CheckCall(call, {0, 30, 0, 0}), CallDue::No);
    CallState unarmed = call;
    unarmed.Armed = false;
    EXPECT_EQ(CheckCall(unarmed, {12, 30, 0, 0}), CallDue::No);
}

TEST(CallCheck, FiresOnceThenStaysDisarmedWithItsValuesKept) {
    CallState armed = ArmedAt(0, 0);
    armed.Name = L"山田";
    armed.Task = L"会議の";
    Call call(armed);
    EXPECT_EQ(call.TakeDue({23, 59, 59, 999}), CallDue::No);
    EXPECT_EQ(call.TakeDue({0, 0, 0, 400, 1}), CallDue::OnTime);
    EXPECT_FALSE(call.State().Armed);
    EXPECT_EQ(call.TakeDue({0, 0, 0, 900, 1}), CallDue::No)
        << "the next tick in the same minute";
    EXPECT_EQ(call.TakeDue({0, 0, 1, 0, 1}), CallDue::No);
    EXPECT_EQ(call.State().Hour, 0);
    EXPECT_EQ(call.State().Name, L"山田");
    EXPECT_EQ(call.State().Task, L"会議の");
    EXPECT_EQ(call.State().Beep, true);
}

ClockTime At(int day, int hour, int minute, int second = 0, int millisecond = 0) {
    return {hour, minute, second, millisecond, day};
}

struct Tick {
    ClockTime at;
    CallDue due;
};

// A call armed at one moment, then the ticks that follow, each with what it finds.
struct TickRun {
    const char* what;
    int hour, minute;
    ClockTime armedAt;
    std::vector<Tick> ticks;
};

TEST(CallCheck, NoArmedMinuteIsMissedBetweenTicksAndNoneFiresTwice) {
    using enum CallDue;
    const TickRun runs[] = {
        {"midnight between two ticks",
         0,
         0,
         At(0, 23, 0),
         {{At(0, 23, 59, 59, 900), No}, {At(1, 0, 0, 0, 100), OnTime}}},
        {"ticks 10 ms apart",
         12,
         30,
         At(0, 12, 0),
         {{At(0, 12, 29, 59, 995), No}, {At(0, 12, 30, 0, 5), OnTime}, {At(0, 12, 30, 0, 15), No}}},
        {"a stall to the last moment of the minute",
         12,
         30,
         At(0, 12, 0),
         {{At(0, 12, 29, 59, 500), No}, {At(0, 12, 30, 59, 900), OnTime}}},
        {"a stall over midnight",
         0,
         0,
         At(0, 23, 0),
         {{At(0, 23, 58, 30), No}, {At(1, 0, 1, 10), Late}}},
        {"exactly a minute after is on time",
         12,
         30,
         At(0, 12, 0),
         {{At(0, 12, 29, 59), No}, {At(0, 12, 31, 0, 0), OnTime}}},
        {"more than a minute after is late",
         12,
         30,
         At(0, 12, 0),
         {{At(0, 12, 29, 59), No}, {At(0, 12, 31, 0, 1), Late}}},
        {"the clock put forward over the minute",
         2,
         30,
         At(0, 1, 0),
         {{At(0, 1, 59, 59, 800), No}, {At(0, 3, 0, 0, 300), Late}}},
        {"a stall of 25 hours",
         9,
         0,
         At(0, 10, 0),
         {{At(0, 10, 0, 0, 500), No}, {At(1, 11, 0, 0, 500), Late}}},
        {"25 hours from just before the minute",
         10,
         30,
         At(0, 10, 0),
         {{At(0, 10, 29), No}, {At(1, 11, 29), Late}, {At(1, 11, 30), No}}},
        {"the clock set back an hour after the call fired",
         12,
         30,
         At(0, 12, 0),
         {{At(0, 12, 30, 0, 200), OnTime}, {At(0, 11, 30, 5), No}, {At(0, 12, 30, 0, 100), No}}},
        {"the clock set back before the minute",
         12,
         30,
         At(0, 12, 0),
         {{At(0, 12, 10), No},
          {At(0, 11, 10), No},
          {At(0, 12, 29, 59, 900), No},
          {At(0, 12, 30, 0, 300), OnTime},
          {At(0, 12, 31), No}}},
        {"armed in the current minute",
         12,
         30,
         At(0, 12, 30, 10),
         {{At(0, 12, 30, 10, 400), OnTime}}},
        {"armed for the minute just gone: tomorrow",
         12,
         29,
         At(0, 12, 30, 10),
         {{At(0, 12, 30, 10, 500), No}, {At(1, 12, 28, 59), No}, {At(1, 12, 29, 0, 200), OnTime}}},
        {"armed for the minute just gone, then a day's stall",
         12,
         29,
         At(0, 12, 30, 10),
         {{At(1, 12, 35), Late}}},
        {"a stall right after arming in the minute",
         12,
         0,
         At(0, 12, 0, 59, 900),
         {{At(0, 12, 3), Late}}},
    };
    for (const TickRun& run : runs) {
        Call call;
        call.Arm(static_cast<std::uint16_t>(run.hour), static_cast<std::uint16_t>(run.minute),
                 run.armedAt);
        int n = 0;
        for (const Tick& tick : run.ticks) {
            EXPECT_EQ(call.TakeDue(tick.at), tick.due) << run.what << ", tick " << n;
            ++n;
        }
    }
}

TEST(CallCheck, DayNumberCountsFromTheFirstOfJanuary1970) {
    EXPECT_EQ(DayNumber(1970, 1, 1), 0);
    EXPECT_EQ(DayNumber(1969, 12, 31), -1);
    EXPECT_EQ(DayNumber(2000, 2, 29), 11016);
    EXPECT_EQ(DayNumber(2000, 3, 1), 11017);
    EXPECT_EQ(DayNumber(2024, 12, 31), 20088);
    EXPECT_EQ(DayNumber(2025, 1, 1), 20089);
    EXPECT_EQ(DayNumber(2038, 1, 19), 24855);
    EXPECT_EQ(DayNumber(2100, 3, 1), 47541);
}

TEST(NoticeText, NameAndErrandLines) {
    EXPECT_EQ(NoticeNameLine(L"山田"), L"山田さん、");
    EXPECT_EQ(NoticeNameLine(L""), L"");
    EXPECT_EQ(NoticeTaskLine(L"会議の"), L"会議の時がきました。");
    EXPECT_EQ(NoticeTaskLine(L""), L"時がきました。");
    EXPECT_EQ(LateNoticeCaption(0, 5), L"モフレン (00:05 の呼び出し)");
    EXPECT_EQ(LateNoticeCaption(23, 59), L"モフレン (23:59 の呼び出し)");
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
