#include "core/CallCheck.h"

#include "core/ClockText.h"

namespace pelnor {
namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;
constexpr std::int64_t kMillisecondsPerMinute = 60 * 1000;

// The stamp of the first armed minute after `checked` up to `now`, if any.
std::optional<std::int64_t> ArmedMinuteSince(std::int64_t armedOfDay, std::int64_t checked,
                                             std::int64_t now) {
    if (now <= checked) return std::nullopt;
    const std::int64_t checkedOfDay = (checked % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
    std::int64_t ahead = (armedOfDay - checkedOfDay + kMinutesPerDay) % kMinutesPerDay;
    if (ahead == 0) ahead = kMinutesPerDay;
    if (checked + ahead > now) return std::nullopt;
    return checked + ahead;
}

}  // namespace

// Counts days as in H. Hinnant's days_from_civil: years begin in March, so
// the leap day is the last day of a year.
std::int32_t DayNumber(int year, int month, int dayOfMonth) {
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + dayOfMonth - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::int64_t MinuteStamp(const ClockTime& t) {
    return t.day * kMinutesPerDay + t.hour * 60 + t.minute;
}

void Call::Arm(std::uint16_t hour, std::uint16_t minute, const ClockTime& now) {
    state_.Armed = true;
    state_.Hour = hour;
    state_.Minute = minute;
    // The current minute is still to be checked.
    state_.CheckedThrough = MinuteStamp(now) - 1;
}

void Call::Cancel() {
    state_.Armed = false;
    state_.Hour = 0;
    state_.Minute = 0;
    state_.Task.clear();
    state_.CheckedThrough.reset();
}

void Call::Apply(const CallDecision& decision, const ClockTime& now) {
    if (!decision.Arm) {
        Cancel();
        return;
    }
    Arm(decision.Hour, decision.Minute, now);
    state_.Name = decision.Name;
    state_.Task = decision.Task;
    state_.Beep = decision.Beep;
}

CallDue CheckCall(const CallState& call, const ClockTime& now) {
    if (!call.Armed) return CallDue::No;
    const std::int64_t armedOfDay = call.Hour * 60 + call.Minute;
    const std::int64_t nowStamp = MinuteStamp(now);
    std::optional<std::int64_t> due;
    if (call.CheckedThrough) due = ArmedMinuteSince(armedOfDay, *call.CheckedThrough, nowStamp);
    if (!due && armedOfDay == now.hour * 60 + now.minute) due = nowStamp;
    if (!due) return CallDue::No;
    const std::int64_t lateMs =
        (nowStamp - *due) * kMillisecondsPerMinute + now.second * 1000 + now.millisecond;
    return lateMs > kMillisecondsPerMinute ? CallDue::Late : CallDue::OnTime;
}

CallDue Call::TakeDue(const ClockTime& now) {
    if (!state_.Armed) return CallDue::No;
    const CallDue due = CheckCall(state_, now);
    if (due == CallDue::No) {
        state_.CheckedThrough = MinuteStamp(now);
    } else {
        state_.Armed = false;
        state_.CheckedThrough.reset();
    }
    return due;
}

std::wstring NoticeNameLine(std::wstring_view name) {
    if (name.empty()) return {};
    std::wstring line(name);
    line += kNameSuffix;
    return line;
}

std::wstring NoticeTaskLine(std::wstring_view task) {
    std::wstring line(task);
    line += kTaskSuffix;
    return line;
}

std::wstring LateNoticeCaption(unsigned hour, unsigned minute) {
    return L"モフレン (" + ClockText(hour, minute) + L" の呼び出し)";
}

}  // namespace pelnor
