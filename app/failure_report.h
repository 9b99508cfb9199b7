// The one place where a failure reaches the user: its boxes, in order, then
// GLFW shut down (which puts back what it changed in the session). The run
// then ends with exit code 0, as every road out does.
#pragma once

class Failure;

// Shows the boxes of `failure` (nothing when none happened) and gives the
// exit code of the run.
int endRun(const Failure& failure);
