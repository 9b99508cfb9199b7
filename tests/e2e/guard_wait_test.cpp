// The single-instance name on Windows as a new preview meets it: this program
// holds the name as an ending preview would and starts itself again as the
// new one, which claims it as the preview does (isFirstInstanceWithinWait).
// Let go 300 ms after the new one starts asking, the name is taken; never let
// go, the new one gives up after waiting a second. Prints each case and
// "FAIL ..." lines; the exit code counts the failures.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/single_instance_guard.h"
#include "tests/e2e/win32_checks.h"

namespace {

constexpr wchar_t kGuardName[] = L"K_OPENGL_SCREENSAVER";
constexpr wchar_t kAskingName[] = L"GlimmerpondGuardWaitAsking";
constexpr DWORD kReleaseAfterMs = 300;
constexpr DWORD kStartLimitMs = 30000;  // a cold Wine start is slow
constexpr DWORD kEndLimitMs = 5000;
constexpr DWORD kClaimed = 1;
constexpr DWORD kRefused = 2;

// The new run: says it is about to ask, then asks as a preview does.
int claimAsNewPreview() {
    HANDLE asking = OpenEventW(EVENT_MODIFY_STATE, FALSE, kAskingName);
    if (asking == nullptr) {
        return 100;
    }
    SetEvent(asking);
    return isFirstInstanceWithinWait() ? kClaimed : kRefused;
}

struct Outcome {
    DWORD exitCode = 0;
    DWORD msFromAsking = 0;  // from the new run's signal to its end
};

// Holds the name, starts the new run, lets go `releaseAfterMs` after it
// starts asking (never when 0) and waits for its end.
Outcome runBesideHolder(const std::string& self, DWORD releaseAfterMs) {
    Outcome outcome;
    HANDLE holder = CreateEventW(nullptr, TRUE, FALSE, kGuardName);
    CHECK(holder != nullptr && GetLastError() != ERROR_ALREADY_EXISTS);
    HANDLE asking = CreateEventW(nullptr, TRUE, FALSE, kAskingName);
    std::string commandLine = "\"" + self + "\" claim";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CHECK(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process))) {
        CloseHandle(holder);
        return outcome;
    }
    if (CHECK(WaitForSingleObject(asking, kStartLimitMs) == WAIT_OBJECT_0)) {
        const DWORD start = GetTickCount();
        if (releaseAfterMs != 0) {
            Sleep(releaseAfterMs);
            CloseHandle(holder);
            holder = nullptr;
        }
        if (CHECK(WaitForSingleObject(process.hProcess, kEndLimitMs) == WAIT_OBJECT_0)) {
            outcome.msFromAsking = GetTickCount() - start;
            GetExitCodeProcess(process.hProcess, &outcome.exitCode);
        }
    }
    TerminateProcess(process.hProcess, 1);  // nothing when it has ended
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(asking);
    if (holder != nullptr) {
        CloseHandle(holder);
    }
    return outcome;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "claim") == 0) {
        return claimAsNewPreview();
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);

    Outcome released = runBesideHolder(self, kReleaseAfterMs);
    std::printf("let go after %lu ms: exit %lu after %lu ms\n", kReleaseAfterMs, released.exitCode,
                released.msFromAsking);
    CHECK(released.exitCode == kClaimed);
    CHECK(released.msFromAsking >= kReleaseAfterMs);

    Outcome held = runBesideHolder(self, 0);
    std::printf("never let go: exit %lu after %lu ms\n", held.exitCode, held.msFromAsking);
    CHECK(held.exitCode == kRefused);
    // It waited the whole second before it gave up, and not much longer.
    CHECK(held.msFromAsking >= 1000 && held.msFromAsking < 3000);
    std::fflush(stdout);
    return checks::failures;
}
