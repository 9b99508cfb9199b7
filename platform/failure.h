// What went wrong, as the message boxes that tell the user, in the order they
// are shown. Every layer hands its failure back to its caller; one place near
// the entry shows the message boxes and ends the run.
#pragma once
#include <string>
#include <vector>

#include "platform/message_box.h"

struct FailureMessageBox {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class Failure {
  public:
    // "Debug" with the information icon is how the program titles its own failures.
    void add(std::string text, std::string title = "Debug",
             MessageIcon icon = MessageIcon::Information) {
        messageBoxes_.push_back({std::move(text), std::move(title), icon});
    }
    bool happened() const { return !messageBoxes_.empty(); }
    const std::vector<FailureMessageBox>& messageBoxes() const { return messageBoxes_; }

  private:
    std::vector<FailureMessageBox> messageBoxes_;
};
