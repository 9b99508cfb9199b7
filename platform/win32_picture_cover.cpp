// The pictures drawn with GDI (see picture_cover.h). Each window keeps what
// it shows in a bitmap of its own size, which WM_PAINT copies; the two
// pictures of a cross-fade are scaled to the window once, when they first
// appear, so a fade step is one copy and one blend.
#include <windows.h>

#include <array>
#include <chrono>

#include "platform/picture_cover.h"
#include "platform/quit_request.h"

namespace {

constexpr char kClassName[] = "Glimmerpond3DPictures";
constexpr DWORD kLongestWaitMs = 250;  // how long a wait goes without looking at the quit request

// A bitmap of a window's size with a device context to draw into it.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;

    void make(HDC screen, int width, int height) {
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        previous = SelectObject(dc, bitmap);
    }
    void release() {
        if (dc != nullptr) {
            SelectObject(dc, previous);
            DeleteObject(bitmap);
            DeleteDC(dc);
        }
        dc = nullptr;
    }
};

struct CoverWindow {
    HWND hwnd = nullptr;
    int width = 0;
    int height = 0;
    std::string note;    // only on the main monitor's window
    bool black = false;  // a monitor left black: nothing is ever drawn on it
    Canvas shown;
    // The last two pictures scaled to this window, by picture index (-1: none).
    std::array<int, 2> scaledPicture{-1, -1};
    std::array<Canvas, 2> scaled;
};

class GdiPictureCover : public PictureCover {
  public:
    GdiPictureCover(CoverPictures pictures, NativeWindowHandle host)
        : pictures_(std::move(pictures)), host_(host) {}
    ~GdiPictureCover() override;

    bool addWindow(HWND parent, const ScreenRect& area, DWORD style, DWORD extendedStyle,
                   const std::string& note, bool black = false);
    void takeFocus();
    void show(int from, int to, float blend) override;
    bool wait(double seconds) override;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // `keep` is the other picture on screen, whose scaled copy stays.
    const Canvas& scaledFor(CoverWindow& window, int picture, int keep);
    void drawNote(const CoverWindow& window);
    bool ended() const;

    CoverPictures pictures_;
    NativeWindowHandle host_;  // a preview's host, else 0
    std::vector<CoverWindow> windows_;
    bool endAsked_ = false;
};

bool registerClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    if (GetClassInfoExA(instance, kClassName, &windowClass)) {
        return true;
    }
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;  // each window's own is set once it is made
    windowClass.hInstance = instance;
    windowClass.hCursor = nullptr;  // no pointer over the pictures
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

GdiPictureCover::~GdiPictureCover() {
    for (CoverWindow& window : windows_) {
        DestroyWindow(window.hwnd);
        window.shown.release();
        for (Canvas& canvas : window.scaled) {
            canvas.release();
        }
    }
}

bool GdiPictureCover::addWindow(HWND parent, const ScreenRect& area, DWORD style,
                                DWORD extendedStyle, const std::string& note, bool black) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (area.width <= 0 || area.height <= 0 || !registerClass(instance)) {
        return false;
    }
    HWND hwnd = CreateWindowExA(extendedStyle, kClassName, "Glimmerpond 3D", style, area.x, area.y,
                                area.width, area.height, parent, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        return false;
    }
    windows_.push_back(CoverWindow{});
    CoverWindow& window = windows_.back();
    window.hwnd = hwnd;
    window.width = area.width;
    window.height = area.height;
    window.note = note;
    window.black = black;
    HDC screen = GetDC(hwnd);
    window.shown.make(screen, area.width, area.height);
    ReleaseDC(hwnd, screen);
    PatBlt(window.shown.dc, 0, 0, area.width, area.height, BLACKNESS);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc));
    ShowWindow(hwnd, SW_SHOWNA);
    return true;
}

void GdiPictureCover::takeFocus() {
    if (!windows_.empty()) {
        SetForegroundWindow(windows_.front().hwnd);
        SetFocus(windows_.front().hwnd);
    }
}

// The picture cut to the window's shape around its middle, as the water's
// floor is, scaled with GDI's halftone filter.
const Canvas& GdiPictureCover::scaledFor(CoverWindow& window, int picture, int keep) {
    for (int i = 0; i < 2; ++i) {
        if (window.scaledPicture[i] == picture) {
            return window.scaled[i];
        }
    }
    const int slot = window.scaledPicture[0] == keep ? 1 : 0;
    Canvas& canvas = window.scaled[slot];
    if (canvas.dc == nullptr) {
        HDC screen = GetDC(window.hwnd);
        canvas.make(screen, window.width, window.height);
        ReleaseDC(window.hwnd, screen);
    }
    window.scaledPicture[slot] = picture;
    const CoverPicture& source = pictures_(picture);
    const int size = source.size;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = size;
    header.biHeight = size;  // bottom row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    int cutWidth = size;
    int cutHeight = size;
    if (window.width >= window.height) {
        cutHeight = MulDiv(size, window.height, window.width);
    } else {
        cutWidth = MulDiv(size, window.width, window.height);
    }
    SetStretchBltMode(canvas.dc, HALFTONE);
    SetBrushOrgEx(canvas.dc, 0, 0, nullptr);
    StretchDIBits(canvas.dc, 0, 0, window.width, window.height, (size - cutWidth) / 2,
                  (size - cutHeight) / 2, cutWidth, cutHeight, source.rows.data(),
                  reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, SRCCOPY);
    return canvas;
}

