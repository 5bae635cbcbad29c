// Reading the registered owner's name: every shape the value can take.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TestSupport.h"
#include "mascot/MascotWindow.h"
#include "platform/Registry.h"
#include "winbase/Handles.h"

namespace pelnor {
namespace {

constexpr const wchar_t* kTestKey = L"Software\\PelnorTests\\Registry";

class RegistryText : public ::testing::Test {
  protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    void Set(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
    }
    std::wstring Read(const wchar_t* name) {
        return ReadRegistryText(HKEY_CURRENT_USER, kTestKey, name);
    }
    HKEY key = nullptr;
};

TEST_F(RegistryText, TextValuesAreReadAsStored) {
    const std::wstring name = L"山田太郎";
    Set(L"sz", REG_SZ, name.c_str(), static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(Read(L"sz"), name);

    const std::wstring expandable = L"%USERNAME% 様";
    Set(L"expand", REG_EXPAND_SZ, expandable.c_str(),
        static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(Read(L"expand"), expandable) << "not expanded";

    const std::wstring withNul(L"前\0後", 3);
    Set(L"nul", REG_SZ, withNul.data(), static_cast<DWORD>(withNul.size() * sizeof(wchar_t)));
    EXPECT_EQ(Read(L"nul"), L"前") << "up to the first NUL";
}

TEST_F(RegistryText, DataWithoutATerminatingNulEndsWhereTheDataEnds) {
    const std::wstring name = L"Owner";
    Set(L"bare", REG_SZ, name.data(), static_cast<DWORD>(name.size() * sizeof(wchar_t)));
    EXPECT_EQ(Read(L"bare"), L"Owner");
    const char odd[] = {'A', 0, 'B'};  // an odd byte count
    Set(L"odd", REG_SZ, odd, sizeof odd);
    EXPECT_EQ(Read(L"odd"), L"A");
}

TEST_F(RegistryText, VeryLongNamesAreReadWhole) {
    const std::wstring longName(10000, L'長');
    Set(L"long", REG_SZ, longName.c_str(),
        static_cast<DWORD>((longName.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(Read(L"long"), longName);
}

TEST_F(RegistryText, MissingEmptyAndNonTextValuesGiveAnEmptyName) {
    EXPECT_EQ(Read(L"absent"), L"");
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, L"Software\\PelnorTests\\NoSuchKey", L"x"), L"");
    Set(L"empty", REG_SZ, L"", sizeof(wchar_t));
    EXPECT_EQ(Read(L"empty"), L"");
    Set(L"zero", REG_SZ, nullptr, 0);
    EXPECT_EQ(Read(L"zero"), L"");
    const DWORD number = 0x41424344;
    Set(L"dword", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(Read(L"dword"), L"");
    const BYTE binary[] = {'N', 0, 'a', 0, 0, 0};
    Set(L"binary", REG_BINARY, binary, sizeof binary);
    EXPECT_EQ(Read(L"binary"), L"");
}

// The default name is what the call letter's name field shows and can edit:
// at most 20 code page 932 bytes, cut between characters, no control characters.
// Windows NT keeps the owner under "Windows NT"; the older key comes first.
TEST(RegisteredOwner, StartUpTakesTheMachinesOwnerAsTheDefaultName) {
    // Keep whatever the machine had under both keys and put it back.
    const wchar_t* const paths[] = {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"};
    HKEY keys[2] = {};
    std::optional<std::wstring> saved[2];
    const auto store = [](HKEY key, const std::optional<std::wstring>& owner) {
        if (!owner) return void(RegDeleteValueW(key, L"RegisteredOwner"));
        RegSetValueExW(key, L"RegisteredOwner", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(owner->c_str()),
                       static_cast<DWORD>((owner->size() + 1) * sizeof(wchar_t)));
    };
    for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(
            RegOpenKeyExW(HKEY_LOCAL_MACHINE, paths[k], 0, KEY_READ | KEY_SET_VALUE, &keys[k]),
            ERROR_SUCCESS);
        if (RegQueryValueExW(keys[k], L"RegisteredOwner", nullptr, nullptr, nullptr, nullptr) == 0)
            saved[k] = ReadRegistryText(HKEY_LOCAL_MACHINE, paths[k], L"RegisteredOwner");
    }
    const testing_support::ScopeExit restore([&] {
        for (int k = 0; k < 2; ++k) {
            store(keys[k], saved[k]);
            RegCloseKey(keys[k]);
        }
    });

    const std::optional<std::wstring> missing;
    const struct {
        std::optional<std::wstring> owner, ntOwner;  // as stored under each key
        std::wstring name;
    } cases[] = {
        {L"鈴木花子", missing, L"鈴木花子"},
        {L"鈴木花子", L"", L"鈴木花子"},
        {L"鈴木花子", L"山田太郎", L"鈴木花子"},
        {L"", L"山田太郎", L"山田太郎"},
        {missing, L"山田太郎", L"山田太郎"},
        {L"", L"", L""},
        {L"", missing, L""},
        {missing, L"", L""},
        {missing, missing, L""},
        {std::wstring(6000, L'A'), missing, std::wstring(20, L'A')},
        {std::wstring(600000, L'長'), missing, std::wstring(10, L'長')},  // over 1 MiB
        {L"", std::wstring(30, L'長'), std::wstring(10, L'長')},
        {L"abcdefghijklmnopqrs長", missing, L"abcdefghijklmnopqrs"},  // 19 + 2 bytes
        {L"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅ", missing, L"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ"},
        {missing, L"山田\t太郎\r\n\x1B[1m\x7F\x85様", L"山田太郎[1m様"},
        // Two bytes each where the code page lacks them; a pair of surrogates is one.
        {L"😀😀😀😀😀😀😀😀😀😀😀", missing, L"😀😀😀😀😀😀😀😀😀😀"},
    };
    MascotEnvironment environment = MascotEnvironment::System();
    environment.executablePath = [] { return std::wstring(L"C:\\Pelnor\\Pelnor.exe"); };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.owner.value_or(L"-").substr(0, 30) + L" / " +
                     c.ntOwner.value_or(L"-").substr(0, 30));
        store(keys[0], c.owner);
        store(keys[1], c.ntOwner);
        MascotWindow main(environment);
        ASSERT_TRUE(main.Create());
        EXPECT_EQ(MascotProbe::Call(main).State().Name, c.name);
    }
}

}  // namespace
}  // namespace pelnor
