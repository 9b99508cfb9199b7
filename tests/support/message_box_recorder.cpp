// Message boxes seen by a test (see message_box_recorder.h).
#include "tests/support/message_box_recorder.h"

#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/message_box.h"

namespace {

std::vector<std::string> recorded;

void record(const char* text, const char* title) {
    recorded.push_back(std::string(title) + "|" + text);
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() {
    recorded.clear();
    setMessageBoxHook(record);
    testing::internal::CaptureStderr();
}

MessageBoxRecorder::~MessageBoxRecorder() {
    testing::internal::GetCapturedStderr();
    setMessageBoxHook(nullptr);
}

const std::vector<std::string>& MessageBoxRecorder::messageBoxes() const {
    return recorded;
}

std::vector<std::string> messageBoxesOf(const Failure& failure) {
    std::vector<std::string> messageBoxes;
    for (const FailureMessageBox& box : failure.messageBoxes()) {
        messageBoxes.push_back(box.title + "|" + box.text);
    }
    return messageBoxes;
}
