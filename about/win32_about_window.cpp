// The About window on Windows: plain Win32 controls on a pale green window,
// the picture painted at its place, and a button that opens the maker's page.
// run() registers, creates and shows it, then runs its message loop.
// Sizes, fonts and the picture follow the display's scale: the window is
// laid out for the screen's dpi and again when Windows reports a new one (a
// monitor of another scale).
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "about/about_layout.h"
#include "about/about_texts.h"
#include "about/about_window.h"
#include "about/win32_work_area.h"
#include "platform/failure.h"

using namespace about;

namespace {

COLORREF colourRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

HFONT createAboutFont(const FontSpec& font) {
    return CreateFontA(font.height, font.width, 0, 0, font.weight, FALSE,
                       font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH, kFontFace);
}

void placeChild(HWND child, const Box& box, HFONT font) {
    MoveWindow(child, box.x, box.y, box.width, box.height, TRUE);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
}

// The primary screen's size in physical pixels and its scale (the process is
// DPI-aware by now, so neither is made up for it).
struct Screen {
    int width, height, dpi;
};

Screen measureScreen() {
    HDC screen = GetDC(nullptr);
    Screen measured{GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES),
                    GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    return measured;
}

// One About window: its controls, picture, fonts and brush. Its window
// procedure finds it through the pointer kept in GWLP_USERDATA from
// WM_NCCREATE on; it lives as long as run() does, which outlasts the window.
class Win32AboutWindow {
  public:
    // owner: the window it is opened from, or none.
    Win32AboutWindow(HINSTANCE instance, HWND owner);
    ~Win32AboutWindow();
    Win32AboutWindow(const Win32AboutWindow&) = delete;
    Win32AboutWindow& operator=(const Win32AboutWindow&) = delete;

    // Creates the window and its controls at the screen's scale and shows it;
    // false, with the reason in `failure`, when the window cannot be created.
    bool open(int showCommand, Failure& failure);

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void drawPicture(HDC dc) const;
    void changeDpi(int dpi, const RECT& suggested);
    HWND createChild(const char* className, const char* text, const Box& box, DWORD style, int id,
                     HINSTANCE instance, HFONT font) const;

    HINSTANCE instance_;
    HWND owner_;
    HWND window_ = nullptr;
    HWND notice_ = nullptr;
    HWND heading_ = nullptr;
    HWND button_ = nullptr;
    HBITMAP picture_ = nullptr;
    HBRUSH staticBrush_ = nullptr;
    HFONT bodyFont_ = nullptr;
    HFONT headingFont_ = nullptr;
    int dpi_ = kDesignDpi;
};

Win32AboutWindow::Win32AboutWindow(HINSTANCE instance, HWND owner)
    : instance_(instance),
      owner_(owner),
      staticBrush_(CreateSolidBrush(colourRef(kBackgroundColour))) {}

// The window and its controls are gone by now, so nothing uses these any more.
Win32AboutWindow::~Win32AboutWindow() {
    DeleteObject(bodyFont_);
    DeleteObject(headingFont_);
    DeleteObject(staticBrush_);
}

// The picture at its own size is copied as it is; at another scale it is
// resampled smoothly (HALFTONE averages the source pixels each target covers).
void Win32AboutWindow::drawPicture(HDC dc) const {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture_);
    BITMAP size;
    GetObjectA(picture_, sizeof size, &size);
    Box box = layoutForDpi(dpi_, size.bmWidth, size.bmHeight).picture;
    if (box.width == size.bmWidth && box.height == size.bmHeight) {
        BitBlt(dc, box.x, box.y, box.width, box.height, memory, 0, 0, SRCCOPY);
    } else {
        int previousMode = SetStretchBltMode(dc, HALFTONE);
        POINT previousOrigin;
        SetBrushOrgEx(dc, 0, 0, &previousOrigin);  // as HALFTONE requires
        StretchBlt(dc, box.x, box.y, box.width, box.height, memory, 0, 0, size.bmWidth,
                   size.bmHeight, SRCCOPY);
        SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
        SetStretchBltMode(dc, previousMode);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
}

// Fills the whole client area with the background colour, then draws the picture.
void Win32AboutWindow::paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    SetBkColor(dc, colourRef(kBackgroundColour));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    // Without the picture resource there is nothing to copy (and no size to read).
    if (picture_) {
        drawPicture(dc);
    }
    EndPaint(window_, &paint);
}

