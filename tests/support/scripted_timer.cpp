// Test timers (see scripted_timer.h).
#include "tests/support/scripted_timer.h"

#include <cstddef>

double timerNow = 0.0;

double settableTimer() {
    return timerNow;
}

namespace {
std::vector<double> readings{0.0};
std::size_t nextReading = 0;
}  // namespace

void scriptTimerReadings(std::vector<double> values) {
    readings = std::move(values);
    nextReading = 0;
}

double scriptedTimer() {
    const double value = readings[nextReading];
    if (nextReading + 1 < readings.size()) {
        ++nextReading;
    }
    return value;
}
