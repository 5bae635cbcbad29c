#include "core/HelpText.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <fstream>
#include <iterator>
#include <string>

#include "core/Utf8.h"

namespace pelnor {
namespace {

TEST(HelpText, TopicsAndContextsInFileOrder) {
    const auto help = ParseHelpText(
        "#pelnor-help 1\n"
        "; how the file is written\n"
        "#topic 目次\n"
        "ようこそ。\n"
        "\n"
        "  ・字下げも残る\n"
        "#topic 動き\n"
        "一行目\n"
        "#context 3\n"
        "30分後にします。\n"
        "#context 15\n"
        "閉じます。\n");
    ASSERT_TRUE(help);
    ASSERT_EQ(help->topics.size(), 2u);
    EXPECT_EQ(help->topics[0].title, "目次");
    EXPECT_EQ(help->topics[0].body, "ようこそ。\n\n  ・字下げも残る");
    EXPECT_EQ(help->topics[1].title, "動き");
    EXPECT_EQ(help->topics[1].body, "一行目");
    ASSERT_NE(help->ContextText(3), nullptr);
    EXPECT_EQ(*help->ContextText(3), "30分後にします。");
    ASSERT_NE(help->ContextText(15), nullptr);
    EXPECT_EQ(*help->ContextText(15), "閉じます。");
    EXPECT_EQ(help->ContextText(4), nullptr);
    EXPECT_EQ(help->ContextText(0), nullptr);
}

TEST(HelpText, SignatureDecidesWhetherTheTextIsHelp) {
    EXPECT_FALSE(ParseHelpText(""));
    EXPECT_FALSE(ParseHelpText("#topic 目次\nようこそ。\n"));
    // The first bytes of a WinHelp file.
    EXPECT_FALSE(ParseHelpText(std::string("\x3F\x5F\x03\x00\x10\x00\x00\x00", 8)));
    EXPECT_FALSE(ParseHelpText("#pelnor-help 2\n#topic a\nb\n"));

    const auto withBomAndCrLf =
        ParseHelpText("\xEF\xBB\xBF#pelnor-help 1\r\n#topic 目次\r\n一行目\r\n二行目\r\n\r\n");
    ASSERT_TRUE(withBomAndCrLf);
    ASSERT_EQ(withBomAndCrLf->topics.size(), 1u);
    EXPECT_EQ(withBomAndCrLf->topics[0].title, "目次");
    EXPECT_EQ(withBomAndCrLf->topics[0].body, "一行目\n二行目");
}

TEST(HelpText, BlankLinesAroundATextAreDroppedInsideKept) {
    const auto help =
        ParseHelpText("#pelnor-help 1\n#topic a\n\n  \n上\n\n\n下\n \n\n#context 2\n\n時刻\n\n");
    ASSERT_TRUE(help);
    EXPECT_EQ(help->topics.at(0).body, "上\n\n\n下");
    EXPECT_EQ(*help->ContextText(2), "時刻");
}

TEST(HelpText, DirectivesAndCommentsAreRecognisedOnlyWhole) {
    const auto help = ParseHelpText(
        "#pelnor-help 1\n"
        "text before any directive is not shown\n"
        "#topic\tタブ区切り\n"
        "#topics is text\n"
        "#contexts 3 too\n"
        "; a comment inside a topic\n"
        "#topic\n"
        "untitled\n");
    ASSERT_TRUE(help);
    ASSERT_EQ(help->topics.size(), 2u);
    EXPECT_EQ(help->topics[0].title, "タブ区切り");
    EXPECT_EQ(help->topics[0].body, "#topics is text\n#contexts 3 too");
    EXPECT_EQ(help->topics[1].title, "");
    EXPECT_EQ(help->topics[1].body, "untitled");
    EXPECT_TRUE(help->contexts.empty());
}

TEST(HelpText, BadContextNumbersDropTheirSection) {
    const auto help = ParseHelpText(
        "#pelnor-help 1\n"
        "#context 0\nzero\n"
        "#context x\nletters\n"
        "#context 3a\ntrailing\n"
        "#context -1\nnegative\n"
        "#context 65536\ntoo large\n"
        "#context\nmissing\n"
        "#context  7 \nseven\n"
        "#context 8\nfirst\n"
        "#context 8\nsecond\n"
        "#topic after\nkept\n");
    ASSERT_TRUE(help);
    ASSERT_EQ(help->contexts.size(), 2u);
    EXPECT_EQ(*help->ContextText(7), "seven");
    EXPECT_EQ(*help->ContextText(8), "second");
    ASSERT_EQ(help->topics.size(), 1u);
    EXPECT_EQ(help->topics[0].body, "kept");
}

TEST(HelpText, LongLinesAreSplitAndLongTextsCutWithANote) {
    const HelpLimits small{.line = 8, .topicText = 20, .contextText = 10, .title = 8, .topics = 2};
    const struct {
        const char* what;
        std::string file;
        std::string text;  // of the first topic, or of context 3 when there is none
        std::string title = "t";
    } cases[] = {
        {"a long line", "#topic t\nabcdefghijkl\n", "abcdefgh\nijkl"},
        {"split after a blank", "#topic t\nabcde fghijk\n", "abcde \nfghijk"},
        {"split between characters", "#topic t\nあいうえ\n", "あい\nうえ"},
        {"a long text", "#topic t\n01234567\n01234567\n01234567\n\nabc\n",
         "01234567\n01234567\n01\n（長すぎるため、ここから先の 9 文字を省略しました。）"},
        {"a long title", "#topic 0123456789\nx\n", "x", "01234…"},
        {"a long pop-up", "#context 3\n0123456789AB\n",
         "01234567\n8\n（長すぎるため、ここから先の 3 文字を省略しました。）", ""},
        {"too many topics", "#topic t\nA\n#topic b\nB\n#topic c\nC\n#topic d\nD\n", "A", "t"},
        {"a NUL", std::string("#topic t\nab\0cd\n", 15),
         "ab\xEF\xBF\xBD"
         "cd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto help = ParseHelpText("#pelnor-help 1\n" + c.file, small);
        ASSERT_TRUE(help);
        if (help->topics.empty()) {
            ASSERT_NE(help->ContextText(3), nullptr);
            EXPECT_EQ(*help->ContextText(3), c.text);
        } else {
            EXPECT_EQ(help->topics[0].body, c.text);
            EXPECT_EQ(help->topics[0].title, c.title);
        }
    }
    const auto many = ParseHelpText(
        "#pelnor-help 1\n#topic a\nA\n#topic b\nB\n#topic c\nC\n#topic d\nD\n", small);
    ASSERT_EQ(many->topics.size(), 2u);
    EXPECT_EQ(many->topics[1].body, "B\n\n（項目が多すぎるため、この後の 2 項目を省略しました。）");
}

// Help files as a careless user or a hostile download could leave them: what
// comes out stays small enough to show at once.
TEST(HelpText, FilesOfAnyShapeGiveBoundedText) {
    const HelpLimits limits;
    std::string manyTopics = "#pelnor-help 1\n";
    for (int i = 0; i < 66229; ++i) manyTopics += "#topic " + std::to_string(i) + "\nx\n";
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"one line of 1 MB", "#pelnor-help 1\n#topic a\n" + std::string(1 << 20, 'x') + "\n"},
        {"one spaced line of 1 MB", "#pelnor-help 1\n#topic a\n" + std::string(1 << 20, ' ') +
                                        "x " + std::string(1 << 19, 'y')},
        {"a title of 1 MB", "#pelnor-help 1\n#topic " + std::string(1 << 20, 'x') + "\nx\n"},
        {"a pop-up of 1 MB",
         "#pelnor-help 1\n#topic a\nx\n#context 1\n" + std::string(1 << 20, 'x') + "\n"},
        {"66229 topics", manyTopics},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto help = ParseHelpText(c.file);
        ASSERT_TRUE(help);
        ASSERT_FALSE(help->topics.empty());
        EXPECT_LE(help->topics.size(), limits.topics);
        std::vector<const std::string*> texts;
        for (const HelpTopic& topic : help->topics) {
            EXPECT_LE(topic.title.size(), limits.title);
            EXPECT_LE(topic.body.size(), limits.topicText + 200);
            texts.push_back(&topic.body);
        }
        for (const auto& [number, text] : help->contexts) {
            EXPECT_LE(text.size(), limits.contextText + 200);
            texts.push_back(&text);
        }
        for (const std::string* text : texts) {
            std::string_view rest = *text;
            while (!rest.empty()) {
                const auto end = std::min(rest.find('\n'), rest.size());
                EXPECT_LE(end, limits.line);
                rest.remove_prefix(std::min(end + 1, rest.size()));
            }
        }
    }
}

// What a system with code page 932 does, through the C library.
std::string Cp932ToUtf8(std::string_view bytes) {
    const iconv_t convert = iconv_open("UTF-8", "CP932");
    std::string out(bytes.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0 &&
           iconv(convert, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) {
        ++in;  // a byte the code page does not know
        --inLeft;
    }
    iconv_close(convert);
    out.resize(out.size() - outLeft);
    return out;
}

// UTF-16 bytes after a byte-order mark, as Notepad saves "Unicode".
std::string Utf16File(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text)
        bytes += bigEndian ? std::string{char(unit >> 8), char(unit)}
                           : std::string{char(unit), char(unit >> 8)};
    return bytes;
}

TEST(HelpText, FilesAreReadInTheEncodingTheyWereSavedIn) {
    const std::u16string utf16 = u"#pelnor-help 1\r\n#topic t\r\n目次です😀\r\n";
    const struct {
        const char* what;
        std::string file;
        std::string body;
    } cases[] = {
        {"UTF-8", "#pelnor-help 1\n#topic t\n目次です\n", "目次です"},
        {"UTF-8 with a BOM", "\xEF\xBB\xBF#pelnor-help 1\n#topic t\n目次です\n", "目次です"},
        {"Shift-JIS", "#pelnor-help 1\r\n#topic t\r\n\x96\xDA\x8E\x9F\x82\xC5\x82\xB7\r\n",
         "目次です"},
        {"Shift-JIS with a 0x5C trail byte", "#pelnor-help 1\n#topic t\n\x95\x5C\n", "表"},
        {"UTF-16 little-endian", Utf16File(utf16, false), "目次です😀"},
        {"UTF-16 big-endian", Utf16File(utf16, true), "目次です😀"},
        {"UTF-16 with a lone surrogate and an odd last byte",
         Utf16File(u"#pelnor-help 1\n#topic t\na\xD800"
                   u"b",
                   false) +
             "x",
         "a\uFFFDb\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto help = ParseHelpFile(c.file, Cp932ToUtf8);
        ASSERT_TRUE(help);
        ASSERT_EQ(help->topics.size(), 1u);
        EXPECT_EQ(help->topics[0].body, c.body);
    }
}

TEST(Utf8, WellFormedOnly) {
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"ascii", true},
        {"目次 é 😀", true},
        {std::string("a\0b", 3), true},
        {"\xEF\xBF\xBD", true},
        {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
        {"\x80", false},
        {"\xC3", false},              // cut short
        {"\xC0\xAF", false},          // overlong
        {"\xE0\x80\xAF", false},      // overlong
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\xE3\x81", false},
        {"\x96\xDA\x8E\x9F", false},  // 目次 in Shift-JIS
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
}

#ifdef PELNOR_SOURCE_DIR
// The help the program carries: a contents page first, every topic with a
// title and text, and a pop-up text for each of the dialog's contexts 1-15.
TEST(HelpText, ProgramHelpIsComplete) {
    std::ifstream file(PELNOR_SOURCE_DIR "/app/help/Pelnor-help.txt", std::ios::binary);
    ASSERT_TRUE(file) << "app/help/Pelnor-help.txt";
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const auto help = ParseHelpText(text);
    ASSERT_TRUE(help);
    ASSERT_GE(help->topics.size(), 2u);
    EXPECT_EQ(help->topics[0].title, "目次");
    for (const HelpTopic& topic : help->topics) {
        EXPECT_FALSE(topic.title.empty());
        EXPECT_FALSE(topic.body.empty()) << topic.title;
        EXPECT_EQ(topic.body.find('\r'), std::string::npos) << topic.title;
    }
    for (std::uint32_t context = 1; context <= 15; ++context) {
        const std::string* popup = help->ContextText(context);
        ASSERT_NE(popup, nullptr) << "context " << context;
        EXPECT_FALSE(popup->empty()) << "context " << context;
    }
    EXPECT_EQ(help->contexts.size(), 15u);

    std::string all;
    for (const HelpTopic& topic : help->topics) all += topic.body + "\n";
    for (const char* command :
         {"常に上に表示", "Ctrl+U", "凍りつく", "Ctrl+S", "エクスプローラ召喚", "Ctrl+E",
          "呼び出し状を書く...", "Ctrl+W", "モフレンの部屋を開く", "Ctrl+O", "ヘルプ", "F1",
          "バージョン情報...", "Ctrl+A", "終了", "Alt+F4", "Shift+F10", ".lnk", "F12"}) {
        EXPECT_NE(all.find(command), std::string::npos) << command;
    }
}
// The carried help says how a help file is written; what it says is what the
// reader does.
TEST(HelpText, ProgramHelpDescribesTheFormatItIsReadIn) {
    std::ifstream file(PELNOR_SOURCE_DIR "/app/help/Pelnor-help.txt", std::ios::binary);
    ASSERT_TRUE(file) << "app/help/Pelnor-help.txt";
    std::string description;
    for (std::string line; std::getline(file, line);)
        if (line.starts_with(";")) description += line.substr(1);
    // Only these two lines end a section: "#topics" and other "#" lines are text.
    const std::string sectionEnd = "次の \"#topic\" 行か \"#context\" 行まで";
    std::size_t described = 0;
    for (auto at = description.find(sectionEnd); at != std::string::npos;
         at = description.find(sectionEnd, at + 1))
        ++described;
    EXPECT_EQ(described, 2u) << "for #topic and #context sections";
    const HelpLimits limits;
    for (const std::size_t limit :
         {limits.line, limits.topicText, limits.contextText, limits.title, limits.topics})
        EXPECT_NE(description.find(" " + std::to_string(limit) + " "), std::string::npos) << limit;
    EXPECT_NE(description.find("Shift-JIS"), std::string::npos);
    EXPECT_NE(description.find("UTF-16"), std::string::npos);
    EXPECT_NE(description.find("U+FFFD"), std::string::npos);
}
#endif

}  // namespace
}  // namespace pelnor
