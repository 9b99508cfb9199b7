// Looks at Windows windows from inside the Wine prefix for the end-to-end
// scripts, which see only X windows:
//   window_probe box-text [wait ms]  the title and text of the visible message box
//   window_probe close <title>       posts a close request to the window so titled
//   window_probe monitor-power <title>   sends it WM_SYSCOMMAND SC_MONITORPOWER (off)
//   window_probe minimize-restore <title>   minimises the window, then restores it
//   window_probe display-state <off|on|dimmed> <title>   tells every window so
//       titled the display's new power state, as the system's power-setting
//       notification does
//   window_probe session-settings    prints the session-wide settings GLFW changes
//   window_probe set-session-settings <foreground lock ms> <mouse trails>
//   window_probe controls <title>    the window's outer rectangle and owner, then
//       its controls, one a line: id, enabled (1/0), checked (1/0), class, text
// Exit code 0 when the window was found (or the settings read or set), 1 when not.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Found {
    HWND window = nullptr;
};

BOOL CALLBACK findMessageBox(HWND window, LPARAM param) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (IsWindowVisible(window) && std::string(className) == "#32770") {
        reinterpret_cast<Found*>(param)->window = window;
        return FALSE;
    }
    return TRUE;
}

// The message is the one static control of the box that carries text.
BOOL CALLBACK collectStaticText(HWND control, LPARAM param) {
    char className[64] = {};
    char text[1024] = {};
    GetClassNameA(control, className, sizeof(className));
    GetWindowTextA(control, text, sizeof(text));
    if (lstrcmpiA(className, "Static") == 0 && text[0] != '\0') {
        std::string* message = reinterpret_cast<std::string*>(param);
        *message += message->empty() ? "" : " ";
        *message += text;
    }
    return TRUE;
}

int printMessageBox(int waitMs) {
    Found found;
    for (int waited = 0;; waited += 50) {
        EnumWindows(findMessageBox, reinterpret_cast<LPARAM>(&found));
        if (found.window != nullptr || waited >= waitMs) {
            break;
        }
        Sleep(50);
    }
    if (found.window == nullptr) {
        return 1;
    }
    char title[256] = {};
    GetWindowTextA(found.window, title, sizeof(title));
    std::string message;
    EnumChildWindows(found.window, collectStaticText, reinterpret_cast<LPARAM>(&message));
    std::printf("%s\t%s\n", title, message.c_str());
    return 0;
}

int closeWindow(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        return 1;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

int sendMonitorPower(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        return 1;
    }
    // 2: the display is being shut off. The answer does not matter; whether it
    // reaches the default handling is read from a relay trace.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2, SMTO_ABORTIFHUNG, 5000, &answer);
    return 0;
}

// The path of a user who switches away and back: the full-screen window is
// minimised and gives up its monitor, then restored and takes it again.
int minimizeAndRestore(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, SW_MINIMIZE);
    Sleep(500);
    ShowWindow(window, SW_RESTORE);
    Sleep(500);
    return 0;
}

// The notification the system sends a window that asked for the console
// display state: WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, and a pointer to
// a POWERBROADCAST_SETTING in the receiving process. Wine sends none itself, so
// the record is written into the window's process and its address sent.
bool sendDisplayStateTo(HWND window, UCHAR value) {
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0) {
        return false;
    }
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    // GUID_CONSOLE_DISPLAY_STATE, four bytes of data of which the first counts.
    struct {
        GUID setting;
        DWORD dataLength;
        UCHAR data[4];
    } record = {{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}},
                4,
                {value, 0, 0, 0}};
    void* remote =
        VirtualAllocEx(process, nullptr, sizeof(record), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool sent = remote != nullptr &&
                WriteProcessMemory(process, remote, &record, sizeof(record), nullptr) != FALSE;
    DWORD_PTR answer = 0;
    sent = sent && SendMessageTimeoutA(
                       window, WM_POWERBROADCAST, 0x8013 /* PBT_POWERSETTINGCHANGE */,
                       reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &answer) != 0;
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return sent;
}

// Every top-level window so titled hears it, as every window that asked does
// from the system.
int sendDisplayState(const char* state, const char* title) {
    const UCHAR value = std::string(state) == "off" ? 0 : std::string(state) == "on" ? 1 : 2;
    int sent = 0;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, title));) {
        if (!sendDisplayStateTo(window, value)) {
            return 1;
        }
        ++sent;
    }
    return sent > 0 ? 0 : 1;
}

BOOL CALLBACK printControl(HWND control, LPARAM) {
    char className[64] = {};
    char text[256] = {};
    GetClassNameA(control, className, sizeof(className));
    GetWindowTextA(control, text, sizeof(text));
    const bool button = lstrcmpiA(className, "Button") == 0;
    const LRESULT checked = button ? SendMessageA(control, BM_GETCHECK, 0, 0) : 0;
    std::printf("%d %d %d %s %s\n", GetDlgCtrlID(control), IsWindowEnabled(control) ? 1 : 0,
                checked == BST_CHECKED ? 1 : 0, className, text);
    return TRUE;
}

int printControls(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        return 1;
    }
    RECT outer;
    GetWindowRect(window, &outer);
    std::printf("rect %ld %ld %ld %ld owner %llu\n", outer.left, outer.top, outer.right,
                outer.bottom, reinterpret_cast<unsigned long long>(GetWindow(window, GW_OWNER)));
    EnumChildWindows(window, printControl, 0);
    return 0;
}

int printSessionSettings() {
    UINT foregroundLockTimeout = 0;
    UINT mouseTrails = 0;
    if (!SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &foregroundLockTimeout, 0) ||
        !SystemParametersInfoW(SPI_GETMOUSETRAILS, 0, &mouseTrails, 0)) {
        return 1;
    }
    std::printf("foreground-lock-timeout %u mouse-trails %u\n", foregroundLockTimeout, mouseTrails);
    return 0;
}

// Changed for this session only, as GLFW changes them (nothing is written to
// the user's profile).
int setSessionSettings(const char* foregroundLockTimeout, const char* mouseTrails) {
    UINT timeout = static_cast<UINT>(std::strtoul(foregroundLockTimeout, nullptr, 10));
    UINT trails = static_cast<UINT>(std::strtoul(mouseTrails, nullptr, 10));
    bool set = SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                     reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)),
                                     SPIF_SENDCHANGE) &&
               SystemParametersInfoW(SPI_SETMOUSETRAILS, trails, nullptr, SPIF_SENDCHANGE);
    return set ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "box-text") {
        return printMessageBox(argc > 2 ? std::atoi(argv[2]) : 0);
    }
    if (command == "close" && argc > 2) {
        return closeWindow(argv[2]);
    }
    if (command == "monitor-power" && argc > 2) {
        return sendMonitorPower(argv[2]);
    }
    if (command == "minimize-restore" && argc > 2) {
        return minimizeAndRestore(argv[2]);
    }
    if (command == "display-state" && argc > 3) {
        return sendDisplayState(argv[2], argv[3]);
    }
    if (command == "controls" && argc > 2) {
        return printControls(argv[2]);
    }
    if (command == "session-settings") {
        return printSessionSettings();
    }
    if (command == "set-session-settings" && argc > 3) {
        return setSessionSettings(argv[2], argv[3]);
    }
    std::fprintf(stderr,
                 "usage: window_probe box-text [wait ms] | close <title> | monitor-power <title>\n"
                 "       | minimize-restore <title> | display-state <off|on|dimmed> <title>\n"
                 "       | session-settings | controls <title>\n"
                 "       | set-session-settings <foreground lock ms> <mouse trails>\n");
    return 2;
}
