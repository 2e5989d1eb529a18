// The settings dialog's window; see settings_dialog.h.
//
// The form (class "Lumora_M") holds the picture box Pic_C, the two plate
// sources and the three buttons. Pic_C keeps a persistent picture (the
// background with the heading plates blitted in, mask with AND and plate
// with OR) and paints over it, on every repaint, the section frames, the
// radio pictures and the labels; the scroll bars, combo boxes, the "..."
// button and the banner are its child windows. The form paints its border
// in horizontal lines. Every rule (what a click does, what OK writes) is
// SettingsForm's; this file only turns window events into its calls and its
// calls into window changes.
#include "frontend/win32/settings_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/win32/command_button_window.h"
#include "controls/win32/gif_player_window.h"
#include "controls/win32/scroll_bar_window.h"
#include "frontend/art/dialog_art_ids.h"
#include "frontend/dialog/settings_form.h"
#include "common/win32/handles.h"
#include "frontend/win32/program_files.h"
#include "common/win32/wide_text.h"
#include "frontend/win32/zoom.h"

namespace lumora::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"Lumora_M";
constexpr wchar_t kPictureClass[] = L"LumoraPictureBox";
constexpr wchar_t kTitle[] = L"Lumora";

// Control ids. IDOK and IDCANCEL (1, 2) stay free for the keyboard's Enter
// and Esc, which the dialog manager sends as commands.
enum : int {
    kIdLevel = 100,  // + i
    kIdTrack = 110,
    kIdCmdBgm = 111,
    kIdHour = 120,    // + slot
    kIdMinute = 130,  // + slot
    kIdBanner = 140,
    kIdButton = 150,  // + FormButton
    kIdImgT1 = 160,
    kIdImgT2 = 161,
    kIdPicture = 170,
};

// The labels' colours over the night-blue panel, and the headings' over
// the gold plates.
constexpr COLORREF kLabelColour = RGB(236, 240, 255);
constexpr COLORREF kHeadingColour = RGB(22, 32, 64);
constexpr COLORREF kVersionColour = RGB(168, 182, 220);

// A line for whoever watches the debug output (the black-box tests do):
// what the dialog shows, as it changes.
void trace(const std::string& line) { OutputDebugStringA(("Lumora: settings: " + line + "\n").c_str()); }

const char* groupName(RadioGroup group) {
    switch (group) {
    case RadioGroup::Cloud: return "Img_Cloud";
    case RadioGroup::Illu: return "Img_Illu";
    case RadioGroup::Bgm: return "Img_BGM";
    case RadioGroup::Off: return "Img_Off";
    case RadioGroup::On: return "Img_On";
    }
    return "?";
}

