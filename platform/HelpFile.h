// Reading the program's help. The text is carried in the executable (an
// RCDATA resource whose id the caller gives); a file written in the same text format is read instead, so
// the help can be revised without a rebuild. A file that gives no topic (in
// another format, an old WinHelp file say, unreadable or empty) is passed over.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/HelpText.h"

namespace pelnor {

// The help in the file at `path`; nothing when there is no such file, it is
// larger than any help file should be, cannot be read or is not in the format.
std::optional<HelpText> ReadHelpFile(const std::wstring& path);

// The help the executable carries as RCDATA resource `resourceId`.
std::shared_ptr<const HelpText> CarriedHelpText(int resourceId);

// The help in the file at `path` (which may be empty) when it has a topic,
// else the help carried as resource `carriedId`. The file is read once, and
// again only when its size or time stamp has changed: the same help comes
// back as the same object.
std::shared_ptr<const HelpText> LoadHelpText(const std::wstring& path, int carriedId);

}  // namespace pelnor
