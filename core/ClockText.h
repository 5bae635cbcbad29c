// Clock text of the call letter dialog.
#pragma once

#include <string>

#include "core/CallCheck.h"

namespace pelnor {

// An hour or minute as exactly two digits: the second and third characters of
// n + 100 written in decimal (7 -> "07").
std::wstring TwoDigits(unsigned n);

// "HH:MM".
std::wstring ClockText(unsigned hour, unsigned minute);

// `now` plus the given hours and minutes, wrapped past midnight.
ClockTime TimeUp(const ClockTime& now, unsigned hours, unsigned minutes);

}  // namespace pelnor
