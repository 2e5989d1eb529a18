// The animated GIF control's window; see gif_player_window.h.
#include "controls/win32/gif_player_window.h"

#include <wininet.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <thread>

#include "controls/gif/allocation_budget.h"

namespace lumora::win32 {

namespace {

constexpr UINT_PTR kTimerId = 1;
// The worker's result: lParam is a RemoteResult* the window takes over.
constexpr UINT kRemoteDoneMessage = WM_APP + 0x47;

struct RemoteResult {
    uint64_t request = 0;
    bool ok = false;  // the download worked (status 2xx for HTTP)
    std::vector<uint8_t> bytes;
};

// Downloads `url` whole; a failure leaves ok false. The data may come from
// the cache when the network fails. A download longer than one load may
// take (256 MB) fails rather than growing further.
void download(const std::wstring& url, RemoteResult& result) {
    const HINTERNET session = InternetOpenW(L"Lumora", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return;
    DWORD timeoutMs = 30000;
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeoutMs, sizeof timeoutMs);
    InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeoutMs, sizeof timeoutMs);
    HINTERNET file = InternetOpenUrlW(session, url.c_str(), nullptr, 0, INTERNET_FLAG_NO_UI, 0);
    if (!file) file = InternetOpenUrlW(session, url.c_str(), nullptr, 0, INTERNET_FLAG_FROM_CACHE | INTERNET_FLAG_NO_UI, 0);
    if (file) {
        DWORD status = 0, size = sizeof status;
        // Only HTTP answers with a status; other schemes have none to check.
        const bool http = HttpQueryInfoW(file, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
        bool ok = !http || (status >= 200 && status < 300);
        uint8_t chunk[16384];
        DWORD got = 0;
        while (ok) {
            if (!InternetReadFile(file, chunk, sizeof chunk, &got)) {
                ok = false;
                break;
            }
            if (got == 0) break;
            if (result.bytes.size() + got > AllocationBudget::kDefaultLimit) {
                ok = false;
                break;
            }
            result.bytes.insert(result.bytes.end(), chunk, chunk + got);
        }
        result.ok = ok;
        InternetCloseHandle(file);
    }
    InternetCloseHandle(session);
}

int shiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

// The first image of an .ico or .cur file, as a cursor; null when the bytes
// are not one.
HCURSOR cursorFromFile(const std::vector<uint8_t>& bytes) {
    auto word = [&](size_t at) { return static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8); };
    auto dword = [&](size_t at) { return word(at) | word(at + 2) << 16; };
    if (bytes.size() < 22 || word(0) != 0 || (word(2) != 1 && word(2) != 2) || word(4) == 0) return nullptr;
    const bool isCursor = word(2) == 2;
    const uint32_t size = dword(14), offset = dword(18);
    if (offset > bytes.size() || size > bytes.size() - offset || size == 0) return nullptr;
    std::vector<uint8_t> image;
    if (isCursor) {
        // A cursor resource starts with its hot spot, which the file keeps
        // in the directory entry.
        image = {bytes[10], bytes[11], bytes[12], bytes[13]};
    }
    image.insert(image.end(), bytes.begin() + offset, bytes.begin() + offset + size);
    return reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()),
                                                              isCursor ? FALSE : TRUE, 0x00030000, 0, 0,
                                                              LR_DEFAULTCOLOR));
}

// The standard cursor of a MousePointer value; null for 0 (the class's).
LPCWSTR standardCursor(int32_t pointer) {
    switch (pointer) {
    case 1: return IDC_ARROW;
    case 2: return IDC_CROSS;
    case 3: return IDC_IBEAM;
    case 4: return IDC_ICON;
    case 5: case 15: return IDC_SIZEALL;
    case 6: return IDC_SIZENESW;
    case 7: return IDC_SIZENS;
    case 8: return IDC_SIZENWSE;
    case 9: return IDC_SIZEWE;
    case 10: return IDC_UPARROW;
    case 11: return IDC_WAIT;
    case 12: return IDC_NO;
    case 13: return IDC_APPSTARTING;
    case 14: return IDC_HELP;
    default: return nullptr;
    }
}

