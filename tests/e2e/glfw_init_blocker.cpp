// Runs a program with glfwInit bound to fail, while the display works, so
// that its message boxes can be seen: a system-wide CBT hook (from the DLL
// next to this program) refuses GLFW's helper window.
//   glfw_init_blocker <program> [arguments]   exits with the program's exit code
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: glfw_init_blocker <program> [arguments]\n");
        return 2;
    }
    char here[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, here, MAX_PATH);
    std::string hookPath(here);
    hookPath = hookPath.substr(0, hookPath.find_last_of("\\/") + 1) + "glfw_init_blocker_hook.dll";
    HMODULE hookModule = LoadLibraryA(hookPath.c_str());
    FARPROC hook =
        hookModule != nullptr ? GetProcAddress(hookModule, "refuseGLFWHelperWindow") : nullptr;
    if (hook == nullptr ||
        SetWindowsHookExW(WH_CBT, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(hook)),
                          hookModule, 0) == nullptr) {
        std::fprintf(stderr, "glfw_init_blocker: cannot install the hook from %s\n",
                     hookPath.c_str());
        return 3;
    }

    std::string commandLine = std::string("\"") + argv[1] + "\"";
    for (int i = 2; i < argc; ++i) {
        commandLine += std::string(" ") + argv[i];
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "glfw_init_blocker: cannot start %s\n", argv[1]);
        return 4;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    return static_cast<int>(exitCode);
}
