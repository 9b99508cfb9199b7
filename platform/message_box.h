// The one way the program reports a failure to the user: a message box with
// no owner window. Tests observe every box through the hook.
#pragma once

enum class MessageIcon { Information, Exclamation };

void showMessageBox(const char* text, const char* title,
                    MessageIcon icon = MessageIcon::Information);

// When a hook is set it is told of every box before the box is shown.
using MessageBoxHook = void (*)(const char* text, const char* title);
void setMessageBoxHook(MessageBoxHook hook);
