// The random seed of a run: the timer at set-up in units of 10 microseconds,
// reduced to 0..9999, so that it differs from run to run.
#pragma once

unsigned firstFrameSeed(float timerSeconds);
