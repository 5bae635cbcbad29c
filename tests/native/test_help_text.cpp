#include "core/HelpText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

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
#endif

}  // namespace
}  // namespace pelnor