void GdiPictureCover::drawNote(const CoverWindow& window) {
    if (window.note.empty()) {
        return;
    }
    HDC dc = window.shown.dc;
    const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    HFONT font = CreateFontA(-MulDiv(10, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, "Segoe UI");
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const int margin = MulDiv(12, pixelsPerInch, 96);
    const UINT format = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX;
    RECT text = {0, 0, window.width, window.height};
    DrawTextA(dc, window.note.c_str(), -1, &text, format | DT_CALCRECT);
    OffsetRect(&text, margin, window.height - margin - text.bottom);
    // A darker band under the line keeps it legible over any floor.
    RECT band = text;
    InflateRect(&band, margin / 2, margin / 4);
    Canvas dark;
    dark.make(dc, 1, 1);
    PatBlt(dark.dc, 0, 0, 1, 1, BLACKNESS);
    const BLENDFUNCTION half = {AC_SRC_OVER, 0, 150, 0};
    AlphaBlend(dc, band.left, band.top, band.right - band.left, band.bottom - band.top, dark.dc, 0,
               0, 1, 1, half);
    dark.release();
    SetTextColor(dc, RGB(235, 235, 235));
    DrawTextA(dc, window.note.c_str(), -1, &text, format);
    SelectObject(dc, previousFont);
    DeleteObject(font);
}

void GdiPictureCover::show(int from, int to, float blend) {
    for (CoverWindow& window : windows_) {
        if (window.black) {
            continue;
        }
        const int first = blend >= 1.0f ? to : from;
        BitBlt(window.shown.dc, 0, 0, window.width, window.height,
               scaledFor(window, first, first == to ? from : to).dc, 0, 0, SRCCOPY);
        if (blend > 0.0f && blend < 1.0f) {
            const BLENDFUNCTION over = {AC_SRC_OVER, 0, static_cast<BYTE>(blend * 255.0f + 0.5f),
                                        0};
            AlphaBlend(window.shown.dc, 0, 0, window.width, window.height,
                       scaledFor(window, to, from).dc, 0, 0, window.width, window.height, over);
        }
        drawNote(window);
        HDC dc = GetDC(window.hwnd);
        BitBlt(dc, 0, 0, window.width, window.height, window.shown.dc, 0, 0, SRCCOPY);
        ReleaseDC(window.hwnd, dc);
    }
}

bool GdiPictureCover::ended() const {
    return endAsked_ || quitRequested() || (host_ != 0 && !isHostWindowEnabled(host_));
}

bool GdiPictureCover::wait(double seconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                     std::chrono::duration<double>(seconds));
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                endAsked_ = true;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (ended()) {
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) {
            return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  left < kLongestWaitMs ? static_cast<DWORD>(left) : kLongestWaitMs,
                                  QS_ALLINPUT);
    }
}

LRESULT CALLBACK GdiPictureCover::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* cover = reinterpret_cast<GdiPictureCover*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const bool preview = cover->host_ != 0;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            for (const CoverWindow& window : cover->windows_) {
                if (window.hwnd == hwnd) {
                    BitBlt(dc, 0, 0, window.width, window.height, window.shown.dc, 0, 0, SRCCOPY);
                }
            }
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            cover->endAsked_ = true;
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            // A preview belongs to the Settings page, whose own controls take input.
            if (!preview) {
                cover->endAsked_ = true;
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (!preview) {
                SetCursor(nullptr);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<PictureCover> openPictureCover(const std::vector<ScreenRect>& monitors,
                                               int mainMonitor, const std::string& note,
                                               CoverPictures pictures, bool mainOnly) {
    auto cover = std::make_unique<GdiPictureCover>(std::move(pictures), 0);
    // The main monitor's window first: it takes the keyboard.
    const int count = static_cast<int>(monitors.size());
    for (int i = 0; i < count; ++i) {
        const int index = (mainMonitor + i) % count;
        if (!cover->addWindow(nullptr, monitors[index], WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                              index == mainMonitor ? note : std::string(),
                              mainOnly && index != mainMonitor)) {
            return nullptr;
        }
    }
    if (count == 0) {
        return nullptr;
    }
    cover->takeFocus();
    return cover;
}

std::unique_ptr<PictureCover> openPicturePreview(NativeWindowHandle host, CoverPictures pictures) {
    HWND parent = reinterpret_cast<HWND>(host);
    if (!IsWindow(parent)) {
        return nullptr;
    }
    auto cover = std::make_unique<GdiPictureCover>(std::move(pictures), host);
    const ClientSize size = hostClientSize(host);
    if (!cover->addWindow(parent, ScreenRect{0, 0, size.width, size.height},
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, std::string())) {
        return nullptr;
    }
    return cover;
}
