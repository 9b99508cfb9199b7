// A stand-in for the system's screensaver settings page, in its own process:
// a window with a preview pane whose handle it passes to "<scr> /p <handle>".
// It checks what the preview looks like from the outside, then ends it:
//   preview_host <scr> click [go file]     waits for a click on the pane (the script clicks)
//   preview_host <scr> disable [go file]   disables the pane
//   preview_host <scr> destroy [go file]   destroys the pane
//   preview_host <scr> restart [go file]   as the settings page does when the
//       user picks another entry: destroys the pane as soon as the preview has
//       attached its window (it is still setting up), starts a new preview in
//       a new pane 100 ms later, and prints "first exit <code> <ms>" once the
//       first has ended; then goes on with the new one as `destroy` does
//   preview_host <scr> visibility go-file   as the user minimises the settings
//       page, restores and hides it, and shows it again: each step waits for
//       the go file with "-minimise", "-hide" or "-show" after its name and
//       prints "minimised", "hidden" or "shown"; then goes on as `destroy` does
// It prints "pane <handle> <x> <y> <width> <height>" (screen coordinates),
// "ready" once the preview runs, then waits for the go file (when one is
// named) before it disables or destroys the pane, and prints "exit <code>
// <ms>" when the preview has ended. Exit code: the number of failed checks.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/e2e/win32_checks.h"

namespace {

constexpr int kPaneWidth = 152;  // the size of the classic preview monitor
constexpr int kPaneHeight = 112;
constexpr DWORD kPreviewStartMs = 30000;  // a cold Wine start is slow
constexpr DWORD kSettleMs = 500;          // let it draw a few frames
constexpr DWORD kClickWaitMs = 20000;
constexpr DWORD kEndWaitMs = 5000;
constexpr DWORD kEndLimitMs = 1000;  // a disabled or destroyed pane ends it this fast
constexpr DWORD kGoWaitMs = 30000;
constexpr DWORD kRestartDelayMs = 100;  // from dropping a pane to starting the next preview
constexpr DWORD kNotEnded = 0xFFFFFFFF;

// Handles messages while waiting: the preview's window is a child of ours, so
// its creation and input wait for this thread.
bool pumpUntil(HANDLE process, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) {
            return process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        }
        DWORD woken = MsgWaitForMultipleObjects(process != nullptr ? 1 : 0, &process, FALSE,
                                                milliseconds - elapsed, QS_ALLINPUT);
        if (process != nullptr && woken == WAIT_OBJECT_0) {
            return true;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

struct ProcessWindows {
    DWORD processId;
    HWND child = nullptr;
    int visibleTopLevel = 0;
};

BOOL CALLBACK findChildOfProcess(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<ProcessWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId && found->child == nullptr) {
        found->child = window;
    }
    return TRUE;
}

BOOL CALLBACK countVisibleTopLevel(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<ProcessWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId && IsWindowVisible(window)) {
        ++found->visibleTopLevel;
    }
    return TRUE;
}

// The preview's child of the pane, once it carries GLFW's window property (it
// appears a moment before the attachment); the bare child after the time limit.
HWND waitForPreviewChild(HWND pane, HANDLE process, DWORD processId) {
    DWORD start = GetTickCount();
    ProcessWindows found{processId};
    while (GetTickCount() - start < kPreviewStartMs) {
        found.child = nullptr;
        EnumChildWindows(pane, findChildOfProcess, reinterpret_cast<LPARAM>(&found));
        if ((found.child != nullptr && GetPropW(found.child, L"GLFW") != nullptr) ||
            pumpUntil(process, 20)) {
            break;
        }
    }
    return found.child;
}

void checkPreviewWindow(HWND pane, HWND child, DWORD processId) {
    RECT paneArea{};
    RECT childArea{};
    GetClientRect(pane, &paneArea);
    GetClientRect(child, &childArea);
    CHECK(GetAncestor(child, GA_PARENT) == pane);
    CHECK(IsWindowVisible(child));
    CHECK(childArea.right == paneArea.right && childArea.bottom == paneArea.bottom);
    // GLFW finds its window record through this property: the child is attached.
    CHECK(GetPropW(child, L"GLFW") != nullptr);
    ProcessWindows topLevel{processId};
    EnumWindows(countVisibleTopLevel, reinterpret_cast<LPARAM>(&topLevel));
    CHECK(topLevel.visibleTopLevel == 0);
}

bool waitForGoFile(const std::string& path, HANDLE process) {
    DWORD start = GetTickCount();
    while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > kGoWaitMs || pumpUntil(process, 50)) {
            return false;
        }
    }
    return true;
}

HWND makePane(HWND host) {
    HWND pane = CreateWindowExW(0, L"PreviewPane", L"", WS_CHILD | WS_VISIBLE, 84, 64, kPaneWidth,
                                kPaneHeight, host, nullptr, GetModuleHandleW(nullptr), nullptr);
    pumpUntil(nullptr, 20);
    return pane;
}

HWND makeHostWindows(HWND* pane) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"PreviewHostWindow";
    RegisterClassW(&windowClass);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"PreviewPane";
    RegisterClassW(&windowClass);
    HWND host = CreateWindowExW(0, L"PreviewHostWindow", L"Preview host", WS_POPUP | WS_VISIBLE, 0,
                                0, 320, 240, nullptr, nullptr, instance, nullptr);
    *pane = makePane(host);
    pumpUntil(nullptr, 100);
    return host;
}

