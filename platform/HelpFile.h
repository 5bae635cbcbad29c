// Reading the program's help. The text is carried in the executable (resource
// IDR_HELP_TEXT); a file written in the same text format is read instead, so
// the help can be revised without a rebuild. A file in any other format (an
// old WinHelp file) is ignored.
#pragma once

#include <optional>
#include <string>

#include "core/HelpText.h"

namespace pelnor {

// The help in the file at `path`; nothing when there is no such file, it is
// larger than any help file should be, cannot be read or is not in the format.
std::optional<HelpText> ReadHelpFile(const std::wstring& path);

// The help the executable carries.
const HelpText& CarriedHelpText();

// The help in the file at `path` (which may be empty), else the carried help.
HelpText LoadHelpText(const std::wstring& path);

}  // namespace pelnor