// A top-down DIB section in a memory DC of its own, holding a copy of
// `bits`; empty (dc null) when it cannot be made.
class DibSection {
public:
    DibSection(int32_t width, int32_t height, int bitCount, const void* bits, size_t bytes) {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[2];
        } info{};
        info.header.biSize = sizeof info.header;
        info.header.biWidth = width;
        info.header.biHeight = -height;
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(bitCount);
        info.header.biCompression = BI_RGB;
        info.colours[1] = RGBQUAD{255, 255, 255, 0};  // a mask: 0 black (opaque), 1 white (transparent)
        dc_ = CreateCompatibleDC(nullptr);
        void* target = nullptr;
        bitmap_ = dc_ ? CreateDIBSection(dc_, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &target,
                                         nullptr, 0)
                      : nullptr;
        if (!bitmap_ || !target) {
            release();
            return;
        }
        std::memcpy(target, bits, bytes);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~DibSection() { release(); }
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;
    HDC dc() const { return dc_; }

private:
    void release() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
        dc_ = nullptr;
        bitmap_ = nullptr;
    }
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// The composed picture onto `dc` at the stretch rule's rectangle: the mask
// with AND (white keeps what lies beneath), then the picture, black where
// transparent, with OR. Stretched drawing uses halftone.
void drawPicture(HDC dc, const GifPicture& picture, const GifDrawRect& rect) {
    const std::vector<uint8_t> maskBits = packMask(picture);
    const DibSection mask(picture.width, picture.height, 1, maskBits.data(), maskBits.size());
    const DibSection colour(picture.width, picture.height, 32, picture.pixels,
                            size_t(picture.width) * size_t(picture.height) * 4);
    if (!mask.dc() || !colour.dc()) return;  // nothing half drawn
    if (rect.stretched()) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);  // halftone wants the brush origin reset after the mode
        StretchBlt(dc, 0, 0, rect.width, rect.height, mask.dc(), 0, 0, rect.srcWidth, rect.srcHeight, SRCAND);
        StretchBlt(dc, 0, 0, rect.width, rect.height, colour.dc(), 0, 0, rect.srcWidth, rect.srcHeight, SRCPAINT);
    } else {
        BitBlt(dc, 0, 0, rect.width, rect.height, mask.dc(), 0, 0, SRCAND);
        BitBlt(dc, 0, 0, rect.width, rect.height, colour.dc(), 0, 0, SRCPAINT);
    }
}

}  // namespace

GifPlayerWindow* GifPlayerWindow::create(HWND parent, int id, int x, int y, int width, int height,
                                         const PropertyBag& properties) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    if (!registerControlClass(kGifPlayerClassName, ownedWindowProc<GifPlayerWindow>, instance)) return nullptr;
    auto* self = new GifPlayerWindow();
    // The window deletes the object at WM_NCDESTROY.
    const HWND window = CreateWindowExW(0, kGifPlayerClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y,
                                        width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        instance, self);
    if (!window) return nullptr;
    self->player_.readProperties(properties);
    return self;
}

GifPlayerWindow* GifPlayerWindow::from(HWND window) {
    wchar_t name[32] = {};
    if (!window || !GetClassNameW(window, name, 32) || std::wstring_view(name) != kGifPlayerClassName) return nullptr;
    return reinterpret_cast<GifPlayerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool GifPlayerWindow::LoadAnimatedGIF_File(const std::wstring& path) {
    // Read whole first: a missing or unreadable file changes nothing.
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<uint64_t>(size) > AllocationBudget::kDefaultLimit) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
    return player_.loadAnimatedGifArray(bytes);
}

bool GifPlayerWindow::LoadAnimatedGIF_Array(std::span<const uint8_t> bytes) { return player_.loadAnimatedGifArray(bytes); }

void GifPlayerWindow::LoadAnimatedGIF_Remote(const std::wstring& url) {
    if (url.empty()) return;
    const uint64_t request = ++remoteRequest_;
    const HWND window = window_;
    try {
        // The worker owns its copy of everything: the window may be gone by
        // the time the download ends, and then the result is simply freed.
        std::thread([url, window, request] {
            auto result = std::make_unique<RemoteResult>();
            result->request = request;
            download(url, *result);
            if (PostMessageW(window, kRemoteDoneMessage, 0, reinterpret_cast<LPARAM>(result.get()))) result.release();
        }).detach();
    } catch (const std::exception&) {
        // The download could not start: reported at once.
        if (onRemoteLoadFailure) onRemoteLoadFailure();
    }
}

void GifPlayerWindow::remoteDone(LPARAM lParam) {
    std::unique_ptr<RemoteResult> result(reinterpret_cast<RemoteResult*>(lParam));
    if (!result || result->request != remoteRequest_) return;  // superseded
    const RemoteHeader header = checkRemoteHeader(result->bytes);
    if (!result->ok || !header.isGif) {
        if (onRemoteLoadFailure) onRemoteLoadFailure();
        return;
    }
    bool cancel = false;
    // Converted to the container's units and truncated.
    if (onRemoteLoadComplete)
        onRemoteLoadComplete(static_cast<float>(static_cast<int64_t>(header.width * unitsPerPixel)),
                             static_cast<float>(static_cast<int64_t>(header.height * unitsPerPixel)), cancel);
    if (!cancel) player_.loadAnimatedGifArray(result->bytes);
}

