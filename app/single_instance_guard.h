// One preview or switchless run at a time: the first such run holds the name
// "K_OPENGL_SCREENSAVER" until it ends; a later one is refused. A new preview
// gives an ending one a moment to let the name go first: the settings page
// starts the next preview as soon as it drops the pane of the last.
#pragma once

// True when this process is the first holder of the name; it then keeps it.
bool isFirstInstance();

// The same, but while the name is held it asks again every
// kGuardPollSeconds, for up to kPreviewGuardWaitSeconds.
bool isFirstInstanceWithinWait();

constexpr double kPreviewGuardWaitSeconds = 1.0;
constexpr double kGuardPollSeconds = 0.02;

// The clock a wait reads and sleeps on.
struct WaitClock {
    double (*now)();                // seconds, from any fixed start
    void (*sleep)(double seconds);  // at least this long
};

// A steady clock and the calling thread's sleep.
WaitClock steadyWaitClock();

// Asks `claim` until it answers true or `waitSeconds` have passed on `clock`,
// sleeping `pollSeconds` between asks but never past the deadline, where it
// asks one last time. A zero wait asks once.
bool claimWithinWait(bool (*claim)(), double waitSeconds, double pollSeconds,
                     const WaitClock& clock);
