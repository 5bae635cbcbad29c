// The program's help text: topics for the viewer and the short texts shown as
// pop-up help for the call letter dialog's controls.
//
// The text is UTF-8 (a leading BOM is allowed, CR LF or LF line ends); a file
// that starts with a UTF-16 byte-order mark (Notepad's "Unicode") is read as
// UTF-16, and one that is not valid UTF-8 as code page 932, as older Japanese
// editors saved it:
//   #pelnor-help 1      first line, names the format
//   ; ...               a comment line, anywhere
//   #topic Title        starts a topic; the lines up to the next #topic or
//                       #context line are its text
//   #context N          starts the pop-up text for help context N (1 to 65535)
// Blank lines around a text are dropped; the lines inside it are kept as written.
//
// Whatever its shape, the result is quick to show: long lines are split, a
// text, a title and the number of topics are capped (a note at the end of the
// text says what was left out), and a NUL byte becomes U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Cp932.h"

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

// The limits, in UTF-8 bytes. The edit control that shows a topic wraps a
// long line in time that grows with the square of its length, and lays out
// any text in time that grows with its size.
struct HelpLimits {
    std::size_t line = 1024;         // longer lines are split
    std::size_t topicText = 4096;    // the rest of a topic is left out
    std::size_t contextText = 1024;  // a pop-up is a note, not a page
    std::size_t title = 200;         // a longer title is cut and ends in "…"
    std::size_t topics = 500;        // later topics are left out
};

// Nothing when `utf8` does not start with the signature line (a WinHelp file,
// say). A second text for the same context number replaces the first; a
// #context line without a valid number starts a section that is dropped.
std::optional<HelpText> ParseHelpText(std::string_view utf8, const HelpLimits& limits = {});

// The bytes of a help file: as UTF-16 after its byte-order mark (FF FE little-,
// FE FF big-endian), as UTF-8 when they are valid UTF-8, else as code page 932
// through `fromCp932`.
std::optional<HelpText> ParseHelpFile(std::string_view bytes, const Cp932Decoder& fromCp932,
                                      const HelpLimits& limits = {});

// Why a help file that is there is not shown.
enum class HelpFileProblem {
    TooLarge,    // beyond the size any help file should have
    Unreadable,  // could not be opened or read whole (held by another program, say)
    NotHelp,     // read, but not in the format or without a topic
};

// The one line shown above the carried help's contents instead, naming the
// file (UTF-8) and the reason.
std::string UnusableFileNote(std::string_view fileUtf8, HelpFileProblem problem);

// `help` with `note` as the first line of its contents page.
HelpText WithNote(HelpText help, std::string_view note);

}  // namespace pelnor
