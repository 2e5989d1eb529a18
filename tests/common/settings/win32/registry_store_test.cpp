// The registry store against the real registry, on a scratch key: texts in
// any script go in and come back unchanged and are stored as UTF-16 REG_SZ
// (what the renderer and the registry editor see), missing values read as
// missing, long and changing values are read whole, and the settings load
// writes exactly the eight renderer defaults into an empty section.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>

#include "common/settings/read_settings.h"
#include "frontend/win32/program_files.h"
#include "common/settings/win32/registry_store.h"
#include "common/win32/wide_text.h"

using namespace lumora;
using namespace lumora::win32;

namespace {

const wchar_t kScratchRoot[] = L"Software\\Lumora front end tests";
const wchar_t kScratchKey[] = L"Software\\Lumora front end tests\\store";

// Removes the scratch tree before and after each test.
class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratchRoot); }

    static HKEY openScratch() {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return nullptr;
        return key;
    }
    static void setRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        HKEY key = openScratch();
        ASSERT_NE(key, nullptr);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    // The value as stored: its type and its UTF-16 text up to the terminator.
    static bool rawString(const wchar_t* name, DWORD& type, std::wstring& text) {
        wchar_t buffer[512] = {};
        DWORD bytes = sizeof buffer - sizeof(wchar_t);
        if (RegGetValueW(HKEY_CURRENT_USER, kScratchKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &bytes) !=
            ERROR_SUCCESS)
            return false;
        text = buffer;
        return true;
    }
    // Every value of the scratch key, name to text.
    static std::map<std::wstring, std::wstring> allValues() {
        std::map<std::wstring, std::wstring> values;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
        for (DWORD i = 0;; ++i) {
            wchar_t name[64] = {};
            wchar_t data[64] = {};
            DWORD nameChars = 64, dataBytes = sizeof data - sizeof(wchar_t), type = 0;
            if (RegEnumValueW(key, i, name, &nameChars, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataBytes) !=
                ERROR_SUCCESS)
                break;
            values[name] = type == REG_SZ ? data : L"(not REG_SZ)";
        }
        RegCloseKey(key);
        return values;
    }
};

}  // namespace

TEST_F(RegistryStoreTest, TextsInAnyScriptRoundTripAsUtf16Strings) {
    // UTF-8 in, what the registry must hold (written out independently of
    // the converter under test), and the same UTF-8 back.
    struct Case {
        const char* name;
        std::string utf8;
        std::wstring stored;
    };
    const Case cases[] = {
        {"00", "10", L"10"},
        {"08", "-3", L"-3"},
        {"10", "C:\\音楽\\花火 の 夜.mp3", L"C:\\\u97F3\u697D\\\u82B1\u706B \u306E \u591C.mp3"},
        {"11", "D:\\Musique\\Été à Noël.wav", L"D:\\Musique\\\u00C9t\u00E9 \u00E0 No\u00EBl.wav"},
        {"12", "E:\\\xF0\x9F\x8E\x86.mp3", L"E:\\\U0001F386.mp3"},  // beyond the BMP: a surrogate pair
        {"13", "", L""},
    };
    RegistryStore writer(kScratchKey);
    for (const Case& c : cases) ASSERT_TRUE(writer.writeValue(c.name, c.utf8)) << c.name;

    RegistryStore reader(kScratchKey);  // a fresh store: nothing cached
    for (const Case& c : cases) {
        std::string back = "unchanged";
        EXPECT_TRUE(reader.readValue(c.name, back)) << c.name;
        EXPECT_EQ(back, c.utf8) << c.name;
        DWORD type = 0;
        std::wstring raw;
        ASSERT_TRUE(rawString(widen(c.name).c_str(), type, raw)) << c.name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << c.name;
        EXPECT_EQ(raw, c.stored) << c.name;
    }
    // Overwriting replaces the text, longer or shorter.
    ASSERT_TRUE(writer.writeValue("10", "x"));
    std::string back;
    ASSERT_TRUE(reader.readValue("10", back));
    EXPECT_EQ(back, "x");
}

TEST_F(RegistryStoreTest, MissingKeyMissingValueAndOtherTypesReadAsMissing) {
    RegistryStore store(kScratchKey);
    std::string text = "unchanged";
    EXPECT_FALSE(store.readValue("00", text));  // no key at all
    HKEY key = openScratch();
    ASSERT_NE(key, nullptr);
    RegCloseKey(key);
    EXPECT_FALSE(store.readValue("00", text));  // key, no value
    const DWORD number = 7;
    setRaw(L"01", REG_DWORD, &number, sizeof number);
    EXPECT_FALSE(store.readValue("01", text));
    setRaw(L"02", REG_BINARY, "\x01\x02\x03", 3);
    EXPECT_FALSE(store.readValue("02", text));

    // The renderer's path with its trailing separator names the same key.
    RegistryStore trailing(std::wstring(kScratchKey) + L"\\");
    ASSERT_TRUE(trailing.writeValue("03", "5"));
    ASSERT_TRUE(store.readValue("03", text));
    EXPECT_EQ(text, "5");
}

