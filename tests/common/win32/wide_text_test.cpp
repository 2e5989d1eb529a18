// UTF-8 <-> UTF-16 as every Windows program of ours converts: round trips in
// any script, and bad input that never fails.
#include <gtest/gtest.h>

#include <string>

#include "common/win32/wide_text.h"

using namespace lumora::win32;

TEST(WideText, RoundTripsAndMalformedInput) {
    const std::string mixed = "Lumora.dll が Lumora.scr と同じﾌｫﾙﾀﾞに見つかりません！ Été \xF0\x9F\x8E\x86";
    EXPECT_EQ(narrow(widen(mixed)), mixed);
    EXPECT_EQ(widen("ﾌｫﾙﾀﾞ"), L"\uFF8C\uFF6B\uFF99\uFF80\uFF9E");  // half-width kana stay half-width
    EXPECT_EQ(widen(""), L"");
    EXPECT_EQ(narrow(L""), "");
    // Invalid UTF-8 (a stray byte, a cut sequence) becomes U+FFFD, and the
    // text around it survives.
    EXPECT_EQ(widen("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(widen("a\xE3\x81"), L"a\uFFFD");
    // Embedded NULs are text like any other.
    EXPECT_EQ(widen(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}
