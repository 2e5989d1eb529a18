// What both shipped programs carry besides their code, read back from the
// built files next to this test: the application manifest (the renderer
// aware of each monitor's DPI, the front end unaware but GDI-scaled; nothing
// but the XML declaration before the root element) and the version
// resource ("Lumora", 1.0.0, a description); and in the front end the
// skinned controls' bitmaps, as the same pixels the art files hold.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "controls/art/art_files.h"
#include "controls/paint/dib_reader.h"
#include "controls/paint/skin.h"

namespace {

std::wstring besideTest(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::string manifestOf(const std::wstring& path) {
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return {};
    std::string text;
    if (const HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */)) {
        const HGLOBAL loaded = LoadResource(module, info);
        if (const void* data = loaded ? LockResource(loaded) : nullptr)
            text.assign(static_cast<const char*>(data), SizeofResource(module, info));
    }
    FreeLibrary(module);
    return text;
}

// One string of the Japanese Unicode block of the version resource.
std::wstring versionString(const std::vector<char>& info, const wchar_t* name) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    void* value = nullptr;
    UINT chars = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &chars) || !value) return {};
    return std::wstring(static_cast<const wchar_t*>(value));
}

}  // namespace

TEST(ProgramResources, ManifestsAndVersionsOfBothPrograms) {
    struct Program {
        const wchar_t* file;
        const char* awareness;  // the dpiAwareness element's text
        const char* aware;      // the dpiAware element's text
        bool gdiScaling;
    };
    for (const Program& p : {Program{L"Lumora.dll", ">PerMonitorV2<", ">true/pm<", false},
                             Program{L"Lumora.scr", ">unaware<", ">false<", true}}) {
        const std::wstring path = besideTest(p.file);
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        const std::string manifest = manifestOf(path);
        ASSERT_FALSE(manifest.empty()) << "no manifest resource";
        EXPECT_NE(manifest.find(p.awareness), std::string::npos) << manifest;
        EXPECT_NE(manifest.find(p.aware), std::string::npos) << manifest;
        EXPECT_EQ(manifest.find("<gdiScaling xmlns=\"http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true<") !=
                      std::string::npos,
                  p.gdiScaling)
            << manifest;
        // Some loaders refuse a comment before the root element.
        const size_t declarationEnd = manifest.find("?>");
        ASSERT_EQ(manifest.rfind("<?xml", 0), 0u);
        ASSERT_NE(declarationEnd, std::string::npos);
        EXPECT_EQ(manifest.find_first_not_of(" \t\r\n", declarationEnd + 2), manifest.find("<assembly"));

        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource";
        std::vector<char> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT fixedSize = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);  // 1.0
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);           // .0.0
        EXPECT_EQ(versionString(info, L"ProductName"), L"Lumora");
        EXPECT_EQ(versionString(info, L"ProductVersion"), L"1.0.0");
        EXPECT_EQ(versionString(info, L"OriginalFilename"), p.file);
        EXPECT_EQ(versionString(info, L"FileDescription").rfind(L"Lumora ", 0), 0u);  // "Lumora " and Japanese
    }
}

TEST(ProgramResources, TheFrontEndCarriesEveryControlBitmap) {
    const HMODULE module = LoadLibraryExW(besideTest(L"Lumora.scr").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    for (const lumora::ArtFile& art : lumora::kArtFiles) {
        SCOPED_TRACE(art.file);
        const HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(art.id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
        ASSERT_NE(info, nullptr);
        const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, info)));
        const auto fromResource = lumora::readDib({data, SizeofResource(module, info)});
        const auto fromFile = lumora::readDib(lumora::readFileBytes(std::string(LUMORA_CONTROL_ART_DIR "/") + art.file));
        ASSERT_TRUE(fromResource && fromFile);
        EXPECT_EQ(fromResource->width, art.width);
        EXPECT_EQ(fromResource->height, art.height);
        EXPECT_EQ(fromResource->pixels, fromFile->pixels);
    }
    FreeLibrary(module);
}
