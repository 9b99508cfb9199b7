// Records every message box while it lives, as "title|text", in order, and
// keeps the message boxes off standard error.
#pragma once
#include <string>
#include <vector>

class Failure;

class MessageBoxRecorder {
  public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<std::string>& messageBoxes() const;
};

// The message boxes of a failure in the recorder's "title|text" form.
std::vector<std::string> messageBoxesOf(const Failure& failure);
