// The shipped seams behind a scene's hooks (see scene_hooks.h).
#include "scene/scene_hooks.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

namespace {

double windowLibraryTimer() {
    return glfwGetTime();
}

int cLibraryRand() {
    return std::rand();
}

}  // namespace

SceneHooks completeSceneHooks(const SceneHooks& given) {
    SceneHooks hooks = given;
    if (hooks.timer == nullptr) {
        hooks.timer = windowLibraryTimer;
    }
    if (hooks.random == nullptr) {
        hooks.random = cLibraryRand;
    }
    return hooks;
}
