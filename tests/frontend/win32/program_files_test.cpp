// The Windows side of the front end's file handling: the wide open test
// behind FileExists (folders, locked files, names in any script), and the
// icon resource built into Lumora.scr (which lies beside this test program)
// with the tray's choice among its sizes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "frontend/win32/program_files.h"
#include "frontend/win32/scr_resource.h"
#include "frontend/win32/tray_icon.h"
#include "common/win32/wide_text.h"

using namespace lumora::win32;

namespace {

// A scratch folder under the temporary folder, removed with its files.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* name) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + name;
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const std::wstring& f : files_) DeleteFileW(f.c_str());
        RemoveDirectoryW(path_.c_str());
    }
    // Makes a file in the folder and returns its path.
    std::wstring file(const std::wstring& name) {
        const std::wstring p = path_ + L"\\" + name;
        const HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(h, "data", 4, &written, nullptr);
            CloseHandle(h);
        }
        files_.push_back(p);
        return p;
    }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

}  // namespace

TEST(ProgramFiles, OpenTestTakesPlainReadableFilesOnly) {
    ScratchFolder folder(L"lumora files \u82B1\u706B");
    const std::wstring plain = folder.file(L"plain.txt");
    const std::wstring japanese = folder.file(L"\u66F2 \u00E9t\u00E9.mp3");
    EXPECT_TRUE(openableForReadingW(plain));
    EXPECT_TRUE(openableForReadingW(japanese));
    EXPECT_FALSE(openableForReadingW(folder.path()));
    EXPECT_FALSE(openableForReadingW(folder.path() + L"\\missing.txt"));
    EXPECT_FALSE(openableForReadingW(L""));

    // A file another program holds with no sharing cannot be opened.
    const HANDLE held = CreateFileW(plain.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(openableForReadingW(plain));
    CloseHandle(held);
    // A reader that lets others read does not stop us.
    const HANDLE shared = CreateFileW(plain.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(shared, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(openableForReadingW(plain));
    CloseHandle(shared);
}

TEST(ProgramFiles, FileExistsOnUtf8PathsDropsOneTrailingSeparator) {
    ScratchFolder folder(L"lumora exists \u00E9");
    const std::string file = narrow(folder.file(L"\u66F2.wav"));
    const std::string dir = narrow(folder.path());
    EXPECT_TRUE(fileExistsUtf8(file));
    EXPECT_TRUE(fileExistsUtf8(file + "\\"));
    EXPECT_FALSE(fileExistsUtf8(file + "\\\\"));
    EXPECT_FALSE(fileExistsUtf8(dir));
    EXPECT_FALSE(fileExistsUtf8(dir + "\\"));
    EXPECT_FALSE(fileExistsUtf8(""));
    EXPECT_FALSE(fileExistsUtf8("\\"));
    EXPECT_FALSE(fileExistsUtf8("a\xFF.mp3"));  // not UTF-8: no such file, no crash
}

TEST(IconResource, LumoraScrCarriesTheNotificationAreaSizesIn256Colours) {
    const std::wstring scr = ownFolder() + L"\\Lumora.scr";
    const HMODULE module = LoadLibraryExW(scr.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << "cannot load " << narrow(scr);
    const HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(LUMORA_SCR_ICON_ID), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    // The group: a 6-byte header, then 14-byte entries.
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    ASSERT_NE(bytes, nullptr);
    const int sizes[] = {16, 20, 24, 32, 48};
    ASSERT_EQ(bytes[4] | (bytes[5] << 8), 5);
    ASSERT_GE(SizeofResource(module, group), 6u + 5u * 14u);
    for (int i = 0; i < 5; ++i) {
        const BYTE* entry = bytes + 6 + 14 * i;
        const int n = sizes[i];
        EXPECT_EQ(entry[0], n);                    // width
        EXPECT_EQ(entry[1], n);                    // height
        EXPECT_EQ(entry[2], 0);                    // 0 = 256 colours
        EXPECT_EQ(entry[6] | (entry[7] << 8), 8);  // bits per pixel
        const WORD imageId = static_cast<WORD>(entry[12] | (entry[13] << 8));
        const HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(imageId), RT_ICON);
        ASSERT_NE(image, nullptr) << n;
        // Header, 256-entry palette, 8-bit colour rows and the 1-bit mask,
        // each row padded to 4 bytes.
        const unsigned colourRow = (n + 3) / 4 * 4, maskRow = (n + 31) / 32 * 4;
        EXPECT_EQ(SizeofResource(module, image), 40u + 1024u + (colourRow + maskRow) * n) << n;
    }
    // The tray icon is loaded at the small-icon size of this display.
    {
        const UniqueIcon tray = loadTrayIcon(module, LUMORA_SCR_ICON_ID);
        ASSERT_TRUE(tray);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(tray.get(), &info));
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXSMICON));
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    FreeLibrary(module);
}
