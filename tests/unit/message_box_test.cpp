// The one reporting path: a hook sees every box, text and title as given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box.h"

namespace {
std::vector<std::string> seen;
void record(const char* text, const char* title) {
    seen.push_back(std::string(title) + "|" + text);
}
}  // namespace

TEST(MessageBox, HookSeesEveryBoxInOrder) {
    seen.clear();
    setMessageBoxHook(record);
    testing::internal::CaptureStderr();
    showMessageBox("first", "Debug");
    showMessageBox("second", "Error");
    std::string printed = testing::internal::GetCapturedStderr();
    setMessageBoxHook(nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"Debug|first", "Error|second"}));
    EXPECT_EQ(printed, "Debug: first\nError: second\n");
}
