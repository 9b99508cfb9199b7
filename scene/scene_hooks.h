// The scene's two seams for tests: the timer that its frame statistics and
// background schedule read (GLFW's, unless replaced), and a listener that
// hears the first two pictures, the render-mode decision and each picture
// change. The shipped
// program replaces neither; a test entry or a test may.
#pragma once

using SceneTimer = double (*)();

// The current reading, in seconds.
double sceneTime();
// Replaces the timer; nullptr puts GLFW's back.
void setSceneTimer(SceneTimer timer);

struct SceneListener {
    // The pictures on units 1 and 2 once set-up has picked them.
    void (*backgroundsPicked)(int backgroundA, int backgroundB) = nullptr;
    // mode: 1 full resolution, 2 reduced; reducedSize: S; over `frames` measured frames.
    void (*renderModeChosen)(int mode, int reducedSize, float averageMs, int frames) = nullptr;
    // The pictures on units 1 and 2 after a change, and whether the fade now
    // runs towards unit 2's picture (1) or back to unit 1's (0).
    void (*pictureChanged)(int backgroundA, int backgroundB, int fadeToSecond) = nullptr;
};

void setSceneListener(const SceneListener& listener);
const SceneListener& sceneListener();
