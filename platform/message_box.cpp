// The reporting path shared by both platforms: the hook, then the platform's box.
#include "platform/message_box.h"

namespace {
MessageBoxHook boxHook = nullptr;
}

void showPlatformMessageBox(const char* text, const char* title, MessageIcon icon);

void setMessageBoxHook(MessageBoxHook hook) {
    boxHook = hook;
}

void showMessageBox(const char* text, const char* title, MessageIcon icon) {
    if (boxHook != nullptr) {
        boxHook(text, title);
    }
    showPlatformMessageBox(text, title, icon);
}
