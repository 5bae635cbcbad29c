// Reading the program's help. The text is carried in the executable (an
// RCDATA resource whose id the caller gives); a file written in the same text
// format is read instead, so the help can be revised without a rebuild. A file
// that is there but gives no topic (too large, held by another program, in
// another format such as an old WinHelp file, or empty) is passed over with a
// note saying so.
#pragma once

#include <memory>
#include <string>

#include "core/HelpText.h"

namespace pelnor {

// The help the executable carries as RCDATA resource `resourceId`.
std::shared_ptr<const HelpText> CarriedHelpText(int resourceId);

// The help in the file at `path` (which may be empty) when it has a topic,
// else the help carried as resource `carriedId`, with a note above its
// contents when the file is there but cannot be used (none when there is no
// file). A file read whole is read again only when its size or time stamp has
// changed (the same help comes back as the same object); one that could not
// be read is tried again at the next call.
std::shared_ptr<const HelpText> LoadHelpText(const std::wstring& path, int carriedId);

}  // namespace pelnor
