// controls-gallery.exe: one window showing the skinned controls in every
// scheme, enabled and disabled (tools/controls_gallery/gallery_layout.cpp),
// and an animated GIF player over the window's background. For looking at
// the controls and for the black-box tests, which drive it with the mouse
// and keyboard and read its event log.
//
//   controls-gallery [--log FILE] [--gif FILE] [--url URL]
//
// --log appends one line per event: first "control NAME X Y W H" for each
// control (client pixels; a bar adds its thumb's position and width), then
// "ready" with the client area's screen position and size and the caption
// label's height, then "Click NAME",
// "Change NAME VALUE TICKS", "Scroll NAME VALUE", "LoopsEnded",
// "RemoteLoadComplete W H", "RemoteLoadFailure", "Gif FILE FRAMES" (TICKS:
// the system's milliseconds). --gif loads a file into the player, --url
// downloads one into it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "controls/win32/command_button_window.h"
#include "controls/win32/gif_player_window.h"
#include "controls/win32/scroll_bar_window.h"
#include "tools/controls_gallery/gallery_layout.h"
#include "common/win32/wide_text.h"

namespace {

using namespace lumora;
using namespace lumora::win32;

constexpr wchar_t kClass[] = L"LumoraControlsGallery";
FILE* logFile = nullptr;

void logLine(const std::string& line) {
    if (!logFile) return;
    std::fprintf(logFile, "%s\n", line.c_str());
    std::fflush(logFile);
}

LRESULT CALLBACK galleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct Options {
    std::wstring log, gif, url;
};

Options parse(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring flag = argv[i];
        if (flag == L"--log") o.log = argv[i + 1];
        else if (flag == L"--gif") o.gif = argv[i + 1];
        else if (flag == L"--url") o.url = argv[i + 1];
    }
    return o;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const Options options = parse(__argc, __wargv);
    if (!options.log.empty()) logFile = _wfopen(options.log.c_str(), L"ab");  // binary: plain LF line ends

    WNDCLASSW c{};
    c.lpfnWndProc = galleryProc;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = CreateSolidBrush(static_cast<COLORREF>(colorrefFromRgb(kGalleryBackground)));
    c.lpszClassName = kClass;
    if (!RegisterClassW(&c)) return 1;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, kGalleryWidth, kGalleryHeight};
    AdjustWindowRect(&frame, style, FALSE);
    const HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kClass, L"Lumora controls gallery", style, 40, 40,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                        nullptr);
    if (!window) return 1;

    // The settings dialog's ambient font.
    ButtonFont ambient;
    ambient.name = "MS UI Gothic";
    ambient.sizePoints = 9;
    int labelHeight = 0;
    int id = 100;
    for (const GalleryControl& g : galleryControls()) {
        const std::string name = g.name;
        if (g.kind == GalleryControl::Kind::Button) {
            CommandButtonWindow* b = CommandButtonWindow::create(window, id++, g.x, g.y, g.width, g.height, g.properties, ambient);
            if (!b) continue;
            logLine("control " + name + " " + std::to_string(g.x) + " " + std::to_string(g.y) + " " +
                    std::to_string(g.width) + " " + std::to_string(g.height));
            b->control().onClick = [name] { logLine("Click " + name); };
            b->control().Initialize();
            labelHeight = b->labelHeight();
        } else {
            ScrollBarWindow* s = ScrollBarWindow::create(window, id++, g.x, g.y, g.width, &g.properties);
            if (!s) continue;
            VellumXPHScrollBar& bar = s->control();
            logLine("control " + name + " " + std::to_string(g.x) + " " + std::to_string(g.y) + " " +
                    std::to_string(bar.width()) + " 17 " + std::to_string(bar.state().ThumbPos) + " " +
                    std::to_string(bar.state().ThumbWidth));
            bar.onChange = [name, &bar] {
                logLine("Change " + name + " " + std::to_string(bar.value()) + " " + std::to_string(GetTickCount()));
            };
            bar.onScroll = [name, &bar] { logLine("Scroll " + name + " " + std::to_string(bar.value())); };
        }
    }

    PropertyBag gifProperties;
    gifProperties.writeInt("Stretch", 0, 1);  // the canvas as it is, from the top-left corner
    GifPlayerWindow* gif = GifPlayerWindow::create(window, id++, kGalleryGifX, kGalleryGifY, kGalleryGifWidth,
                                                   kGalleryGifHeight, gifProperties);
    if (gif) {
        logLine("control gif " + std::to_string(kGalleryGifX) + " " + std::to_string(kGalleryGifY) + " " +
                std::to_string(kGalleryGifWidth) + " " + std::to_string(kGalleryGifHeight));
        gif->unitsPerPixel = 1;
        gif->onLoopsEnded = [] { logLine("LoopsEnded"); };
        gif->onClick = [] { logLine("Click gif"); };
        gif->onRemoteLoadComplete = [](float w, float h, bool&) {
            logLine("RemoteLoadComplete " + std::to_string(static_cast<int>(w)) + " " + std::to_string(static_cast<int>(h)));
        };
        gif->onRemoteLoadFailure = [] { logLine("RemoteLoadFailure"); };
        if (!options.gif.empty()) {
            const bool loaded = gif->LoadAnimatedGIF_File(options.gif);
            logLine("Gif " + narrow(options.gif) + " " + std::to_string(loaded ? gif->player().frameCount() : 0));
        }
        if (!options.url.empty()) gif->LoadAnimatedGIF_Remote(options.url);
    }

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    logLine("ready " + std::to_string(origin.x) + " " + std::to_string(origin.y) + " " + std::to_string(kGalleryWidth) +
            " " + std::to_string(kGalleryHeight) + " label " + std::to_string(labelHeight));

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab between the controls, as in a dialog.
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (logFile) std::fclose(logFile);
    return 0;
}
