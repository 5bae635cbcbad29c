// The call letter: a one-shot alarm at an hour and minute of the day.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pelnor {

struct CallState {
    bool CallSet = false;
    std::uint16_t CallHour = 0;
    std::uint16_t CallMin = 0;
    std::wstring CallName;
    std::wstring CallTask;
    std::uint8_t CallBeep = 1;  // 1: sound on call
};

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Whether an armed call has come at `now`; only hour and minute count.
bool CallIsDue(const CallState& call, const ClockTime& now);

// Disarms and returns true when the call is due. Disarming happens before the
// notice exists, so ticks inside the notice's modal loop do not raise it again.
bool TakeDueCall(CallState& call, const ClockTime& now);

inline constexpr std::wstring_view kNameSuffix = L"さん、";
inline constexpr std::wstring_view kTaskSuffix = L"時がきました。";

// The notice's two lines: "<name>さん、" (empty with no name) and "<task>時がきました。".
std::wstring NoticeNameLine(std::wstring_view name);
std::wstring NoticeTaskLine(std::wstring_view task);

}  // namespace pelnor
