// The scene's timer and listener seams (see scene_hooks.h).
#include "scene/scene_hooks.h"

#include <GLFW/glfw3.h>

namespace {

SceneTimer activeTimer = nullptr;
SceneListener activeListener;

}  // namespace

double sceneTime() {
    return activeTimer != nullptr ? activeTimer() : glfwGetTime();
}

void setSceneTimer(SceneTimer timer) {
    activeTimer = timer;
}

void setSceneListener(const SceneListener& listener) {
    activeListener = listener;
}

const SceneListener& sceneListener() {
    return activeListener;
}
