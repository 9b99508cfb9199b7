// Keeping the libraries loaded on Windows (see driver_libraries.h): every
// module loaded so far is pinned, so that GLFW's FreeLibrary calls leave them
// mapped. Wine's XInput, which GLFW loads for joysticks and frees when it is
// terminated, runs a thread of its own that can still be on its way out of
// the library's code when the library is unmapped, and then faults there.
#include <windows.h>

#include <psapi.h>

#include <vector>

#include "platform/driver_libraries.h"

void keepDriverLibrariesLoaded() {
    HANDLE process = GetCurrentProcess();
    std::vector<HMODULE> modules(64);
    DWORD needed = 0;
    while (K32EnumProcessModules(process, modules.data(),
                                 static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed) &&
           needed > modules.size() * sizeof(HMODULE)) {
        modules.resize(needed / sizeof(HMODULE));
    }
    modules.resize(needed / sizeof(HMODULE));
    for (HMODULE module : modules) {
        HMODULE pinned = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(module), &pinned);
    }
}
