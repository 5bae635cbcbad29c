#include "core/CallCheck.h"

namespace pelnor {

bool CallIsDue(const CallState& call, const ClockTime& now) {
    return call.CallSet && now.hour == call.CallHour && now.minute == call.CallMin;
}

bool TakeDueCall(CallState& call, const ClockTime& now) {
    if (!CallIsDue(call, now)) return false;
    call.CallSet = false;
    return true;
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

}  // namespace pelnor