bool GifPlayerWindow::setTimer(uint32_t milliseconds) { return SetTimer(window_, kTimerId, milliseconds, nullptr) != 0; }
void GifPlayerWindow::killTimer() { KillTimer(window_, kTimerId); }
void GifPlayerWindow::invalidate() { InvalidateRect(window_, nullptr, FALSE); }
void GifPlayerWindow::resizeControl(int32_t widthPx, int32_t heightPx) {
    SetWindowPos(window_, nullptr, 0, 0, widthPx, heightPx, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
GifHost::Size GifPlayerWindow::clientSize() const {
    RECT r{};
    GetClientRect(window_, &r);
    return {r.right, r.bottom};
}
void GifPlayerWindow::loopsEnded() {
    if (onLoopsEnded) onLoopsEnded();
}

void GifPlayerWindow::paint() {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(window_, &ps);
    RECT client{};
    GetClientRect(window_, &client);
    if (!target || client.right <= 0 || client.bottom <= 0) {
        EndPaint(window_, &ps);
        return;
    }
    // Everything is drawn into a buffer first, then shown in one blit.
    PixelImage blank(client.right, client.bottom);
    BackBuffer buffer;
    if (!buffer.load(blank)) {
        EndPaint(window_, &ps);
        return;
    }
    HDC dc = buffer.dc();
    // The parent's background under the control: transparent pixels show it.
    paintParentBackground(window_, dc);

    const GifPicture picture = player_.picture();
    const GifDrawRect rect = player_.drawRect();
    if (!picture.empty() && rect.width > 0 && rect.height > 0) drawPicture(dc, picture, rect);
    buffer.blitTo(target);
    EndPaint(window_, &ps);
}

void GifPlayerWindow::mouseEvent(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT p = mousePoint(lParam);
    const float x = static_cast<float>(p.x) * unitsPerPixel, y = static_cast<float>(p.y) * unitsPerPixel;
    int button = 0;
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: button = 1; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: button = 2; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: button = 4; break;
    default: button = heldButtons(wParam); break;
    }
    const int shift = shiftState();
    switch (message) {
    case WM_MOUSEMOVE:
        if (onMouseMove) onMouseMove(button, shift, x, y);
        return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(window_);
        if (message == WM_LBUTTONDOWN) leftPressed_ = true;
        if (onMouseDown) onMouseDown(button, shift, x, y);
        return;
    default: {
        if (heldButtons(wParam) == 0 && GetCapture() == window_) ReleaseCapture();
        if (onMouseUp) onMouseUp(button, shift, x, y);
        // A click is a left press and release both on the control.
        RECT client{};
        GetClientRect(window_, &client);
        if (message == WM_LBUTTONUP && leftPressed_ && PtInRect(&client, p) && onClick) {
            leftPressed_ = false;
            onClick();
        }
        if (message == WM_LBUTTONUP) leftPressed_ = false;
        return;
    }
    }
}

HCURSOR GifPlayerWindow::pointerCursor() {
    const int32_t pointer = player_.mousePointer();
    if (pointer == 99) {
        if (player_.mouseIcon() != cursorMadeFrom_) {
            if (customCursor_) DestroyCursor(customCursor_);
            cursorMadeFrom_ = player_.mouseIcon();
            customCursor_ = cursorFromFile(cursorMadeFrom_);
        }
        return customCursor_;
    }
    const LPCWSTR id = standardCursor(pointer);
    return id ? LoadCursorW(nullptr, id) : nullptr;
}

GifPlayerWindow::~GifPlayerWindow() {
    if (customCursor_) DestroyCursor(customCursor_);
}

LRESULT GifPlayerWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimerId) player_.onTimer();
        return 0;
    case WM_SIZE:
        player_.onResize();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        // Hiding pauses; showing resumes what was playing. ShowWindow and
        // SetWindowPos both end here.
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos->flags & SWP_HIDEWINDOW) player_.hide();
        if (pos->flags & SWP_SHOWWINDOW) player_.show();
        break;  // the default handler still sends WM_SIZE and WM_MOVE
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
        if (player_.enabled()) mouseEvent(message, wParam, lParam);
        return 0;
    case WM_NCHITTEST: return HTCLIENT;  // hit-testable over its whole area
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            if (const HCURSOR cursor = pointerCursor()) {
                SetCursor(cursor);
                return TRUE;
            }
        }
        break;
    case kRemoteDoneMessage: remoteDone(lParam); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(); return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace lumora::win32
