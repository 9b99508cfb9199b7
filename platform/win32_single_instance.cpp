// Single-instance name on Windows: a named manual-reset event that is never
// signalled; only its existence counts, and the first holder never closes it.
#include <windows.h>

#include <string>

#include "platform/single_instance.h"

bool claimSingleInstanceName(const char* name) {
    std::wstring wideName(name, name + std::char_traits<char>::length(name));
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, wideName.c_str());
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(event);
        return false;
    }
    return true;
}