// A monitor of another scale: new fonts, every control moved and sized again,
// the window to the rectangle Windows suggests, the picture redrawn.
void Win32AboutWindow::changeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    Layout layout = layoutForDpi(dpi, 0, 0);
    HFONT oldBody = bodyFont_;
    HFONT oldHeading = headingFont_;
    bodyFont_ = createAboutFont(layout.bodyFont);
    headingFont_ = createAboutFont(layout.headingFont);
    placeChild(notice_, layout.notice, bodyFont_);
    placeChild(heading_, layout.heading, headingFont_);
    placeChild(button_, layout.button, bodyFont_);
    DeleteObject(oldBody);
    DeleteObject(oldHeading);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK Win32AboutWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* created = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        Win32AboutWindow* self = static_cast<Win32AboutWindow*>(created->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    Win32AboutWindow* self =
        reinterpret_cast<Win32AboutWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    // A few messages (WM_GETMINMAXINFO) come before WM_NCCREATE.
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT Win32AboutWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            bool heading = reinterpret_cast<HWND>(lParam) == heading_;
            SetTextColor(dc, colourRef(heading ? kHeadingColour : kNoticeColour));
            SetBkColor(dc, colourRef(kBackgroundColour));
            return reinterpret_cast<LRESULT>(staticBrush_);
        }
        case WM_COMMAND:
            if (wParam == MAKEWPARAM(kButtonId, BN_CLICKED)) {
                ShellExecuteA(window_, "open", websiteUrl().c_str(), nullptr, nullptr,
                              SW_SHOWNORMAL);
            }
            return 0;
        case WM_DPICHANGED:
            changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            // Before the window goes, so that Windows hands the focus back to
            // the owner rather than to another program's window.
            if (owner_ != nullptr) {
                EnableWindow(owner_, TRUE);
            }
            DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            DeleteObject(picture_);
            picture_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

HWND Win32AboutWindow::createChild(const char* className, const char* text, const Box& box,
                                   DWORD style, int id, HINSTANCE instance, HFONT font) const {
    HWND child =
        CreateWindowExA(0, className, text, style, box.x, box.y, box.width, box.height, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
    return child;
}

bool Win32AboutWindow::open(int showCommand, Failure& failure) {
    Screen screen = measureScreen();
    dpi_ = screen.dpi;
    // The picture's box is worked out when it is painted, from the bitmap's size.
    Layout layout = layoutForDpi(dpi_, 0, 0);
    Point origin = owner_ != nullptr
                       ? centredOnOwnersMonitor(owner_, layout.windowWidth, layout.windowHeight)
                       : centredWindowOrigin(screen.width, screen.height, layout.windowWidth,
                                             layout.windowHeight);

    // WM_NCCREATE has set window_ already; a class of that name that is not
    // ours (its registration failed) has not, so the handle is taken from here.
    window_ =
        CreateWindowExA(0, kWindowClassName, kWindowTitle, WS_SYSMENU, origin.x, origin.y,
                        layout.windowWidth, layout.windowHeight, owner_, nullptr, instance_, this);
    if (!window_) {
        // No window exists whose closing could end a message loop: give up here.
        failure.add("Window Creation Failed!", "Error!", MessageIcon::Exclamation);
        return false;
    }

    picture_ = static_cast<HBITMAP>(
        LoadImageA(instance_, MAKEINTRESOURCEA(kPictureResourceId), IMAGE_BITMAP, 0, 0, LR_SHARED));
    bodyFont_ = createAboutFont(layout.bodyFont);
    headingFont_ = createAboutFont(layout.headingFont);

    // A 64-bit handle needs the pointer-sized read of the window's instance.
    HINSTANCE windowInstance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    const DWORD staticStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    notice_ = createChild("static", noticeText().c_str(), layout.notice, staticStyle, kNoticeId,
                          windowInstance, bodyFont_);
    heading_ = createChild("static", kHeading, layout.heading, staticStyle, kHeadingId,
                           windowInstance, headingFont_);
    button_ = createChild("BUTTON", kButtonCaption, layout.button, WS_CHILD | WS_VISIBLE, kButtonId,
                          instance_, bodyFont_);

    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    return true;
}

void registerAboutClass(HINSTANCE instance, Failure& failure) {
    // Opened a second time from the Settings window: the class is ours already.
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kWindowClassName, &existing) &&
        existing.lpfnWndProc == Win32AboutWindow::procedure) {
        return;
    }
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = Win32AboutWindow::procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA("user32.dll"), MAKEINTRESOURCEA(kClassIconResourceId),
                   IMAGE_ICON, kClassIconSize, kClassIconSize, LR_SHARED));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClassName;
    if (!RegisterClassA(&windowClass)) {
        // Not the end yet: a class of that name may still make the window.
        failure.add("Window Registration Failed!", "Error!", MessageIcon::Exclamation);
    }
}

}  // namespace

void AboutWindow::run(Failure& failure) {
    HINSTANCE instance = static_cast<HINSTANCE>(moduleInstance_);
    registerAboutClass(instance, failure);
    // The manifest asks for per-monitor awareness already; a build without it
    // (or an older Windows) gets the system's scale this way.
    SetProcessDPIAware();
    HWND owner = reinterpret_cast<HWND>(ownerWindow_);
    Win32AboutWindow window(instance, owner);
    if (!window.open(showCommand_, failure)) {
        return;
    }
    // Modal to its owner: the owner takes no input until the About window closes.
    if (owner != nullptr) {
        EnableWindow(owner, FALSE);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}
