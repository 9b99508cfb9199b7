// The one place where a failure reaches the user: its message boxes, in
// order, shown while the window is still there, as it was when the failure
// came. The run then ends with exit code 0, as every path out does.
#pragma once

class Failure;

// Shows the message boxes of `failure` (nothing when none happened) and gives the
// exit code of the run.
int endRun(const Failure& failure);