bool startPreview(const char* scr, HWND pane, PROCESS_INFORMATION* process) {
    std::string commandLine =
        std::string("\"") + scr + "\" /p " + std::to_string(reinterpret_cast<std::uintptr_t>(pane));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, process) != FALSE;
}

// What is left of `total` milliseconds counted from `start`.
DWORD leftOf(DWORD total, DWORD start) {
    const DWORD elapsed = GetTickCount() - start;
    return elapsed < total ? total - elapsed : 0;
}

// Milliseconds from `start` to the end of `process`, once it has ended.
void noteEnd(HANDLE process, DWORD start, DWORD* endMs) {
    if (*endMs == kNotEnded && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
        *endMs = GetTickCount() - start;
    }
}

// Drops the pane of a preview that is still setting up and starts the next
// one in a new pane; checks that the first ends within the limit, with 0.
// `process` and `pane` become the new preview's.
bool restartPreview(const char* scr, HWND host, HWND* pane, PROCESS_INFORMATION* process) {
    HWND child = waitForPreviewChild(*pane, process->hProcess, process->dwProcessId);
    if (!CHECK(child != nullptr)) {
        return false;
    }
    const PROCESS_INFORMATION first = *process;
    const DWORD start = GetTickCount();
    DestroyWindow(*pane);
    DWORD endMs = kNotEnded;
    pumpUntil(first.hProcess, kRestartDelayMs);
    noteEnd(first.hProcess, start, &endMs);
    pumpUntil(nullptr, leftOf(kRestartDelayMs, start));
    *pane = makePane(host);
    const bool started = CHECK(startPreview(scr, *pane, process));
    if (endMs == kNotEnded && pumpUntil(first.hProcess, leftOf(kEndWaitMs, start))) {
        noteEnd(first.hProcess, start, &endMs);
    }
    DWORD exitCode = 1;
    if (CHECK(endMs != kNotEnded)) {
        GetExitCodeProcess(first.hProcess, &exitCode);
    } else {
        TerminateProcess(first.hProcess, 1);
    }
    std::printf("first exit %lu %lu\n", exitCode, endMs);
    std::fflush(stdout);
    CHECK(exitCode == 0);
    CHECK(endMs <= kEndLimitMs);
    CloseHandle(first.hProcess);
    CloseHandle(first.hThread);
    return started;
}

// The settings page minimised, restored and hidden, then shown again, each
// step when the script says; the preview keeps running throughout.
void hideAndShowHost(HWND host, const std::string& goFile, HANDLE process) {
    const struct {
        const char* suffix;
        int show;
        const char* done;
    } steps[] = {{"-minimise", SW_MINIMIZE, "minimised"},
                 {"-hide", SW_HIDE, "hidden"},
                 {"-show", SW_SHOWNORMAL, "shown"}};
    for (const auto& step : steps) {
        if (!CHECK(waitForGoFile(goFile + step.suffix, process))) {
            return;
        }
        if (step.show == SW_HIDE) {
            ShowWindow(host, SW_RESTORE);  // hidden from its normal place, not from the taskbar
        }
        ShowWindow(host, step.show);
        pumpUntil(nullptr, 50);
        CHECK(!pumpUntil(process, 0));
        std::printf("%s\n", step.done);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string scenario = argc > 2 ? argv[2] : "";
    if (scenario != "click" && scenario != "disable" && scenario != "destroy" &&
        scenario != "restart" && scenario != "visibility") {
        std::fprintf(stderr,
                     "usage: preview_host <scr> click|disable|destroy|restart|visibility\n");
        return 100;
    }
    HWND pane = nullptr;
    HWND host = makeHostWindows(&pane);
    POINT corner{0, 0};
    ClientToScreen(pane, &corner);
    std::printf("pane %llu %ld %ld %d %d\n",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pane)), corner.x,
                corner.y, kPaneWidth, kPaneHeight);
    std::fflush(stdout);

    PROCESS_INFORMATION process{};
    if (!CHECK(startPreview(argv[1], pane, &process))) {
        return checks::failures;
    }
    if (scenario == "restart" && !restartPreview(argv[1], host, &pane, &process)) {
        return checks::failures;
    }
    HWND child = waitForPreviewChild(pane, process.hProcess, process.dwProcessId);
    if (CHECK(child != nullptr)) {
        checkPreviewWindow(pane, child, process.dwProcessId);
        CHECK(!pumpUntil(process.hProcess, kSettleMs));  // still running on its own
    }
    std::printf("ready\n");
    std::fflush(stdout);
    if (scenario == "visibility" && argc > 3) {
        hideAndShowHost(host, argv[3], process.hProcess);
    }
    // A click needs no go file: the script clicks when it is ready.
    if (argc > 3 && scenario != "click") {
        CHECK(waitForGoFile(argv[3], process.hProcess));
    }

    DWORD endStart = GetTickCount();
    DWORD wait = kClickWaitMs;
    if (scenario == "disable") {
        EnableWindow(pane, FALSE);
        wait = kEndWaitMs;
    } else if (scenario == "destroy" || scenario == "restart" || scenario == "visibility") {
        DestroyWindow(pane);
        wait = kEndWaitMs;
    }
    bool ended = pumpUntil(process.hProcess, wait);
    DWORD endMs = GetTickCount() - endStart;
    DWORD exitCode = 1;
    if (CHECK(ended)) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    std::printf("exit %lu %lu\n", exitCode, endMs);
    CHECK(exitCode == 0);
    if (scenario != "click") {
        CHECK(endMs <= kEndLimitMs);
    }
    std::fflush(stdout);
    return checks::failures;
}
