// The About window on Windows: plain Win32 controls on a pale green window,
// the picture painted at its place, and a button that opens the maker's page.
// Construction registers, creates and shows it, then runs its message loop.
// Sizes, fonts and the picture follow the display's scale: the window is
// laid out for the screen's dpi and again when Windows reports a new one (a
// monitor of another scale).
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "about/about_layout.h"
#include "about/about_texts.h"
#include "about/about_window.h"
#include "platform/failure.h"

using namespace about;

namespace {

// One About window per process; the fonts and the static brush are never freed.
HWND mainWindow = nullptr;
HWND noticeControl = nullptr;
HWND headingControl = nullptr;
HWND buttonControl = nullptr;
HBITMAP picture = nullptr;
HBRUSH staticBrush = nullptr;
HFONT bodyFont = nullptr;
HFONT headingFont = nullptr;
int windowDpi = kDesignDpi;

COLORREF colourRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

HFONT createAboutFont(const FontSpec& font) {
    return CreateFontA(font.height, font.width, 0, 0, font.weight, FALSE,
                       font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH, kFontFace);
}

// The picture at its own size is copied as it is; at another scale it is
// resampled smoothly (HALFTONE averages the source pixels each target covers).
void drawPicture(HDC dc) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture);
    BITMAP size;
    GetObjectA(picture, sizeof size, &size);
    Box box = layoutForDpi(windowDpi, size.bmWidth, size.bmHeight).picture;
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
void paintAboutWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    SetBkColor(dc, colourRef(kBackgroundColour));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    // Without the picture resource there is nothing to copy (and no size to read).
    if (picture) {
        drawPicture(dc);
    }
    EndPaint(window, &paint);
}

void placeChild(HWND child, const Box& box, HFONT font) {
    MoveWindow(child, box.x, box.y, box.width, box.height, TRUE);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
}

// A monitor of another scale: new fonts, every control moved and sized again,
// the window to the rectangle Windows suggests, the picture redrawn.
void changeDpi(HWND window, int dpi, const RECT& suggested) {
    windowDpi = dpi;
    Layout layout = layoutForDpi(dpi, 0, 0);
    HFONT oldBody = bodyFont;
    HFONT oldHeading = headingFont;
    bodyFont = createAboutFont(layout.bodyFont);
    headingFont = createAboutFont(layout.headingFont);
    placeChild(noticeControl, layout.notice, bodyFont);
    placeChild(headingControl, layout.heading, headingFont);
    placeChild(buttonControl, layout.button, bodyFont);
    DeleteObject(oldBody);
    DeleteObject(oldHeading);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK aboutWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!staticBrush)
        staticBrush = CreateSolidBrush(colourRef(kBackgroundColour));
    switch (message) {
        case WM_PAINT:
            paintAboutWindow(window);
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            bool heading = reinterpret_cast<HWND>(lParam) == headingControl;
            SetTextColor(dc, colourRef(heading ? kHeadingColour : kNoticeColour));
            SetBkColor(dc, colourRef(kBackgroundColour));
            return reinterpret_cast<LRESULT>(staticBrush);
        }
        case WM_COMMAND:
            if (wParam == MAKEWPARAM(kButtonId, BN_CLICKED)) {
                ShellExecuteA(window, "open", websiteUrl().c_str(), nullptr, nullptr,
                              SW_SHOWNORMAL);
            }
            return 0;
        case WM_DPICHANGED:
            changeDpi(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            DeleteObject(picture);
            picture = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void registerAboutClass(HINSTANCE instance, Failure& failure) {
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = aboutWindowProcedure;
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

HWND createChild(const char* className, const char* text, const Box& box, DWORD style, int id,
                 HINSTANCE instance, HFONT font) {
    HWND child =
        CreateWindowExA(0, className, text, style, box.x, box.y, box.width, box.height, mainWindow,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
    return child;
}

}  // namespace

AboutWindow::AboutWindow(void* moduleInstance, int showCommand, Failure& failure) {
    HINSTANCE instance = static_cast<HINSTANCE>(moduleInstance);
    registerAboutClass(instance, failure);
    // The manifest asks for per-monitor awareness already; a build without it
    // (or an older Windows) gets the system's scale this way.
    SetProcessDPIAware();
    Screen screen = measureScreen();
    windowDpi = screen.dpi;
    // The picture's box is worked out when it is painted, from the bitmap's size.
    Layout layout = layoutForDpi(windowDpi, 0, 0);
    Point origin =
        centredWindowOrigin(screen.width, screen.height, layout.windowWidth, layout.windowHeight);

    mainWindow = CreateWindowExA(0, kWindowClassName, kWindowTitle, WS_SYSMENU, origin.x, origin.y,
                                 layout.windowWidth, layout.windowHeight, nullptr, nullptr,
                                 instance, nullptr);
    if (!mainWindow) {
        // No window exists whose closing could end a message loop: give up here.
        failure.add("Window Creation Failed!", "Error!", MessageIcon::Exclamation);
        return;
    }

    picture = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(kPictureResourceId), IMAGE_BITMAP, 0, 0, LR_SHARED));
    bodyFont = createAboutFont(layout.bodyFont);
    headingFont = createAboutFont(layout.headingFont);

    // A 64-bit handle needs the pointer-sized read of the window's instance.
    HINSTANCE windowInstance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    const DWORD staticStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    noticeControl = createChild("static", noticeText().c_str(), layout.notice, staticStyle,
                                kNoticeId, windowInstance, bodyFont);
    headingControl = createChild("static", kHeading, layout.heading, staticStyle, kHeadingId,
                                 windowInstance, headingFont);
    buttonControl = createChild("BUTTON", kButtonCaption, layout.button, WS_CHILD | WS_VISIBLE,
                                kButtonId, instance, bodyFont);

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
