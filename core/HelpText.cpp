#include "core/HelpText.h"

#include <charconv>
#include <utility>

#include "core/Utf16.h"
#include "core/Utf8.h"

namespace pelnor {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianBom = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianBom = "\xFE\xFF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";
constexpr std::string_view kEllipsis = "…";
constexpr std::string_view kTopicDirective = "#topic";
constexpr std::string_view kContextDirective = "#context";

std::string TextLeftOutNote(std::size_t characters) {
    return "（長すぎるため、ここから先の " + std::to_string(characters) + " 文字を省略しました。）";
}

std::string TopicsLeftOutNote(std::size_t topics) {
    return "（項目が多すぎるため、この後の " + std::to_string(topics) + " 項目を省略しました。）";
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        if (!IsContinuationByte(c)) ++count;
    return count;
}

// The longest start of `text` of at most `bytes` bytes that ends between characters.
std::size_t FittingLength(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return text.size();
    while (bytes > 0 && IsContinuationByte(text[bytes])) --bytes;
    return bytes;
}

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

std::string Title(std::string_view argument, std::size_t limit) {
    if (argument.size() <= limit) return std::string(argument);
    std::string title(argument.substr(0, FittingLength(argument, limit - kEllipsis.size())));
    title += kEllipsis;
    return title;
}

// Collects the lines of one section and hands over the text without the
// blank lines around it, its long lines split and its length capped.
class SectionText {
  public:
    SectionText(std::size_t lineLimit) : lineLimit_(lineLimit) {}

    void Start(std::size_t textLimit) {
        text_.clear();
        pendingBlankLines_ = 0;
        leftOut_ = 0;
        textLimit_ = textLimit;
    }

    void Add(std::string_view line) {
        if (Trim(line).empty()) {
            if (!text_.empty()) ++pendingBlankLines_;
            return;
        }
        while (line.size() > lineLimit_) {
            const std::size_t piece = PieceLength(line);
            AddLine(line.substr(0, piece));
            line.remove_prefix(piece);
        }
        AddLine(line);
    }

    std::string Take() {
        if (leftOut_ > 0) text_ += "\n" + TextLeftOutNote(leftOut_);
        pendingBlankLines_ = 0;
        leftOut_ = 0;
        return std::exchange(text_, {});
    }

  private:
    // A piece of a long line: up to its last blank in the second half of
    // the limit, else as much as fits between characters.
    std::size_t PieceLength(std::string_view line) const {
        const std::size_t fits = FittingLength(line, lineLimit_);
        const std::size_t blank = line.substr(0, fits).find_last_of(' ');
        if (blank != std::string_view::npos && blank >= fits / 2) return blank + 1;
        return fits > 0 ? fits : lineLimit_;
    }

    void AddLine(std::string_view line) {
        if (leftOut_ > 0) {
            leftOut_ += CharacterCount(line);
            return;
        }
        const std::size_t separator = text_.empty() ? 0 : pendingBlankLines_ + 1;
        const std::size_t room =
            textLimit_ > text_.size() + separator ? textLimit_ - text_.size() - separator : 0;
        const std::size_t kept = FittingLength(line, room);
        if (kept > 0 || line.empty()) {
            text_.append(separator, '\n');
            text_.append(line.substr(0, kept));
        }
        pendingBlankLines_ = 0;
        leftOut_ = CharacterCount(line.substr(kept));
    }

    std::size_t lineLimit_;
    std::size_t textLimit_ = 0;
    std::string text_;
    std::size_t pendingBlankLines_ = 0;
    std::size_t leftOut_ = 0;  // characters
};

// A NUL would end the text where Windows takes it.
std::string WithoutNul(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (const char c : text) {
        if (c == '\0') {
            clean += kReplacementCharacter;
        } else {
            clean += c;
        }
    }
    return clean;
}

}  // namespace

const std::string* HelpText::ContextText(std::uint32_t context) const {
    const auto found = contexts.find(context);
    return found == contexts.end() ? nullptr : &found->second;
}

std::optional<HelpText> ParseHelpText(std::string_view utf8, const HelpLimits& limits) {
    std::string clean;
    if (utf8.find('\0') != std::string_view::npos) {
        clean = WithoutNul(utf8);
        utf8 = clean;
    }
    if (utf8.starts_with(kBom)) utf8.remove_prefix(kBom.size());
    if (Trim(NextLine(utf8)) != kHelpTextSignature) return std::nullopt;

    enum class Section { None, Topic, Context, Dropped };
    HelpText help;
    Section section = Section::None;
    std::string title;
    std::uint32_t context = 0;
    std::size_t topicsLeftOut = 0;
    SectionText text(limits.line);

    const auto finish = [&] {
        if (section == Section::Topic) help.topics.push_back({std::move(title), text.Take()});
        if (section == Section::Context) help.contexts[context] = text.Take();
        text.Start(0);
    };

    while (!utf8.empty()) {
        const std::string_view line = NextLine(utf8);
        if (line.starts_with(';')) continue;
        if (const auto argument = DirectiveArgument(line, kTopicDirective)) {
            finish();
            if (help.topics.size() < limits.topics) {
                section = Section::Topic;
                title = Title(*argument, limits.title);
                text.Start(limits.topicText);
            } else {
                section = Section::Dropped;
                ++topicsLeftOut;
            }
        } else if (const auto number = DirectiveArgument(line, kContextDirective)) {
            finish();
            const auto parsed = ContextNumber(*number);
            section = parsed ? Section::Context : Section::Dropped;
            context = parsed.value_or(0);
            text.Start(limits.contextText);
        } else if (section == Section::Topic || section == Section::Context) {
            text.Add(line);
        }
    }
    finish();
    if (topicsLeftOut > 0 && !help.topics.empty()) {
        std::string& last = help.topics.back().body;
        if (!last.empty()) last += "\n\n";
        last += TopicsLeftOutNote(topicsLeftOut);
    }
    return help;
}

std::optional<HelpText> ParseHelpFile(std::string_view bytes, const Cp932Decoder& fromCp932,
                                      const HelpLimits& limits) {
    for (const bool bigEndian : {false, true}) {
        if (bytes.starts_with(bigEndian ? kUtf16BigEndianBom : kUtf16LittleEndianBom))
            return ParseHelpText(Utf16BytesToUtf8(bytes.substr(2), bigEndian), limits);
    }
    if (IsValidUtf8(bytes)) return ParseHelpText(bytes, limits);
    return ParseHelpText(fromCp932(bytes), limits);
}

std::string UnusableFileNote(std::string_view fileUtf8, HelpFileProblem problem) {
    std::string_view reason;
    switch (problem) {
        case HelpFileProblem::TooLarge:
            reason = "大きすぎるため";
            break;
        case HelpFileProblem::Unreadable:
            reason = "読み込めなかったため";
            break;
        case HelpFileProblem::NotHelp:
            reason = "モフレンのヘルプの形式ではないため";
            break;
    }
    return "（ヘルプファイル " + std::string(fileUtf8) + " は" + std::string(reason) +
           "、内蔵のヘルプを表示しています。）";
}

HelpText WithNote(HelpText help, std::string_view note) {
    if (help.topics.empty()) return help;
    std::string& contents = help.topics.front().body;
    contents = std::string(note) + (contents.empty() ? "" : "\n\n") + contents;
    return help;
}

}  // namespace pelnor
