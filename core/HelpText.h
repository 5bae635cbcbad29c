// The program's help text: topics for the viewer and the short texts shown as
// pop-up help for the call letter dialog's controls.
//
// The text is UTF-8 (a leading BOM is allowed, CR LF or LF line ends):
//   #pelnor-help 1      first line, names the format
//   ; ...               a comment line, anywhere
//   #topic Title        starts a topic; the lines up to the next directive are its text
//   #context N          starts the pop-up text for help context N (1 to 65535)
// Blank lines around a text are dropped; the lines inside it are kept as written.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelnor {

struct HelpTopic {
    std::string title;  // UTF-8
    std::string body;   // UTF-8, lines joined by "\n"
};

struct HelpText {
    std::vector<HelpTopic> topics;  // in file order; the first is the contents page
    std::map<std::uint32_t, std::string> contexts;

    // The pop-up text for `context`, or nothing when the help has none.
    const std::string* ContextText(std::uint32_t context) const;
};

inline constexpr std::string_view kHelpTextSignature = "#pelnor-help 1";

// Nothing when `utf8` does not start with the signature line (a WinHelp file,
// say). A second text for the same context number replaces the first; a
// #context line without a valid number starts a section that is dropped.
std::optional<HelpText> ParseHelpText(std::string_view utf8);

}  // namespace pelnor
