// The About window on Windows: plain Win32 controls on a pale green window,
// the picture painted at its place, and a button that opens the maker's page.
// Construction registers, creates and shows it, then runs its message loop.
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

COLORREF colourRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

HFONT createAboutFont(const FontSpec& font) {
    return CreateFontA(font.height, font.width, 0, 0, font.weight, FALSE,
                       font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH, kFontFace);
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
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, picture);
        BITMAP size;
        GetObjectA(picture, sizeof size, &size);
        BitBlt(dc, kPictureX, kPictureY, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    EndPaint(window, &paint);
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

// Where the window goes, in physical pixels (the process is DPI-aware by now).
Point centreOnScreen() {
    HDC screen = GetDC(nullptr);
    Point origin =
        centredWindowOrigin(GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES));
    ReleaseDC(nullptr, screen);
    return origin;
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
    SetProcessDPIAware();
    Point origin = centreOnScreen();

    mainWindow = CreateWindowExA(0, kWindowClassName, kWindowTitle, WS_SYSMENU, origin.x, origin.y,
                                 kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!mainWindow) {
        // No window exists whose closing could end a message loop: give up here.
        failure.add("Window Creation Failed!", "Error!", MessageIcon::Exclamation);
        return;
    }

    picture = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(kPictureResourceId), IMAGE_BITMAP, 0, 0, LR_SHARED));
    HFONT bodyFont = createAboutFont(kBodyFont);
    HFONT headingFont = createAboutFont(kHeadingFont);

    // A 64-bit handle needs the pointer-sized read of the window's instance.
    HINSTANCE windowInstance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    const DWORD staticStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    noticeControl = createChild("static", noticeText().c_str(), kNoticeBox, staticStyle, kNoticeId,
                                windowInstance, bodyFont);
    headingControl = createChild("static", kHeading, kHeadingBox, staticStyle, kHeadingId,
                                 windowInstance, headingFont);
    buttonControl = createChild("BUTTON", kButtonCaption, kButtonBox, WS_CHILD | WS_VISIBLE,
                                kButtonId, instance, bodyFont);

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
