// Looks at Windows windows from inside the Wine prefix for the end-to-end
// scripts, which see only X windows:
//   window_probe box-text [wait ms]  the title and text of the visible message box
//   window_probe close <title>       posts a close request to the window so titled
// Exit code 0 when the window was found, 1 when not.
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

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "box-text") {
        return printMessageBox(argc > 2 ? std::atoi(argv[2]) : 0);
    }
    if (command == "close" && argc > 2) {
        return closeWindow(argv[2]);
    }
    std::fprintf(stderr, "usage: window_probe box-text [wait ms] | close <title>\n");
    return 2;
}