TEST_F(RegistryStoreTest, OddlyStoredStringsAreReadWithinTheirData) {
    RegistryStore store(kScratchKey);
    std::string text;
    // No terminator stored: all three characters.
    setRaw(L"00", REG_SZ, L"abc", 3 * sizeof(wchar_t));
    ASSERT_TRUE(store.readValue("00", text));
    EXPECT_EQ(text, "abc");
    // An odd byte count: the half character is dropped.
    setRaw(L"01", REG_SZ, L"xyz", 5);
    ASSERT_TRUE(store.readValue("01", text));
    EXPECT_EQ(text, "xy");
    // An embedded NUL ends the text.
    setRaw(L"02", REG_SZ, L"12\0" L"34", 6 * sizeof(wchar_t));
    ASSERT_TRUE(store.readValue("02", text));
    EXPECT_EQ(text, "12");
    // Empty data.
    setRaw(L"03", REG_SZ, L"", 0);
    ASSERT_TRUE(store.readValue("03", text));
    EXPECT_EQ(text, "");
    // REG_EXPAND_SZ is a string too, taken without expansion.
    setRaw(L"04", REG_EXPAND_SZ, L"%TEMP%\\a.mp3", 13 * sizeof(wchar_t));
    ASSERT_TRUE(store.readValue("04", text));
    EXPECT_EQ(text, "%TEMP%\\a.mp3");
    // An unpaired surrogate cannot be UTF-8: it becomes U+FFFD.
    const wchar_t lone[] = {L'a', 0xD800, L'b', 0};
    setRaw(L"05", REG_SZ, lone, sizeof lone);
    ASSERT_TRUE(store.readValue("05", text));
    EXPECT_EQ(text, "a\xEF\xBF\xBD" "b");
}

TEST_F(RegistryStoreTest, AMegabyteValueRoundTrips) {
    RegistryStore store(kScratchKey);
    std::string big(1 << 20, 'x');
    for (std::size_t i = 0; i < big.size(); i += 4096) big[i] = static_cast<char>('a' + (i / 4096) % 26);
    big += "終";  // and a multibyte character at the very end
    ASSERT_TRUE(store.writeValue("10", big));
    std::string back;
    ASSERT_TRUE(store.readValue("10", back));
    EXPECT_EQ(back.size(), big.size());
    EXPECT_TRUE(back == big);
}

TEST_F(RegistryStoreTest, AValueChangingSizeWhileReadIsReadWhole) {
    // Another thread rewrites the value between a short and a long text as
    // fast as it can; every read must give one of the two, never a cut or
    // padded text.
    const std::string shortText = "short";
    const std::string longText(200000, 'L');
    RegistryStore store(kScratchKey);
    ASSERT_TRUE(store.writeValue("10", shortText));
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        RegistryStore own(kScratchKey);
        for (int i = 0; !stop; ++i) own.writeValue("10", (i % 2) ? longText : shortText);
    });
    int shortReads = 0, longReads = 0, failures = 0, wrong = 0;
    for (int i = 0; i < 300; ++i) {
        std::string text;
        if (!store.readValue("10", text)) ++failures;
        else if (text == shortText) ++shortReads;
        else if (text == longText) ++longReads;
        else ++wrong;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(wrong, 0);
    // A failure is allowed only when the value kept changing for every round
    // of one read; it must stay rare.
    EXPECT_LT(failures, 30);
    std::printf("short %d, long %d, failed %d\n", shortReads, longReads, failures);
}

TEST_F(RegistryStoreTest, FirstLoadIntoAnEmptySectionWritesTheEightDefaultsOnly) {
    RegistryStore store(kScratchKey);
    Settings live = zeroSettings();
    ReadSettings(live, store, fileExistsUtf8);
    const std::map<std::wstring, std::wstring> expected = {
        {L"00", L"10"}, {L"01", L"5"},  {L"02", L"20"}, {L"03", L"10"},
        {L"04", L"20"}, {L"05", L"20"}, {L"06", L"1"},  {L"07", L"1"},
    };
    EXPECT_EQ(allValues(), expected);
    EXPECT_EQ(live.MaxFireworks, 10);
    EXPECT_EQ(live.Illumination, 1);
    EXPECT_EQ(live.BgmSource, 0);
    EXPECT_EQ(live.BgmFile, "");

    // A second load finds them and writes nothing new.
    Settings again = zeroSettings();
    ReadSettings(again, store, fileExistsUtf8);
    EXPECT_EQ(allValues(), expected);
    EXPECT_EQ(again.WindSpeed, 20);
}
