// The registry reader against the real registry: values written the way the
// front end writes them (Unicode strings), read back by the renderer's code.
// The cases work on a scratch key; the user's own key is touched only when
// it does not exist yet, and removed again.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "renderer/win32/registry_settings.h"

using namespace lumora;
using namespace lumora::win32;

namespace {

// A key made for one test under HKEY_CURRENT_USER; `removed` (the key or
// an ancestor the test made too) is deleted with everything in it at the
// end.
class ScratchKey {
public:
    ScratchKey(const std::wstring& path, std::wstring removed) : removed_(std::move(removed)) {
        RegDeleteTreeW(HKEY_CURRENT_USER, removed_.c_str());
        created_ = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                                   nullptr) == ERROR_SUCCESS;
    }
    ~ScratchKey() {
        if (created_) RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, removed_.c_str());
    }
    bool created() const { return created_; }

    void setString(const wchar_t* name, const std::wstring& text) {
        const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        ASSERT_EQ(RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes),
                  ERROR_SUCCESS);
    }
    void setDword(const wchar_t* name, DWORD value) {
        ASSERT_EQ(RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
                  ERROR_SUCCESS);
    }

private:
    std::wstring removed_;
    HKEY key_ = nullptr;
    bool created_ = false;
};

const wchar_t kScratchRoot[] = L"Software\\Lumora tests";
const wchar_t kScratchPath[] = L"Software\\Lumora tests\\renderer settings";
const char kScratchPathA[] = "Software\\Lumora tests\\renderer settings";

}  // namespace

TEST(RegistrySettings, ReadsEachValueOverItsDefault) {
    ScratchKey key(kScratchPath, kScratchRoot);
    ASSERT_TRUE(key.created());
    key.setString(L"00", L"7abc");                    // digits then letters
    key.setString(L"01", L"abc");                     // letters only
    key.setString(L"02", L"  -15");                   // white space and a sign
    key.setString(L"03", std::wstring(255, L'3'));    // 255 characters + terminator: just fits, saturates
    // "04" absent
    key.setString(L"05", std::wstring(256, L'9'));    // 257 bytes: does not fit, keeps its default
    key.setString(L"06", std::wstring(1 << 20, L'8'));  // a megabyte
    key.setString(L"07", L"0");
    key.setString(L"08", L"99");                      // not a renderer value

    const Settings s = readRendererSettings(HKEY_CURRENT_USER, kScratchPathA);
    EXPECT_EQ(s.MaxFireworks, 7);
    EXPECT_EQ(s.SmokeSpan, 0);
    EXPECT_EQ(s.WindSpeed, -15);
    EXPECT_EQ(s.AmbientBrightness, 2147483647);
    EXPECT_EQ(s.StarDensity, 20);
    EXPECT_EQ(s.LensFlareBrightness, 20);
    EXPECT_EQ(s.Weather, 1);
    EXPECT_EQ(s.Illumination, 0);
}

TEST(RegistrySettings, TypeIsNotCheckedAndBytesAreText) {
    ScratchKey key(kScratchPath, kScratchRoot);
    ASSERT_TRUE(key.created());
    key.setDword(L"00", 0x00003735);  // the bytes "57": read as text
    key.setDword(L"01", 7);           // byte 7 is no digit
    const Settings s = readRendererSettings(HKEY_CURRENT_USER, kScratchPathA);
    EXPECT_EQ(s.MaxFireworks, 57);
    EXPECT_EQ(s.SmokeSpan, 0);
}

TEST(RegistrySettings, MissingKeyKeepsEveryDefault) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot);
    const Settings s = readRendererSettings(HKEY_CURRENT_USER, kScratchPathA);
    const Settings defaults;
    EXPECT_EQ(s.MaxFireworks, defaults.MaxFireworks);
    EXPECT_EQ(s.SmokeSpan, defaults.SmokeSpan);
    EXPECT_EQ(s.WindSpeed, defaults.WindSpeed);
    EXPECT_EQ(s.AmbientBrightness, defaults.AmbientBrightness);
    EXPECT_EQ(s.StarDensity, defaults.StarDensity);
    EXPECT_EQ(s.LensFlareBrightness, defaults.LensFlareBrightness);
    EXPECT_EQ(s.Weather, defaults.Weather);
    EXPECT_EQ(s.Illumination, defaults.Illumination);
}

TEST(RegistrySettings, TheShowReadsTheFrontEndsKey) {
    // The first of the key's ancestors that does not exist is made by the
    // test and removed afterwards.
    const std::wstring levels[] = {L"Software\\VB and VBA Program Settings",
                                   L"Software\\VB and VBA Program Settings\\Kelvane",
                                   L"Software\\VB and VBA Program Settings\\Kelvane\\Section"};
    std::wstring removed;
    for (const std::wstring& level : levels) {
        HKEY existing = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, level.c_str(), 0, KEY_READ, &existing) != ERROR_SUCCESS) {
            removed = level;
            break;
        }
        RegCloseKey(existing);
    }
    if (removed.empty()) GTEST_SKIP() << "the user's own settings exist; not touching them";
    ScratchKey key(levels[2], removed);
    ASSERT_TRUE(key.created());
    key.setString(L"00", L"12");
    key.setString(L"04", L"0");
    const Settings s = readRendererSettings();
    EXPECT_EQ(s.MaxFireworks, 12);
    EXPECT_EQ(s.StarDensity, 0);
    EXPECT_EQ(s.SmokeSpan, 5);
}