COLORREF colorref(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

RECT pixelRect(const TwipsRect& t) {
    const PixelRect p = toPixels(t);
    return {p.left, p.top, p.left + p.width, p.top + p.height};
}

UniqueFont makeFont(bool bold) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return UniqueFont(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic"));
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

class SettingsDialog final : public SettingsFormView {
public:
    SettingsDialog(HINSTANCE instance, HWND owner, Settings& live, SettingsStore& store)
        : instance_(instance), owner_(owner), core_(*this, live, store, fileExistsUtf8) {
        pictures_.fill(-1);
    }
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    void run();

    // SettingsFormView
    void setLevelValue(int i, int32_t value) override {
        if (bars_[i]) bars_[i]->control().setValue(value);
    }
    int32_t levelValue(int i) override { return bars_[i] ? bars_[i]->control().value() : 0; }
    void setLevelLabel(int i, const std::string& text) override {
        levelLabels_[i] = text;
        trace("HS(" + std::to_string(i) + ") " + std::to_string(levelValue(i)) + " " + text);
        invalidatePicture();
    }
    void setRadioPicture(RadioGroup group, int index, bool selected) override;
    void setMusicButtonEnabled(bool enabled) override {
        if (cmdBgm_) cmdBgm_->setEnabled(enabled);
    }
    void setTrackBoxEnabled(bool enabled) override { EnableWindow(combo(ComboKind::BgmRepeat, 0), enabled); }
    void addComboItem(ComboKind kind, int slot, const std::string& item) override {
        SendMessageW(combo(kind, slot), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
    }
    void setComboText(ComboKind kind, int slot, const std::string& text) override {
        SetWindowTextW(combo(kind, slot), widen(text).c_str());
    }
    std::string comboText(ComboKind kind, int slot) override { return narrow(windowText(combo(kind, slot))); }
    void setFileLabel(const std::string& text) override {
        fileLabel_ = text;
        invalidatePicture();
    }
    void showError(const std::string& text) override {
        MessageBoxW(form_, widen(text).c_str(), kTitle, MB_OK | MB_ICONSTOP);
    }
    std::optional<std::string> chooseMusicFile() override;
    void unload() override { closed_ = true; }
    std::optional<FocusStop> focusedStop() override;
    bool stopEnabled(FocusStop stop) override {
        const HWND w = stopWindow(stop);
        return w && IsWindowEnabled(w) && IsWindowVisible(w);
    }
    void focus(FocusStop stop) override;

    LRESULT formMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT pictureMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void attachForm(HWND window) { form_ = window; }
    void attachPicture(HWND window) { pic_ = window; }

private:
    bool create();
    void createPictureControls();
    void loadArt();
    void drawPlates();
    void paintPicture(HDC target);
    void paintBorder(HDC dc);
    void drawLabels(HDC dc);
    int choiceAt(POINT p) const;
    HWND combo(ComboKind kind, int slot) const;
    HWND stopWindow(FocusStop stop) const;
    void invalidatePicture() {
        if (pic_) InvalidateRect(pic_, nullptr, FALSE);
    }

    HINSTANCE instance_;
    HWND owner_;
    HWND form_ = nullptr, pic_ = nullptr;
    SettingsForm core_;

    std::array<ScrollBarWindow*, kLevelCount> bars_{};
    HWND track_ = nullptr;
    std::array<HWND, 3> hours_{}, minutes_{};
    CommandButtonWindow* cmdBgm_ = nullptr;
    std::array<CommandButtonWindow*, 3> formButtons_{};  // by FormButton
    GifPlayerWindow* banner_ = nullptr;
    // The control that had the focus when the form was last deactivated.
    HWND focusBeforeDeactivation_ = nullptr;

    std::array<std::string, kLevelCount> levelLabels_;
    std::string fileLabel_;
    // Per radio choice (radioChoices() order): -1 no picture, 0 unselected, 1 selected.
    std::array<int, 13> pictures_{};
    std::array<RECT, 13> choiceLabelRects_{};
    int pressedChoice_ = -1;

    UniqueFont font_, headingFont_;
    UniqueBitmap background_, plate_, plateMask_, radioOff_, radioOn_;
    // Pic_C's persistent picture: the background and the plates.
    UniqueDc persistentDc_;
    UniqueBitmap persistent_;
    HGDIOBJ persistentPrevious_ = nullptr;

    bool closed_ = false;
};

template <class Member>
LRESULT CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* dialog = static_cast<SettingsDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
        Member::attach(*dialog, window);
    }
    auto* dialog = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!dialog) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        Member::attach(*dialog, nullptr);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return Member::handle(*dialog, message, wParam, lParam);
}
struct FormMember {
    static void attach(SettingsDialog& d, HWND w) { d.attachForm(w); }
    static LRESULT handle(SettingsDialog& d, UINT m, WPARAM w, LPARAM l) { return d.formMessage(m, w, l); }
};
struct PictureMember {
    static void attach(SettingsDialog& d, HWND w) { d.attachPicture(w); }
    static LRESULT handle(SettingsDialog& d, UINT m, WPARAM w, LPARAM l) { return d.pictureMessage(m, w, l); }
};

bool registerClasses(HINSTANCE instance) {
    WNDCLASSW form{};
    form.lpfnWndProc = dialogProc<FormMember>;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.lpszClassName = kFormClass;
    WNDCLASSW picture{};
    picture.lpfnWndProc = dialogProc<PictureMember>;
    picture.hInstance = instance;
    picture.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    picture.lpszClassName = kPictureClass;
    WNDCLASSW existing{};
    const bool formOk = GetClassInfoW(instance, kFormClass, &existing) || RegisterClassW(&form);
    const bool pictureOk = GetClassInfoW(instance, kPictureClass, &existing) || RegisterClassW(&picture);
    return formOk && pictureOk;
}

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

