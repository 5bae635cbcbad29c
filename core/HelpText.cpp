#include "core/HelpText.h"

#include <charconv>
#include <utility>

namespace pelnor {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kTopicDirective = "#topic";
constexpr std::string_view kContextDirective = "#context";

// Splits off the next line, without its line end.
std::string_view NextLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// The argument of `directive` when `line` is that directive ("#topic" alone
// or followed by a blank), else nothing.
std::optional<std::string_view> DirectiveArgument(std::string_view line,
                                                  std::string_view directive) {
    if (!line.starts_with(directive)) return std::nullopt;
    const std::string_view rest = line.substr(directive.size());
    if (!rest.empty() && rest.front() != ' ' && rest.front() != '\t') return std::nullopt;
    return Trim(rest);
}

std::optional<std::uint32_t> ContextNumber(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < 1 || value > 0xFFFF) return std::nullopt;
    return value;
}

// Collects the lines of one section and hands over the text without the
// blank lines around it.
class SectionText {
  public:
    void Add(std::string_view line) {
        if (Trim(line).empty()) {
            if (!text_.empty()) ++pendingBlankLines_;
            return;
        }
        if (!text_.empty()) text_.append(pendingBlankLines_ + 1, '\n');
        pendingBlankLines_ = 0;
        text_.append(line);
    }
    std::string Take() {
        pendingBlankLines_ = 0;
        return std::exchange(text_, {});
    }

  private:
    std::string text_;
    std::size_t pendingBlankLines_ = 0;
};

}  // namespace

const std::string* HelpText::ContextText(std::uint32_t context) const {
    const auto found = contexts.find(context);
    return found == contexts.end() ? nullptr : &found->second;
}

std::optional<HelpText> ParseHelpText(std::string_view utf8) {
    if (utf8.starts_with(kBom)) utf8.remove_prefix(kBom.size());
    if (Trim(NextLine(utf8)) != kHelpTextSignature) return std::nullopt;

    enum class Section { None, Topic, Context, Dropped };
    HelpText help;
    Section section = Section::None;
    std::string title;
    std::uint32_t context = 0;
    SectionText text;

    const auto finish = [&] {
        if (section == Section::Topic) help.topics.push_back({std::move(title), text.Take()});
        if (section == Section::Context) help.contexts[context] = text.Take();
        text.Take();
    };

    while (!utf8.empty()) {
        const std::string_view line = NextLine(utf8);
        if (line.starts_with(';')) continue;
        if (const auto argument = DirectiveArgument(line, kTopicDirective)) {
            finish();
            section = Section::Topic;
            title = std::string(*argument);
        } else if (const auto number = DirectiveArgument(line, kContextDirective)) {
            finish();
            const auto parsed = ContextNumber(*number);
            section = parsed ? Section::Context : Section::Dropped;
            context = parsed.value_or(0);
        } else {
            text.Add(line);
        }
    }
    finish();
    return help;
}

}  // namespace pelnor
