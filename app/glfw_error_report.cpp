// GLFW's errors as message boxes (see glfw_error_report.h). GLFW's error
// callback takes no user pointer, so the holder it reports to is found
// through one file-scope pointer.
#include "app/glfw_error_report.h"

#include "platform/message_box.h"

namespace {

// GLFW's error callback gets no user pointer, so it finds the holder that is
// collecting errors, if any, only here.
HeldGLFWErrors* currentHolder = nullptr;

}  // namespace

void onGLFWError(int, const char* description) {
    const char* text = description != nullptr ? description : "";
    if (currentHolder != nullptr) {
        currentHolder->descriptions_.push_back(text);
        return;
    }
    showMessageBox(text, "Error");
}

HeldGLFWErrors::HeldGLFWErrors() : outer_(currentHolder) {
    currentHolder = this;
}

HeldGLFWErrors::~HeldGLFWErrors() {
    currentHolder = outer_;
}

void HeldGLFWErrors::showAll() {
    for (const std::string& description : descriptions_) {
        showMessageBox(description.c_str(), "Error");
    }
    descriptions_.clear();
}