bool SettingsDialog::create() {
    if (!registerClasses(instance_)) return false;
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    font_ = makeFont(false);
    headingFont_ = makeFont(true);

    // The outer size that gives the client area Pic_C and its border need,
    // and the place: centred across, a third of the way down the screen.
    RECT frame{0, 0, kFormClientWidthTwips / kTwipsPerPixel, kFormClientHeightTwips / kTwipsPerPixel};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const ScreenPoint at = formPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
    if (!CreateWindowExW(kFormExStyle, kFormClass, widen(kSettingsFormCaption).c_str(), kFormStyle, at.x, at.y, width,
                         height, owner_, nullptr, instance_, this))
        return false;

    // The form's own children: the three buttons first, so they lie above
    // Pic_C, which they overlap.
    ButtonFont ambient;
    ambient.name = "MS UI Gothic";
    ambient.sizePoints = 9;
    for (const ButtonPlace& place : kFormButtons) {
        PropertyBag bag;
        bag.writeString("Caption", place.caption, Command::kDefaultCaption);
        const PixelRect r = toPixels(place.rect);
        CommandButtonWindow* b =
            CommandButtonWindow::create(form_, kIdButton + int(place.button), r.left, r.top, r.width, r.height, bag, ambient);
        if (!b) continue;
        formButtons_[std::size_t(place.button)] = b;
        b->control().Initialize();
        switch (place.button) {
        case FormButton::Init: b->control().onClick = [this] { core_.Cmd_Init_Click(); }; break;
        case FormButton::Set: b->control().onClick = [this] { core_.Cmd_Set_Click(); }; break;
        case FormButton::Can: b->control().onClick = [this] { core_.Cmd_Can_Click(); }; break;
        }
    }
    loadArt();
    // The plate sources, outside the visible area.
    const struct {
        TwipsRect place;
        HBITMAP bitmap;
        int id;
    } sources[] = {{kImgT1, plate_.get(), kIdImgT1}, {kImgT2, plateMask_.get(), kIdImgT2}};
    for (const auto& s : sources) {
        const PixelRect r = toPixels(s.place);
        const HWND image = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, r.left, r.top, r.width,
                                           r.height, form_, reinterpret_cast<HMENU>(INT_PTR(s.id)), instance_, nullptr);
        if (image && s.bitmap) SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(s.bitmap));
    }

    const PixelRect pic = toPixels(kPicC);
    if (!CreateWindowExW(WS_EX_CONTROLPARENT, kPictureClass, L"Pic_C",
                         WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, pic.left, pic.top, pic.width,
                         pic.height, form_, reinterpret_cast<HMENU>(INT_PTR(kIdPicture)), instance_, this))
        return false;
    SetWindowPos(pic_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    createPictureControls();
    drawPlates();
    return true;
}

