// The Command button's window; see command_button_window.h.
#include "controls/win32/command_button_window.h"

#include "controls/win32/skin_resources.h"
#include "common/win32/wide_text.h"

namespace lumora::win32 {

namespace {
bool sameFont(const ButtonFont& a, const ButtonFont& b) {
    return a.name == b.name && a.sizePoints == b.sizePoints && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikethrough == b.strikethrough;
}
}  // namespace

CommandButtonWindow* CommandButtonWindow::create(HWND parent, int id, int x, int y, int width, int height,
                                                 const PropertyBag& properties, const ButtonFont& ambientFont) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    if (!registerControlClass(kCommandClassName, ownedWindowProc<CommandButtonWindow>, instance)) return nullptr;
    auto* self = new CommandButtonWindow(ambientFont);
    // WM_NCCREATE hands the object to the window, which deletes it at
    // WM_NCDESTROY; a failed creation has sent WM_NCDESTROY too (or nothing
    // at all, when the window never got that far).
    const HWND window =
        CreateWindowExW(0, kCommandClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, width,
                        height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, self);
    if (!window) return nullptr;
    self->command_.readProperties(properties);
    self->command_.onResize(width, height);
    self->setEnabled(self->command_.getEnabled());
    return self;
}

CommandButtonWindow* CommandButtonWindow::from(HWND window) {
    wchar_t name[32] = {};
    if (!window || !GetClassNameW(window, name, 32) || std::wstring_view(name) != kCommandClassName) return nullptr;
    return reinterpret_cast<CommandButtonWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void CommandButtonWindow::setEnabled(bool enabled) {
    command_.setEnabled(enabled);
    EnableWindow(hwnd(), enabled);
}

HFONT CommandButtonWindow::captionFont(const ButtonFont& font) {
    if (font_ && sameFont(font, fontMade_)) return font_;
    if (font_) DeleteObject(font_);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    const int height = -MulDiv(static_cast<int>(font.sizePoints * 100 + 0.5), dpi, 7200);
    font_ = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                        font.strikethrough, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, widen(font.name).c_str());
    fontMade_ = font;
    return font_;
}

int CommandButtonWindow::labelHeight() {
    HDC screen = GetDC(hwnd());
    if (!screen) return 0;
    const HGDIOBJ old = SelectObject(screen, captionFont(command_.font()));
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(hwnd(), screen);
    return metrics.tmHeight;
}

void CommandButtonWindow::paint() {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(hwnd(), &ps);
    command_.paint(surface_, controlSkin());
    if (target && buffer_.load(surface_)) {
        HDC dc = buffer_.dc();
        // A transparent back style ("Visible" false): the face is not shown,
        // what lies beneath is; the caption stays.
        if (command_.backStyle() == 0) paintParentBackground(hwnd(), dc);
        // The label: as wide as the button, centred, transparent, as high
        // as one line of its font.
        const HGDIOBJ oldFont = SelectObject(dc, captionFont(command_.font()));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        const CaptionLayout caption = command_.captionLayout(metrics.tmHeight);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, caption.enabled ? static_cast<COLORREF>(caption.colour) : GetSysColor(COLOR_GRAYTEXT));
        RECT box{caption.left, caption.top, caption.left + caption.width, caption.top + metrics.tmHeight};
        const std::wstring text = widen(caption.text);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, oldFont);
        buffer_.blitTo(target);
    }
    EndPaint(hwnd(), &ps);
}

CommandButtonWindow::~CommandButtonWindow() {
    if (font_) DeleteObject(font_);
}

LRESULT CommandButtonWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = hwnd();
    if (skinnedControlInput(window, command_, message, wParam, lParam)) return 0;
    switch (message) {
    case WM_GETDLGCODE:
        // Space and Enter are the button's; Tab and the rest stay the
        // dialog's navigation.
        if (lParam) {
            const MSG* m = reinterpret_cast<const MSG*>(lParam);
            if ((m->message == WM_KEYDOWN || m->message == WM_KEYUP) && (m->wParam == VK_SPACE || m->wParam == VK_RETURN))
                return DLGC_WANTMESSAGE;
        }
        return DLGC_BUTTON;
    case WM_SIZE:
        command_.onResize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(); return 0;
    case WM_DESTROY: host_.killAllTimers(Command::kTmrMouse + 1); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace lumora::win32
