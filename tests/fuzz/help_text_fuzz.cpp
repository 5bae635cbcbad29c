// libFuzzer target for the help reader: any bytes, as a help file beside the
// program could hold them. Besides the sanitizers' checks, what comes out must
// be what the viewer can show at once: valid UTF-8 without NUL, every line,
// text, title and the number of topics within the limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/HelpText.h"
#include "core/Utf8.h"

namespace {

// Stands in for code page 932, whose tables are in Windows: one character per byte.
std::string LatinToUtf8(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

void Require(bool holds) {
    if (!holds) std::abort();
}

void CheckText(std::string_view text, std::size_t limit, const pelnor::HelpLimits& limits) {
    constexpr std::size_t kNoteRoom = 200;  // the note of what was left out
    Require(text.size() <= limit + kNoteRoom);
    Require(pelnor::IsValidUtf8(text));
    Require(text.find('\0') == std::string_view::npos);
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        Require(end <= limits.line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const pelnor::HelpLimits limits;
    const auto help = pelnor::ParseHelpFile(bytes, LatinToUtf8, limits);
    if (!help) return 0;
    Require(help->topics.size() <= limits.topics);
    for (const pelnor::HelpTopic& topic : help->topics) {
        CheckText(topic.title, limits.title, limits);
        CheckText(topic.body, limits.topicText + limits.title, limits);
    }
    for (const auto& [context, text] : help->contexts) {
        Require(context >= 1 && context <= 0xFFFF);
        CheckText(text, limits.contextText, limits);
    }
    return 0;
}