void SettingsDialog::loadArt() {
    auto bitmap = [this](int id) {
        return UniqueBitmap(static_cast<HBITMAP>(
            LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    };
    background_ = bitmap(IDB_DIALOG_BACKGROUND);
    plate_ = bitmap(IDB_HEADING_PLATE);
    plateMask_ = bitmap(IDB_HEADING_PLATE_MASK);
    radioOff_ = bitmap(IDB_RADIO_OFF);
    radioOn_ = bitmap(IDB_RADIO_ON);
}

// Pic_C's children in tab order: the six bars, the track box, "...", the
// alarm rows' boxes; the banner takes no focus.
void SettingsDialog::createPictureControls() {
    for (int i = 0; i < kLevelCount; ++i) {
        const PixelRect r = toPixels(levelBarRect(i));
        const PropertyBag bag = levelBarProperties(i);
        bars_[i] = ScrollBarWindow::create(pic_, kIdLevel + i, r.left, r.top, r.width, &bag);
        if (!bars_[i]) continue;
        bars_[i]->control().onChange = [this, i] { core_.HS_Change(i); };
        bars_[i]->control().onScroll = [this, i] { core_.HS_Change(i); };
    }
    auto makeCombo = [this](ComboKind kind, int slot, int id) {
        const PixelRect r = toPixels(comboRect(kind, slot));
        // The height given to a drop-down combo box includes its list.
        const HWND box = CreateWindowExW(0, L"COMBOBOX", L"",
                                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                         r.left, r.top, r.width, 200, pic_, reinterpret_cast<HMENU>(INT_PTR(id)),
                                         instance_, nullptr);
        if (box) SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return box;
    };
    track_ = makeCombo(ComboKind::BgmRepeat, 0, kIdTrack);

    ButtonFont ambient;
    ambient.name = "MS UI Gothic";
    ambient.sizePoints = 9;
    PropertyBag dots;
    dots.writeString("Caption", "...", Command::kDefaultCaption);
    const PixelRect b = toPixels(kCmdBgm);
    cmdBgm_ = CommandButtonWindow::create(pic_, kIdCmdBgm, b.left, b.top, b.width, b.height, dots, ambient);
    if (cmdBgm_) {
        cmdBgm_->control().Initialize();
        cmdBgm_->control().onClick = [this] { core_.Cmd_BGM_Click(); };
    }
    for (int slot = 0; slot < 3; ++slot) {
        hours_[std::size_t(slot)] = makeCombo(ComboKind::Hour, slot, kIdHour + slot);
        minutes_[std::size_t(slot)] = makeCombo(ComboKind::Minute, slot, kIdMinute + slot);
    }

    // The banner, stored with the form; the picture box measures in pixels.
    PropertyBag gif;
    if (const HRSRC found = FindResourceW(instance_, MAKEINTRESOURCEW(IDR_BANNER_GIF), MAKEINTRESOURCEW(10))) {
        const HGLOBAL loaded = LoadResource(instance_, found);
        const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
        if (bytes) gif.writeBytes("GIF", std::vector<uint8_t>(bytes, bytes + SizeofResource(instance_, found)));
    }
    const PixelRect g = toPixels(kGifBanner);
    banner_ = GifPlayerWindow::create(pic_, kIdBanner, g.left, g.top, g.width, g.height, gif);
    if (banner_) banner_->unitsPerPixel = 1;

    // Where each radio choice's label takes the mouse: as wide as its text.
    HDC dc = GetDC(pic_);
    ScopedSelect select(dc, font_.get());
    const auto choices = radioChoices();
    for (std::size_t k = 0; k < choices.size(); ++k) {
        const std::wstring text = widen(choices[k].text);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        RECT r = pixelRect(choices[k].label);
        r.right = r.left + size.cx;
        r.bottom = r.top + std::max<LONG>(size.cy, r.bottom - r.top);
        choiceLabelRects_[k] = r;
    }
    ReleaseDC(pic_, dc);
}

// The load's plates: a 95 x 22 block of the mask with AND, then of the
// plate with OR, at each placeholder, into the persistent picture.
void SettingsDialog::drawPlates() {
    const PixelRect pic = toPixels(kPicC);
    HDC screen = GetDC(nullptr);
    persistentDc_.reset(CreateCompatibleDC(screen));
    persistent_.reset(CreateCompatibleBitmap(screen, pic.width, pic.height));
    ReleaseDC(nullptr, screen);
    if (!persistentDc_ || !persistent_) return;
    persistentPrevious_ = SelectObject(persistentDc_.get(), persistent_.get());
    RECT all{0, 0, pic.width, pic.height};
    FillRect(persistentDc_.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    UniqueDc source(CreateCompatibleDC(persistentDc_.get()));
    if (background_) {
        ScopedSelect select(source.get(), background_.get());
        BitBlt(persistentDc_.get(), 0, 0, pic.width, pic.height, source.get(), 0, 0, SRCCOPY);
    }
    for (const TwipsRect& slot : kPlateSlots) {
        const PixelRect at = toPixels(slot);
        if (plateMask_) {
            ScopedSelect select(source.get(), plateMask_.get());
            BitBlt(persistentDc_.get(), at.left, at.top, kPlateWidthPx, kPlateHeightPx, source.get(), 0, 0, SRCAND);
        }
        if (plate_) {
            ScopedSelect select(source.get(), plate_.get());
            BitBlt(persistentDc_.get(), at.left, at.top, kPlateWidthPx, kPlateHeightPx, source.get(), 0, 0, SRCPAINT);
        }
    }
    invalidatePicture();
}

void SettingsDialog::paintPicture(HDC target) {
    const PixelRect pic = toPixels(kPicC);
    UniqueDc dc(CreateCompatibleDC(target));
    UniqueBitmap buffer(CreateCompatibleBitmap(target, pic.width, pic.height));
    if (!dc || !buffer) return;
    ScopedSelect selectBuffer(dc.get(), buffer.get());
    if (persistentDc_) BitBlt(dc.get(), 0, 0, pic.width, pic.height, persistentDc_.get(), 0, 0, SRCCOPY);

    // The section frames: hollow rectangles, one pixel, light grey.
    {
        UniquePen pen(CreatePen(PS_SOLID, 1, colorref(kFrameColour)));
        ScopedSelect selectPen(dc.get(), pen.get());
        ScopedSelect selectBrush(dc.get(), GetStockObject(NULL_BRUSH));
        for (const TwipsRect& t : kSectionFrames) {
            const RECT r = pixelRect(t);
            Rectangle(dc.get(), r.left, r.top, r.right, r.bottom);
        }
    }
    // The radio pictures, at the top-left of their images.
    UniqueDc source(CreateCompatibleDC(dc.get()));
    const auto choices = radioChoices();
    for (std::size_t k = 0; k < choices.size(); ++k) {
        const HBITMAP picture = pictures_[k] == 1 ? radioOn_.get() : pictures_[k] == 0 ? radioOff_.get() : nullptr;
        if (!picture) continue;
        BITMAP info{};
        GetObjectW(picture, sizeof(info), &info);
        const RECT at = pixelRect(choices[k].image);
        ScopedSelect select(source.get(), picture);
        BitBlt(dc.get(), at.left, at.top, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    }
    drawLabels(dc.get());
    BitBlt(target, 0, 0, pic.width, pic.height, dc.get(), 0, 0, SRCCOPY);
}

void SettingsDialog::drawLabels(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    ScopedSelect selectFont(dc, font_.get());
    auto draw = [dc](const std::string& text, RECT r, UINT flags, COLORREF colour) {
        SetTextColor(dc, colour);
        const std::wstring wide = widen(text);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, flags | DT_NOPREFIX);
    };
    for (const FormLabel& label : formLabels()) {
        RECT r = pixelRect(label.rect);
        switch (label.kind) {
        case LabelKind::Plain: {
            const bool version = std::string_view(label.text).starts_with("Lumora");
            draw(label.text, r, DT_LEFT | DT_SINGLELINE | DT_NOCLIP, version ? kVersionColour : kLabelColour);
            break;
        }
        case LabelKind::Right: draw(label.text, r, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP, kLabelColour); break;
        case LabelKind::Number:
            draw(levelLabels_[std::size_t(label.index)], r, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP, kLabelColour);
            break;
        case LabelKind::Heading: {
            ScopedSelect bold(dc, headingFont_.get());
            draw(label.text, r, DT_CENTER | DT_SINGLELINE | DT_NOCLIP, kHeadingColour);
            break;
        }
        case LabelKind::File: {
            // A bordered label in the window colours.
            FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
            // A one-pixel sunken edge: inside it two lines of the 9-point
            // font (13 pixels each) fit the box's 29 pixels, where the
            // two-pixel edge would cut the second line's descenders.
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
            InflateRect(&r, -3, -1);
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            const int lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 12;
            const auto measure = [dc](const std::string& text) {
                const std::wstring wide = widen(text);
                SIZE size{};
                GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
                return static_cast<int32_t>(size.cx);
            };
            const std::vector<std::string> lines = fileLabelLines(fileLabel_, r.right - r.left, 2, measure);
            RECT line = r;
            line.top += std::max(0, (int(r.bottom - r.top) - lineHeight * 2) / 2);
            for (const std::string& text : lines) {
                line.bottom = line.top + lineHeight;
                draw(text, line, DT_LEFT | DT_SINGLELINE | DT_NOCLIP, GetSysColor(COLOR_WINDOWTEXT));
                line.top = line.bottom;
            }
            break;
        }
        }
    }
    for (const RadioChoice& choice : radioChoices())
        draw(choice.text, pixelRect(choice.label), DT_LEFT | DT_SINGLELINE | DT_NOCLIP, kLabelColour);
}

// The form's border: horizontal lines, dark blue at the top and bottom,
// pale at mid-height. Pic_C is clipped out.
void SettingsDialog::paintBorder(HDC dc) {
    RECT client{};
    GetClientRect(form_, &client);
    const std::vector<uint32_t> rows = borderRowColours(client.bottom);
    const HGDIOBJ brush = GetStockObject(DC_BRUSH);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        SetDCBrushColor(dc, colorref(rows[y]));
        const RECT line{0, LONG(y), client.right, LONG(y) + 1};
        FillRect(dc, &line, static_cast<HBRUSH>(brush));
    }
}

int SettingsDialog::choiceAt(POINT p) const {
    const auto choices = radioChoices();
    for (std::size_t k = 0; k < choices.size(); ++k) {
        const RECT image = pixelRect(choices[k].image);
        if (PtInRect(&image, p) || PtInRect(&choiceLabelRects_[k], p)) return int(k);
    }
    return -1;
}

HWND SettingsDialog::combo(ComboKind kind, int slot) const {
    const std::size_t s = std::size_t(std::clamp(slot, 0, 2));
    switch (kind) {
    case ComboKind::BgmRepeat: return track_;
    case ComboKind::Hour: return hours_[s];
    case ComboKind::Minute: return minutes_[s];
    }
    return nullptr;
}

void SettingsDialog::setRadioPicture(RadioGroup group, int index, bool selected) {
    const auto choices = radioChoices();
    for (std::size_t k = 0; k < choices.size(); ++k) {
        if (choices[k].group != group || choices[k].index != index) continue;
        pictures_[k] = selected ? 1 : 0;
        trace(std::string(groupName(group)) + "(" + std::to_string(index) + ") " + (selected ? "selected" : "unselected"));
        if (pic_) {
            const RECT r = pixelRect(choices[k].image);
            InvalidateRect(pic_, &r, FALSE);
        }
    }
}

std::optional<std::string> SettingsDialog::chooseMusicFile() {
    // The wide call with the structure's real size: a path of any length
    // the system allows, in any script.
    std::wstring file(32768, L'\0');
    std::wstring title(256, L'\0');
    static constexpr wchar_t kFilter[] = L"BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = form_;
    ofn.hInstance = instance_;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrTitle = L"ﾌｧｲﾙを開く";
    // The front end's current folder stays where it was: left in the music
    // folder, it would keep that folder from being deleted or renamed while
    // Lumora runs.
    ofn.Flags = OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    file.resize(file.find(L'\0'));
    return narrow(file);
}

HWND SettingsDialog::stopWindow(FocusStop stop) const {
    auto hwndOf = [](const auto* control) { return control ? control->hwnd() : HWND(nullptr); };
    const int s = int(stop);
    if (s <= int(FocusStop::Can)) {
        const FormButton button = stop == FocusStop::Init ? FormButton::Init
                                  : stop == FocusStop::Set ? FormButton::Set
                                                           : FormButton::Can;
        return hwndOf(formButtons_[std::size_t(button)]);
    }
    if (s <= int(FocusStop::Level5)) return hwndOf(bars_[std::size_t(s - int(FocusStop::Level0))]);
    if (stop == FocusStop::Track) return track_;
    if (stop == FocusStop::MusicFile) return hwndOf(cmdBgm_);
    const int row = (s - int(FocusStop::Hour0)) / 2;
    return (s - int(FocusStop::Hour0)) % 2 == 0 ? hours_[std::size_t(row)] : minutes_[std::size_t(row)];
}

std::optional<FocusStop> SettingsDialog::focusedStop() {
    const HWND focused = GetFocus();
    if (!focused) return std::nullopt;
    for (int s = 0; s < kFocusStopCount; ++s) {
        const HWND w = stopWindow(FocusStop(s));
        // A combo box's focus is on the edit box inside it.
        if (w && (focused == w || IsChild(w, focused))) return FocusStop(s);
    }
    return std::nullopt;
}

void SettingsDialog::focus(FocusStop stop) {
    const HWND w = stopWindow(stop);
    if (!w) return;
    SetFocus(w);
    if (stop >= FocusStop::Hour0 || stop == FocusStop::Track) SendMessageW(w, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

LRESULT SettingsDialog::formMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // As a system dialog box does: the control that had the focus gets
        // it back when the form is active again (after a message box, the
        // file dialog or another window), or else the first that can take it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focused = GetFocus();
            if (focused && IsChild(form_, focused)) focusBeforeDeactivation_ = focused;
        } else if (focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_) &&
                   IsWindowEnabled(focusBeforeDeactivation_)) {
            SetFocus(focusBeforeDeactivation_);
        } else if (const std::optional<FocusStop> stop = focusedStop(); !stop || !stopEnabled(*stop)) {
            const FocusStop first = stopEnabled(FocusStop::Level0)
                                        ? FocusStop::Level0
                                        : nextFocusStop(FocusStop::Level0, [this](FocusStop s) { return stopEnabled(s); });
            if (stopEnabled(first)) focus(first);
        }
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(form_, &ps)) paintBorder(dc);
        EndPaint(form_, &ps);
        return 0;
    }
    case WM_COMMAND:
        // Enter where no button has the focus, and Esc, from the dialog
        // manager.
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) core_.Cmd_Set_Click();
        else if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0) core_.Cmd_Can_Click();
        return 0;
    case WM_CLOSE:
        // The close box and Alt+F4 unload the form like Cancel.
        core_.Cmd_Can_Click();
        return 0;
    case WM_DESTROY:
        closed_ = true;
        return 0;
    default: return DefWindowProcW(form_, message, wParam, lParam);
    }
}

