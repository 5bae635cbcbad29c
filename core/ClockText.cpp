#include "core/ClockText.h"

#include "core/Decimal.h"

namespace pelnor {

std::wstring TwoDigits(unsigned n) {
    return DecimalText(n + 100).substr(1, 2);
}

std::wstring ClockText(unsigned hour, unsigned minute) {
    return TwoDigits(hour) + L":" + TwoDigits(minute);
}

ClockTime TimeUp(const ClockTime& now, unsigned hours, unsigned minutes) {
    constexpr long kMinutesPerDay = 24 * 60;
    const long total = (now.hour * 60L + now.minute + hours * 60L + minutes) % kMinutesPerDay;
    return {static_cast<int>(total / 60), static_cast<int>(total % 60), now.second,
            now.millisecond};
}

}  // namespace pelnor
