// The About window told, once it shows, that its monitor now has another
// scale, as Windows tells a per-monitor aware window dragged onto such a
// monitor. The message carries a pointer to the suggested rectangle, so it is
// sent from a thread of this process rather than from outside.
//   about_dpi_change_probe <dpi> <x> <y> <width> <height>
// The window then runs as in configuration mode until it is closed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "about/about_texts.h"
#include "about/about_window.h"
#include "platform/failure.h"

namespace {

struct DpiChange {
    WORD dpi;
    RECT suggested;
};

DWORD WINAPI sendDpiChange(void* parameter) {
    DpiChange* change = static_cast<DpiChange*>(parameter);
    HWND window = nullptr;
    for (int waited = 0; window == nullptr && waited < 30000; waited += 50) {
        Sleep(50);
        window = FindWindowA(about::kWindowClassName, about::kWindowTitle);
    }
    if (window == nullptr) {
        std::printf("no About window\n");
        std::fflush(stdout);
        return 1;
    }
    Sleep(500);  // shown and painted at the first scale
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(change->dpi, change->dpi),
                 reinterpret_cast<LPARAM>(&change->suggested));
    std::printf("sent dpi %u\n", change->dpi);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: about_dpi_change_probe <dpi> <x> <y> <width> <height>\n");
        return 2;
    }
    static DpiChange change;
    change.dpi = static_cast<WORD>(std::atoi(argv[1]));
    int x = std::atoi(argv[2]);
    int y = std::atoi(argv[3]);
    change.suggested = RECT{x, y, x + std::atoi(argv[4]), y + std::atoi(argv[5])};
    HANDLE sender = CreateThread(nullptr, 0, sendDpiChange, &change, 0, nullptr);
    Failure failure;
    AboutWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL).run(failure);
    CloseHandle(sender);
    return failure.happened() ? 3 : 0;
}
