// Message boxes seen by a test (see box_recorder.h).
#include "tests/support/box_recorder.h"

#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/message_box.h"

namespace {

std::vector<std::string> recorded;

void record(const char* text, const char* title) {
    recorded.push_back(std::string(title) + "|" + text);
}

}  // namespace

BoxRecorder::BoxRecorder() {
    recorded.clear();
    setMessageBoxHook(record);
    testing::internal::CaptureStderr();
}

BoxRecorder::~BoxRecorder() {
    testing::internal::GetCapturedStderr();
    setMessageBoxHook(nullptr);
}

const std::vector<std::string>& BoxRecorder::boxes() const {
    return recorded;
}

std::vector<std::string> boxesOf(const Failure& failure) {
    std::vector<std::string> boxes;
    for (const FailureBox& box : failure.boxes()) {
        boxes.push_back(box.title + "|" + box.text);
    }
    return boxes;
}
