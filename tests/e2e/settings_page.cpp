// A stand-in for the system's screensaver settings page pressing its Settings
// button: a top-level window whose handle it passes as "<scr> /c:<handle>".
//   settings_page <scr> [x y]    the page's top-left corner (default 20 20)
// Prints "page <handle>", then "page disabled" or "page enabled" once the
// Settings window shows (modal to the page, it must be disabled), and
// "exit <code> page <enabled|disabled>" when the program has ended.
// Exit code: 0 when the program ended with 0 and left the page enabled.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createPage(int x, int y) {
    WNDCLASSA page{};
    page.lpfnWndProc = pageProcedure;
    page.hInstance = GetModuleHandleA(nullptr);
    page.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    page.lpszClassName = "SettingsPageStandIn";
    RegisterClassA(&page);
    HWND window = CreateWindowExA(0, page.lpszClassName, "Settings page stand-in",
                                  WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, x, y, 300, 200, nullptr,
                                  nullptr, page.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: settings_page <scr> [x y]\n");
        return 2;
    }
    HWND page =
        createPage(argc == 4 ? std::atoi(argv[2]) : 20, argc == 4 ? std::atoi(argv[3]) : 20);
    const auto handle = reinterpret_cast<unsigned long long>(page);
    std::printf("page %llu\n", handle);
    std::fflush(stdout);

    std::string commandLine = "\"" + std::string(argv[1]) + "\" /c:" + std::to_string(handle);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("could not start %s\n", argv[1]);
        return 3;
    }

    // The Settings window is owned by the page, so this thread keeps handling
    // messages while it shows.
    // The script's time limit ends both processes if it never closes.
    bool reported = false;
    while (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
        MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        HWND settings = FindWindowA(nullptr, "Glimmerpond 3D Settings");
        if (!reported && settings != nullptr && IsWindowVisible(settings)) {
            Sleep(300);  // the dialog disables its owner as it shows
            std::printf("page %s\n", IsWindowEnabled(page) ? "enabled" : "disabled");
            std::fflush(stdout);
            reported = true;
        }
    }
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    const bool enabled = IsWindowEnabled(page) != FALSE;
    std::printf("exit %lu page %s\n", code, enabled ? "enabled" : "disabled");
    std::fflush(stdout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0 && enabled ? 0 : 1;
}
