// The floor for start-up: a plain Win32 program that opens a full-screen
// window, makes an OpenGL context on it, draws a colour ramp over it and
// swaps at once, then prints when that happened ("stamp entry SECONDS",
// "stamp presented SECONDS", wall-clock seconds since 1970, on standard
// error) and ends; with "hold" among its arguments it stays until it is
// ended, as a screensaver does, for a poller that watches the screen. What
// it takes is what any OpenGL screensaver pays before it has drawn anything.
// The ramp gives the screen's centre many colours, as the water does.
#include <windows.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

double wallClock() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

const char kClassName[] = "PlainWindowFloor";

HGLRC makeContext(HDC dc) {
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    format.cDepthBits = 24;
    SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format);
    HGLRC context = wglCreateContext(dc);
    wglMakeCurrent(dc, context);
    return context;
}

// Red across, green up, a checker of two blues: dozens of colours in
// any 64 x 64 square. Fixed-function drawing, nothing to compile.
void drawRamp() {
    glBegin(GL_QUADS);
    const float step = 1.0f / 32.0f;
    for (int i = 0; i < 64; ++i) {
        for (int j = 0; j < 64; ++j) {
            const float x = -1.0f + i * step, y = -1.0f + j * step;
            const float blue = (i + j) % 2 == 0 ? 0.8f : 0.3f;
            glColor3f(i / 64.0f, j / 64.0f, blue);
            glVertex2f(x, y);
            glColor3f((i + 1) / 64.0f, j / 64.0f, blue);
            glVertex2f(x + step, y);
            glColor3f((i + 1) / 64.0f, (j + 1) / 64.0f, blue);
            glVertex2f(x + step, y + step);
            glColor3f(i / 64.0f, (j + 1) / 64.0f, blue);
            glVertex2f(x, y + step);
        }
    }
    glEnd();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const double entry = wallClock();
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, "Floor", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    HDC dc = GetDC(window);
    makeContext(dc);
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    drawRamp();
    SwapBuffers(dc);
    glFinish();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
    const double presented = wallClock();
    std::fprintf(stderr, "stamp entry %.6f\nstamp presented %.6f\n", entry, presented);
    std::fflush(stderr);
    if (std::strstr(commandLine, "hold") != nullptr) {
        for (;;) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            Sleep(20);
        }
    }
    return 0;
}
