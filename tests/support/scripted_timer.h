// Timers for the scene's frame statistics and schedule, driven by a test:
// `settableTimer` reads `timerNow`; `scriptedTimer` returns the scripted
// readings one per read, and repeats the last.
#pragma once
#include <vector>

extern double timerNow;
double settableTimer();

void scriptTimerReadings(std::vector<double> readings);
double scriptedTimer();
