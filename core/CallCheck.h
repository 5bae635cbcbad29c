// The call letter: a one-shot alarm at an hour and minute of the day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelnor {

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    // Days since 1970-01-01 of the local date: tells a gap of a day or more,
    // and a clock set back, from a walk round the 24 hours.
    std::int32_t day = 0;
};

// Days since 1970-01-01 of a date of the Gregorian calendar.
std::int32_t DayNumber(int year, int month, int dayOfMonth);

// Minutes since 1970-01-01 00:00 of the local clock.
std::int64_t MinuteStamp(const ClockTime& t);

struct CallState {
    bool CallSet = false;
    std::uint16_t CallHour = 0;
    std::uint16_t CallMin = 0;
    std::wstring CallName;
    std::wstring CallTask;
    std::uint8_t CallBeep = 1;  // 1: sound on call
    // The last minute the armed call was checked in (the previous tick's, or
    // the one before arming), as a MinuteStamp. None: only the current minute
    // counts.
    std::optional<std::int64_t> CheckedThrough = std::nullopt;
};

// Arms the call for hour:minute; from `now` on, no minute of the day is missed.
void ArmCall(CallState& call, std::uint16_t hour, std::uint16_t minute, const ClockTime& now);

enum class CallDue { No, OnTime, Late };

// Whether an armed call has come at `now`: its hour and minute are the
// current ones, or they came after the minute checked last and up to now,
// forward round the clock (a sleep, a stalled process, the clock put forward).
// A gap of a day or more passes every minute; a clock set back passes none.
// Late: more than a minute after the armed minute began.
CallDue CheckCall(const CallState& call, const ClockTime& now);

// Checks the call and keeps `now` as the minute checked last; when it is due,
// disarms it first, so ticks inside the notice's modal loop do not raise it again.
CallDue TakeDueCall(CallState& call, const ClockTime& now);

inline constexpr std::wstring_view kNameSuffix = L"さん、";
inline constexpr std::wstring_view kTaskSuffix = L"時がきました。";

// The notice's two lines: "<name>さん、" (empty with no name) and "<task>時がきました。".
std::wstring NoticeNameLine(std::wstring_view name);
std::wstring NoticeTaskLine(std::wstring_view task);

// The caption of a notice that comes late: "モフレン (HH:MM の呼び出し)".
std::wstring LateNoticeCaption(unsigned hour, unsigned minute);

}  // namespace pelnor
