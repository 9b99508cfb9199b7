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
#include "app/single_instance_guard.h"
#include "app/startup.h"
#include "app/glfw_error_report.h"
#include "app/window_callbacks.h"
#include "platform/quit_request.h"
#include "tests/support/message_box_recorder.h"

namespace {

int askedAtOnce = 0;
int askedWithinWait = 0;
bool firstAtOnce() {
    ++askedAtOnce;
    return true;
}
bool laterAtOnce() {
    ++askedAtOnce;
    return false;
}
bool firstWithinWait() {
    ++askedWithinWait;
    return true;
}
bool laterWithinWait() {
    ++askedWithinWait;
    return false;
}
const InstanceClaims kFirst{firstAtOnce, firstWithinWait};
const InstanceClaims kLater{laterAtOnce, laterWithinWait};

// A clock that moves only when slept on, and a name that another run lets go
// of at `releasedAt` on it.
double clockNow = 0.0;
double releasedAt = 0.0;
int claimsMade = 0;
std::vector<double> sleeps;
double fakeNow() {
    return clockNow;
}
void fakeSleep(double seconds) {
    sleeps.push_back(seconds);
    clockNow += seconds;
}
bool claimOnceReleased() {
    ++claimsMade;
    return clockNow >= releasedAt;
}
const WaitClock kFakeClock{fakeNow, fakeSleep};

void startClock(double releaseTime) {
    clockNow = 100.0;
    releasedAt = 100.0 + releaseTime;
    claimsMade = 0;
    sleeps.clear();
}

}  // namespace

TEST(StartupPath, PreviewAndSwitchlessRunsAreRefusedBesideALiveOne) {
    askedAtOnce = askedWithinWait = 0;
    EXPECT_EQ(chooseStartupPath(Preview, kLater, true), StartupPath::End);
    EXPECT_EQ(chooseStartupPath(NoSwitch, kLater, true), StartupPath::End);
    EXPECT_EQ(chooseStartupPath(Preview, kFirst, true), StartupPath::Screensaver);
    // The first switchless run: Settings on Windows, the screensaver on Linux.
    EXPECT_EQ(chooseStartupPath(NoSwitch, kFirst, true), StartupPath::Settings);
    EXPECT_EQ(chooseStartupPath(NoSwitch, kFirst, false), StartupPath::Screensaver);
    // Only a preview waits for an ending run: a switchless run is refused at once.
    EXPECT_EQ(askedWithinWait, 2);
    EXPECT_EQ(askedAtOnce, 3);
}

TEST(StartupPath, FullScreenAndConfigureNeverAskTheGuard) {
    askedAtOnce = askedWithinWait = 0;
    EXPECT_EQ(chooseStartupPath(FullScreen, kLater, true), StartupPath::Screensaver);
    EXPECT_EQ(chooseStartupPath(Configure, kLater, true), StartupPath::Settings);
    EXPECT_EQ(chooseStartupPath(Configure, kLater, false), StartupPath::Settings);
    EXPECT_EQ(askedAtOnce + askedWithinWait, 0);
}

TEST(GuardWait, ClaimsAsSoonAsTheEndingRunLetsGo) {
    startClock(0.0);
    EXPECT_TRUE(claimWithinWait(claimOnceReleased, 1.0, 0.02, kFakeClock));
    EXPECT_EQ(claimsMade, 1);
    EXPECT_TRUE(sleeps.empty()) << "a free name is taken without waiting";

    startClock(0.3);
    EXPECT_TRUE(claimWithinWait(claimOnceReleased, 1.0, 0.02, kFakeClock));
    EXPECT_NEAR(clockNow - 100.0, 0.3, 0.02 + 1e-9) << "taken within one poll of its release";
    EXPECT_EQ(claimsMade, static_cast<int>(sleeps.size()) + 1);

    // Let go exactly at the deadline: the last ask, made there, still takes it.
    startClock(1.0);
    EXPECT_TRUE(claimWithinWait(claimOnceReleased, 1.0, 0.3, kFakeClock));
    EXPECT_DOUBLE_EQ(clockNow, 101.0);
}

TEST(GuardWait, GivesUpAtTheDeadlineWithoutSleepingPastIt) {
    startClock(5.0);
    EXPECT_FALSE(claimWithinWait(claimOnceReleased, 1.0, 0.3, kFakeClock));
    // 0.3, 0.3, 0.3 and the 0.1 left: asked at 0, 0.3, 0.6, 0.9 and 1.0.
    ASSERT_EQ(sleeps.size(), 4u);
    EXPECT_NEAR(sleeps.back(), 0.1, 1e-9);
    EXPECT_NEAR(clockNow, 101.0, 1e-9);
    EXPECT_EQ(claimsMade, 5);

    startClock(5.0);
    EXPECT_FALSE(claimWithinWait(claimOnceReleased, 0.0, 0.02, kFakeClock));
    EXPECT_EQ(claimsMade, 1) << "no wait asks once";
    EXPECT_TRUE(sleeps.empty());
}

TEST(StartupPath, ConfigureShowsTheAboutFactsAndReturnsZero) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(startScreensaver("/c", nullptr, 0), 0);
    // The Linux settings path prints the facts and the hack's switches; no
    // window is opened for it.
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("Glimmerpond"), std::string::npos);
    EXPECT_NE(printed.find("--speed"), std::string::npos);
}

TEST(WindowCallbacks, GLFWErrorsAreShownTitledError) {
    MessageBoxRecorder recorder;
    onGLFWError(0x00010001, "The GLFW library is not initialized");
    EXPECT_EQ(recorder.messageBoxes(),
              std::vector<std::string>{"Error|The GLFW library is not initialized"});
}

// Each in a child process, which starts without a request.
TEST(WindowCallbacks, KeysButtonsAndCloseMessagesAskTheRunToEnd) {
    // Shift alone, a release, a repeat: every key event asks.
    EXPECT_EXIT((onKey(nullptr, 340, 50, 1, 0), std::_Exit(quitRequested() ? 0 : 1)),
                testing::ExitedWithCode(0), "");
    EXPECT_EXIT((onKey(nullptr, 65, 38, 0, 0), std::_Exit(quitRequested() ? 0 : 1)),
                testing::ExitedWithCode(0), "");
    EXPECT_EXIT((onKey(nullptr, 65, 38, 2, 0), std::_Exit(quitRequested() ? 0 : 1)),
                testing::ExitedWithCode(0), "");
    EXPECT_EXIT((onMouseButton(nullptr, 1, 1, 0), std::_Exit(quitRequested() ? 0 : 1)),
                testing::ExitedWithCode(0), "");
    EXPECT_EXIT((onWindowClose(nullptr), std::_Exit(quitRequested() ? 0 : 1)),
                testing::ExitedWithCode(0), "");
}

TEST(WindowCallbacks, PointerAndWheelDoNothing) {
    EXPECT_EXIT((onCursorPos(nullptr, 10.0, 20.0), onScroll(nullptr, 0.0, -1.0),
                 std::_Exit(quitRequested() ? 1 : 0)),
                testing::ExitedWithCode(0), "");
}

// In a child process, so that the test program keeps its own signal handling.
TEST(QuitRequest, SigtermAndSigintSetItInsteadOfEndingTheProcess) {
    for (int signalNumber : {SIGTERM, SIGINT}) {
        EXPECT_EXIT(
            {
                watchTerminationRequests();
                if (quitRequested()) {
                    std::_Exit(2);
                }
                std::raise(signalNumber);
                std::_Exit(quitRequested() ? 0 : 1);
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
