// Message boxes on Windows: MessageBoxA with no owner; it blocks until dismissed.
#include <windows.h>

#include "platform/message_box.h"

void showPlatformMessageBox(const char* text, const char* title, MessageIcon icon) {
    UINT style =
        icon == MessageIcon::Exclamation ? (MB_ICONEXCLAMATION | MB_OK) : MB_ICONINFORMATION;
    MessageBoxA(nullptr, text, title, style);
}
