// Start-up decisions: which modes consult the single-instance guard and where
// each mode goes; the callbacks and signals that end the process; the first
// frame's seed.
#include <gtest/gtest.h>

#include <csignal>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "scene/frame_seed.h"
#include "app/startup.h"
#include "app/window_callbacks.h"
#include "platform/termination_request.h"
#include "tests/support/box_recorder.h"

namespace {

int guardAsked = 0;
bool firstInstance() {
    ++guardAsked;
    return true;
}
bool laterInstance() {
    ++guardAsked;
    return false;
}

}  // namespace

TEST(StartupRoad, PreviewAndSwitchlessRunsAreRefusedBesideALiveOne) {
    guardAsked = 0;
    EXPECT_EQ(chooseStartupRoad(Preview, laterInstance), StartupRoad::End);
    EXPECT_EQ(chooseStartupRoad(NoSwitch, laterInstance), StartupRoad::End);
    EXPECT_EQ(chooseStartupRoad(Preview, firstInstance), StartupRoad::Screensaver);
    EXPECT_EQ(chooseStartupRoad(NoSwitch, firstInstance), StartupRoad::Screensaver);
    EXPECT_EQ(guardAsked, 4);
}

TEST(StartupRoad, FullScreenAndConfigureNeverAskTheGuard) {
    guardAsked = 0;
    EXPECT_EQ(chooseStartupRoad(FullScreen, laterInstance), StartupRoad::Screensaver);
    EXPECT_EQ(chooseStartupRoad(Configure, laterInstance), StartupRoad::About);
    EXPECT_EQ(guardAsked, 0);
}

TEST(StartupRoad, ConfigureShowsTheAboutFactsAndReturnsZero) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(startScreensaver("/c", nullptr, 0), 0);
    // The Linux About road prints the facts; no window is opened for it.
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Glimmerpond"), std::string::npos);
}

TEST(WindowCallbacks, GLFWErrorsAreShownTitledError) {
    BoxRecorder recorder;
    onGLFWError(0x00010001, "The GLFW library is not initialized");
    EXPECT_EQ(recorder.boxes(),
              std::vector<std::string>{"Error|The GLFW library is not initialized"});
}

TEST(WindowCallbacks, KeysAndButtonsEndTheProcessWithZero) {
    // Shift alone, a release, a repeat: every key event ends it.
    EXPECT_EXIT(onKey(nullptr, 340, 50, 1, 0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(onKey(nullptr, 65, 38, 0, 0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(onKey(nullptr, 65, 38, 2, 0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(onMouseButton(nullptr, 0, 0, 0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(onMouseButton(nullptr, 1, 1, 0), testing::ExitedWithCode(0), "");
}

TEST(WindowCallbacks, PointerAndWheelDoNothing) {
    onCursorPos(nullptr, 10.0, 20.0);
    onScroll(nullptr, 0.0, -1.0);
    SUCCEED() << "still running";
}

// In a child process, so that the test program keeps its own signal handling.
TEST(TerminationRequest, SigtermAndSigintAreRememberedInsteadOfEndingTheProcess) {
    for (int signalNumber : {SIGTERM, SIGINT}) {
        EXPECT_EXIT(
            {
                watchTerminationRequests();
                if (terminationRequested()) {
                    std::_Exit(2);
                }
                std::raise(signalNumber);
                std::_Exit(terminationRequested() ? 0 : 1);
            },
            testing::ExitedWithCode(0), "")
            << signalNumber;
    }
}

TEST(FirstFrameSeed, TimerInTenMicrosecondUnitsModuloTenThousand) {
    EXPECT_EQ(firstFrameSeed(0.0f), 0u);
    EXPECT_EQ(firstFrameSeed(0.5f), 0u);         // 50000
    EXPECT_EQ(firstFrameSeed(0.01234f), 1234u);  // 1233.99999 rounds up as a float
    EXPECT_EQ(firstFrameSeed(1.5f), 0u);         // 150000
    EXPECT_EQ(firstFrameSeed(2.75f), 5000u);     // 275000
    for (float t : {0.3f, 1.0f, 3.14159f, 12.5f, 700.0f}) {
        EXPECT_LT(firstFrameSeed(t), 10000u) << t;
    }
}

TEST(FirstFrameSeed, ProductIsTakenInSinglePrecision) {
    // 0.02999999932944774627685546875 x 100000 is 2999.99993... exactly, which
    // a double keeps below 3000; in single precision it rounds to 3000.0.
    EXPECT_EQ(firstFrameSeed(0.03f), 3000u);
}

TEST(FirstFrameSeed, StaysDefinedForTimesBeyondTheUnsignedRange) {
    // 50000 s is 5e9 ticks, past what an unsigned holds.
    EXPECT_LT(firstFrameSeed(50000.0f), 10000u);
    EXPECT_EQ(firstFrameSeed(-1.0f), 0u);
    EXPECT_EQ(firstFrameSeed(INFINITY), 0u);
    EXPECT_EQ(firstFrameSeed(NAN), 0u);
}
