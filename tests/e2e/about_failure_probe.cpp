// Drives the About window into both of its failure paths, and reports them
// as the program's entry does: the class name is already taken by a class whose windows refuse to
// be created, so registration fails and then creation fails. The program must then show both
// message boxes and end with 0 instead of waiting in a message loop that nothing could end.
#include <windows.h>

#include "about/about_window.h"
#include "app/failure_report.h"
#include "platform/failure.h"

namespace {

LRESULT CALLBACK refuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        return FALSE;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA taken{};
    taken.lpfnWndProc = refuseCreation;
    taken.hInstance = instance;
    taken.lpszClassName = "QuillbrookWindowClass";
    if (!RegisterClassA(&taken))
        return 2;
    Failure failure;
    AboutWindow(instance, SW_SHOWNORMAL).run(failure);
    return endRun(failure);
}
