// The single-instance name on Linux: held by the first claimer for as long as
// it lives, refused to others meanwhile, and free again once it has ended.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

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
