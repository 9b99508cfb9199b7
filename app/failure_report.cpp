// Showing a failure and ending the run (see failure_report.h).
#include "app/failure_report.h"

#include "platform/failure.h"
#include "platform/message_box.h"

int endRun(const Failure& failure) {
    if (failure.happened()) {
        for (const FailureMessageBox& box : failure.messageBoxes()) {
            showMessageBox(box.text.c_str(), box.title.c_str(), box.icon);
        }
    }
    return 0;
}
