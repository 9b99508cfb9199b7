// The single-instance name on Linux: held by the first claimer for as long as
// it lives, refused to others meanwhile, and free again once it has ended, so
// that a new preview waiting on it gets it as soon as the old one is gone.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

#include <string>

#include "app/single_instance_guard.h"
#include "platform/single_instance.h"

namespace {

// A name of this test process alone, so that parallel runs do not meet.
std::string uniqueName(const char* what) {
    return std::string("glimmerpond-test-") + what + "-" + std::to_string(getpid());
}

// Claims `name` in a child process and reports the child's answer.
bool claimedByAnotherProcess(const std::string& name) {
    pid_t child = fork();
    if (child == 0) {
        _exit(claimSingleInstanceName(name.c_str()) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

// Claims `name` in a child process that keeps it for `holdMicroseconds`;
// returns once the child holds it.
pid_t holdInAnotherProcess(const std::string& name, useconds_t holdMicroseconds) {
    int ready[2];
    if (pipe(ready) != 0) {
        return -1;
    }
    pid_t child = fork();
    if (child == 0) {
        const char held = claimSingleInstanceName(name.c_str()) ? 1 : 0;
        (void)!write(ready[1], &held, 1);
        usleep(holdMicroseconds);
        _exit(0);
    }
    char held = 0;
    const bool told = read(ready[0], &held, 1) == 1;
    close(ready[0]);
    close(ready[1]);
    return told && held == 1 ? child : -1;
}

std::string waitedName;
bool claimWaitedName() {
    return claimSingleInstanceName(waitedName.c_str());
}

}  // namespace

TEST(SingleInstanceName, SecondClaimIsRefusedWhileTheFirstLives) {
    std::string name = uniqueName("held");
    EXPECT_TRUE(claimSingleInstanceName(name.c_str()));
    EXPECT_FALSE(claimedByAnotherProcess(name));
    EXPECT_FALSE(claimSingleInstanceName(name.c_str()));
}

TEST(SingleInstanceName, NameVanishesWithTheProcessThatHeldIt) {
    std::string name = uniqueName("released");
    // The child claims and ends; the name must be free again for us.
    EXPECT_TRUE(claimedByAnotherProcess(name));
    EXPECT_TRUE(claimSingleInstanceName(name.c_str()));
}

TEST(SingleInstanceName, WaitingClaimGetsTheNameOnceAnEndingHolderIsGone) {
    waitedName = uniqueName("ending");
    pid_t holder = holdInAnotherProcess(waitedName, 200000);
    ASSERT_GT(holder, 0);
    EXPECT_FALSE(claimWaitedName());
    // Far longer than the holder lives: the claim must come when it ends.
    EXPECT_TRUE(claimWithinWait(claimWaitedName, 10.0, 0.02, steadyWaitClock()));
    waitpid(holder, nullptr, 0);
}

TEST(SingleInstanceName, WaitingClaimIsRefusedWhileTheHolderOutlivesTheWait) {
    waitedName = uniqueName("staying");
    pid_t holder = holdInAnotherProcess(waitedName, 3000000);
    ASSERT_GT(holder, 0);
    EXPECT_FALSE(claimWithinWait(claimWaitedName, 0.1, 0.02, steadyWaitClock()));
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
}
