#include <gtest/gtest.h>

#include <map>

#include "core/LauncherOrder.h"

namespace pelnor {
namespace {

// Code page 932 for the characters these tests use.
std::optional<std::string> TestCp932(char32_t cp) {
    if (cp < 0x80) return std::string(1, static_cast<char>(cp));
    static const std::map<char32_t, std::string> table = {
        {U'表', "\x95\x5C"}, {U'メ', "\x83\x81"}, {U'モ', "\x83\x82"},
        {U'帳', "\x92\xA0"}, {U'ｱ', "\xB1"},
    };
    const auto found = table.find(cp);
    if (found == table.end()) return std::nullopt;
    return found->second;
}

std::string Key(std::wstring_view caption) {
    return CaptionSortKey(caption, TestCp932);
}

std::vector<std::wstring> Sorted(std::initializer_list<const wchar_t*> found) {
    std::vector<LauncherEntry> entries;
    int image = 6;
    for (const wchar_t* caption : found)
        entries.push_back({caption, Key(caption), image++, caption});
    SortLauncherEntries(entries);
    std::vector<std::wstring> captions;
    for (const auto& e : entries) captions.push_back(e.caption);
    return captions;
}

TEST(CaptionOrder, AsciiLettersCompareWithoutCaseAndPrefixesComeFirst) {
    EXPECT_TRUE(CaptionLess("ab", "abc"));
    EXPECT_FALSE(CaptionLess("abc", "ab"));
    EXPECT_TRUE(CaptionLess("A", "b"));
    EXPECT_TRUE(CaptionLess("a", "B"));
    EXPECT_FALSE(CaptionLess("b", "B"));
    EXPECT_FALSE(CaptionLess("B", "b"));
    // '_' (0x5F) lies between the upper- and lower-case letters.
    EXPECT_TRUE(CaptionLess("Z", "_"));
    EXPECT_TRUE(CaptionLess("z", "_"));
}

TEST(CaptionOrder, JapaneseSortsByShiftJisBytesAfterAscii) {
    EXPECT_TRUE(CaptionLess(Key(L"Zeta"), Key(L"メモ帳")));
    EXPECT_TRUE(CaptionLess(Key(L"メ"), Key(L"モ")));
    // Half-width katakana is the single byte 0xB1, after lead byte 0x83.
    EXPECT_TRUE(CaptionLess(Key(L"メ"), Key(L"ｱ")));
    // The trail byte 0x5C of 表 is compared as a byte like any other.
    EXPECT_EQ(Key(L"表"), "\x95\x5C");
}

TEST(CaptionOrder, LowerCaseTrailBytesAreFoldedToo) {
    // 0x83 0x81 (メ) and 0x83 0x61 (ャ) — with folding 0x61 becomes 0x41.
    EXPECT_TRUE(CaptionLess("\x83\x61", "\x83\x42"));
    EXPECT_FALSE(CaptionLess("\x83\x41", "\x83\x61"));
}

TEST(CaptionOrder, CharactersOutsideTheCodePageSortAfterItAndApart) {
    const std::string greekAlpha = Key(L"α");  // not in the test table
    const std::string greekBeta = Key(L"β");
    EXPECT_NE(greekAlpha, greekBeta) << "distinct names keep distinct keys";
    EXPECT_TRUE(CaptionLess(greekAlpha, greekBeta));
    EXPECT_TRUE(CaptionLess(Key(L"表"), greekAlpha));
    EXPECT_EQ(Key(L"😀").size(), 4u) << "a surrogate pair is one character";
}

TEST(LauncherSort, ExamplesOfTheMenu) {
    EXPECT_EQ(Sorted({L"b", L"A", L"c"}), (std::vector<std::wstring>{L"A", L"b", L"c"}));
    EXPECT_EQ(Sorted({L"abc", L"ab"}), (std::vector<std::wstring>{L"ab", L"abc"}));
    EXPECT_EQ(Sorted({L"メモ帳", L"Zeta"}), (std::vector<std::wstring>{L"Zeta", L"メモ帳"}));
    // Equal captions are never exchanged with each other, but the exchange
    // with "a" carries b past B.
    EXPECT_EQ(Sorted({L"b", L"B", L"a"}), (std::vector<std::wstring>{L"a", L"B", L"b"}));
}

TEST(LauncherSort, IconsAndFilesTravelWithTheirCaptions) {
    std::vector<LauncherEntry> entries{{L"b", Key(L"b"), 6, L"b.lnk"},
                                       {L"A", Key(L"A"), 7, L"A.lnk"},
                                       {L"c", Key(L"c"), 8, L"c.lnk"}};
    SortLauncherEntries(entries);
    EXPECT_EQ(entries[0].imageIndex, 7);
    EXPECT_EQ(entries[1].imageIndex, 6);
    EXPECT_EQ(entries[2].imageIndex, 8);
    EXPECT_EQ(entries[0].file, L"A.lnk");
    EXPECT_EQ(entries[1].file, L"b.lnk");
    EXPECT_EQ(entries[2].file, L"c.lnk");
}

TEST(LauncherSort, ElevenEntriesComeOutInOrder) {
    std::vector<LauncherEntry> entries;
    const wchar_t* names[] = {L"k", L"J", L"i", L"H", L"g", L"F", L"e", L"D", L"c", L"B", L"a"};
    for (const wchar_t* n : names) entries.push_back({n, Key(n), 0, n});
    SortLauncherEntries(entries);
    for (std::size_t i = 1; i < entries.size(); ++i)
        EXPECT_FALSE(CaptionLess(entries[i].sortKey, entries[i - 1].sortKey));
}

}  // namespace
}  // namespace pelnor
