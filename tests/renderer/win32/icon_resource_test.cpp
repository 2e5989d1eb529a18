// The shipped program's class icon, read from the built Lumora.dll (next to
// this test) as resources: group 7002 holds one 32 x 32, 16-colour image of
// 744 bytes, which the system accepts as an icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "renderer/win32/resource.h"

namespace {

std::wstring programPath() {
    wchar_t self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Lumora.dll";
}

// The group-icon resource layout (packed, as stored).
#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

class Resources {
public:
    Resources() : module_(LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~Resources() {
        if (module_) FreeLibrary(module_);
    }
    HMODULE get() const { return module_; }
    // The bytes of one resource, empty if missing.
    std::string bytes(LPCWSTR name, LPCWSTR type) const {
        const HRSRC info = FindResourceW(module_, name, type);
        if (!info) return {};
        const HGLOBAL loaded = LoadResource(module_, info);
        const void* data = loaded ? LockResource(loaded) : nullptr;
        return data ? std::string(static_cast<const char*>(data), SizeofResource(module_, info)) : std::string{};
    }

private:
    HMODULE module_;
};

}  // namespace

TEST(IconResource, OneSixteenColourImageOf744Bytes) {
    const Resources res;
    ASSERT_NE(res.get(), nullptr) << "cannot open Lumora.dll next to the test";

    const std::string group = res.bytes(MAKEINTRESOURCEW(LUMORA_ICON_ID), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_EQ(group.size(), sizeof(GroupIconHeader) + sizeof(GroupIconEntry));
    GroupIconHeader header;
    GroupIconEntry entry;
    std::memcpy(&header, group.data(), sizeof header);
    std::memcpy(&entry, group.data() + sizeof header, sizeof entry);
    EXPECT_EQ(header.type, 1);
    EXPECT_EQ(header.count, 1);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.colorCount, 16);
    EXPECT_EQ(entry.bitCount, 4);
    EXPECT_EQ(entry.bytesInRes, 744u);

    std::string image = res.bytes(MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3) /* RT_ICON */);
    ASSERT_EQ(image.size(), 744u);

    // The system accepts the image.
    const HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()), 744, TRUE, 0x00030000, 32,
                                                32, LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);

    // And the class gets it by number, as the program loads it.
    EXPECT_NE(LoadIconW(res.get(), MAKEINTRESOURCEW(LUMORA_ICON_ID)), nullptr);
}
