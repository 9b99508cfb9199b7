// The random seed of the first frame: the timer in units of 10 microseconds,
// reduced to 0..9999, so that it differs from run to run.
#pragma once

unsigned firstFrameSeed(float timerSeconds);