LRESULT SettingsDialog::pictureMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(pic_, &ps)) paintPicture(dc);
        EndPaint(pic_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        // What a child window shows through its transparent parts.
        paintPicture(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const int k = choiceAt(p);
        if (k < 0) return 0;
        const RadioChoice& choice = radioChoices()[std::size_t(k)];
        if (choice.group == RadioGroup::On || choice.group == RadioGroup::Off) {
            // The alarm switches answer a click: a left press and release
            // on the same image or label.
            if (message == WM_LBUTTONDOWN) {
                pressedChoice_ = k;
                SetCapture(pic_);
            }
        } else {
            core_.radioChosen(choice.group, choice.index);
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        const int pressed = pressedChoice_;
        pressedChoice_ = -1;
        if (GetCapture() == pic_) ReleaseCapture();
        if (pressed >= 0 && choiceAt(p) == pressed) {
            const RadioChoice& choice = radioChoices()[std::size_t(pressed)];
            core_.radioChosen(choice.group, choice.index);
        }
        return 0;
    }
    case WM_CAPTURECHANGED: pressedChoice_ = -1; return 0;
    default: return DefWindowProcW(pic_, message, wParam, lParam);
    }
}

void SettingsDialog::run() {
    if (!create()) {
        OutputDebugStringW(L"Lumora: the settings dialog could not be created\n");
        if (form_) DestroyWindow(form_);
        return;
    }
    core_.Form_Load();
    for (int slot = 0; slot < 3; ++slot)
        trace("alarm(" + std::to_string(slot) + ") " + comboText(ComboKind::Hour, slot) + ":" +
              comboText(ComboKind::Minute, slot));
    trace("BGM_Repeat [" + comboText(ComboKind::BgmRepeat, 0) + "] lbl_Fname [" + fileLabel_ + "]");
    rememberCursor(0);
    ZoomOpen(form_, 0);
    ShowWindow(form_, SW_SHOWNORMAL);
    UpdateWindow(form_);
    SetForegroundWindow(form_);
    if (bars_[0]) SetFocus(bars_[0]->hwnd());
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    POINT origin{0, 0};
    ClientToScreen(form_, &origin);
    trace("open " + std::to_string(origin.x) + " " + std::to_string(origin.y));

    // Modal: the owner takes no input until the form is unloaded. The
    // resident form's timers still run through this loop.
    if (owner_) EnableWindow(owner_, FALSE);
    bool quit = false;
    WPARAM quitCode = 0;
    MSG msg{};
    while (!closed_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = msg.wParam;
            break;
        }
        if (got == -1) break;
        if (form_ && IsDialogMessageW(form_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner_) EnableWindow(owner_, TRUE);
    if (form_) {
        ZoomClose(form_, 0);
        DestroyWindow(form_);
    }
    if (persistentDc_ && persistentPrevious_) SelectObject(persistentDc_.get(), persistentPrevious_);
    trace("closed");
    if (quit) PostQuitMessage(static_cast<int>(quitCode));  // the program is ending: let the main loop see it
}

}  // namespace

void showSettingsDialog(HWND owner, Settings& live, SettingsStore& store) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    SettingsDialog dialog(instance, owner, live, store);
    dialog.run();
}

}  // namespace lumora::win32
