// What a scene is given besides its frames: the timer that its frame
// statistics and background schedule read (GLFW's when none is given), the
// random source its picture picks draw from (the C library's rand, seeded
// from the timer at set-up, when none is given), a listener that hears the first two pictures,
// the render-mode decision and each picture change, and a gate that set-up asks whether it is
// still wanted. The shipped entries give none of them (the application gives the gate to a
// preview); a test entry or a test may.
#pragma once

using SceneTimer = double (*)();
using SceneRandom = int (*)();

struct SceneListener {
    // The pictures on units 1 and 2 once set-up has picked them.
    void (*backgroundsPicked)(int backgroundA, int backgroundB) = nullptr;
    // mode: 1 the pattern at its own size, 2 smaller; reducedSize: its texels
    // across; judged by `typicalMs` of `frames` measured frames, the slowest
    // of which took `slowestMs`.
    void (*renderModeChosen)(int mode, int reducedSize, float typicalMs, int frames,
                             float slowestMs) = nullptr;
    // The pictures on units 1 and 2 after a change, and whether the fade now
    // runs towards unit 2's picture (1) or back to unit 1's (0).
    void (*pictureChanged)(int backgroundA, int backgroundB, int fadeToSecond) = nullptr;
};

// Asked between the steps of set-up (before each picture is stored, before the
// program, after the quad): an answer of false stops it, and set-up gives null
// without a failure. Set-up takes long enough that whoever started it may no
// longer want the scene.
struct SetupGate {
    bool (*keepGoing)(void* context) = nullptr;  // unset: set-up always goes on
    void* context = nullptr;
};

struct SceneHooks {
    SceneTimer timer = nullptr;
    SceneRandom random = nullptr;
    SceneListener listener;
    SetupGate setupGate;
};

// The hooks with every missing seam filled by the shipped one.
SceneHooks completeSceneHooks(const SceneHooks& given);
