// Records every message box while it lives, as "title|text", in order, and
// keeps the boxes off standard error.
#pragma once
#include <string>
#include <vector>

class Failure;

class BoxRecorder {
  public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    const std::vector<std::string>& boxes() const;
};

// The boxes of a failure in the recorder's "title|text" form.
std::vector<std::string> boxesOf(const Failure& failure);
