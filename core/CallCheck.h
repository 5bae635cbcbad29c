// The call letter: a one-shot alarm at an hour and minute of the day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

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
    bool Armed = false;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::wstring Name;
    std::wstring Task;
    bool Beep = true;  // sound on call
    // The last minute the armed call was checked in (the previous tick's, or
    // the one before arming), as a MinuteStamp. None: only the current minute
    // counts.
    std::optional<std::int64_t> CheckedThrough = std::nullopt;
};

// What the user decided in the call letter: to arm the call with these
// values, or to cancel it.
struct CallDecision {
    bool Arm = false;  // false: cancel
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::wstring Name;
    std::wstring Task;
    bool Beep = true;
};

enum class CallDue { No, OnTime, Late };

// Whether an armed call has come at `now`: its hour and minute are the
// current ones, or they came after the minute checked last and up to now,
// forward round the clock (a sleep, a stalled process, the clock put forward).
// A gap of a day or more passes every minute; a clock set back passes none.
// Late: more than a minute after the armed minute began.
CallDue CheckCall(const CallState& call, const ClockTime& now);

// The one-shot call: the only writer of its state.
class Call {
  public:
    Call() = default;
    explicit Call(CallState state) : state_(std::move(state)) {}

    const CallState& State() const noexcept { return state_; }

    // Arms the call for hour:minute; from `now` on, no minute of the day is missed.
    void Arm(std::uint16_t hour, std::uint16_t minute, const ClockTime& now);

    // Disarms the call and clears its time and errand; the name and the sound
    // stay for the next one.
    void Cancel();

    // Arms or cancels as the user decided in the call letter.
    void Apply(const CallDecision& decision, const ClockTime& now);

    // Checks the call and keeps `now` as the minute checked last; when it is
    // due, disarms it first, so ticks inside the notice's modal loop do not
    // raise it again.
    CallDue TakeDue(const ClockTime& now);

  private:
    CallState state_;
};

inline constexpr std::wstring_view kNameSuffix = L"さん、";
inline constexpr std::wstring_view kTaskSuffix = L"時がきました。";

// The notice's two lines: "<name>さん、" (empty with no name) and "<task>時がきました。".
std::wstring NoticeNameLine(std::wstring_view name);
std::wstring NoticeTaskLine(std::wstring_view task);

// The caption of a notice that comes late: "モフレン (HH:MM の呼び出し)".
std::wstring LateNoticeCaption(unsigned hour, unsigned minute);

}  // namespace pelnor
