// The window size rule and the process-wide window state.
#include "app/window_size.h"

#include "app/window_state.h"

namespace {

constexpr WindowSize kClassicFullScreenSize{800, 600};

}  // namespace

int windowWidth = 0;
int windowHeight = 0;
float aspectRatio = 1.0f;

WindowSize fullScreenWindowSize(int windowsVersion, WindowSize primaryMode) {
    if (windowsVersion < kFirstVersionKeepingTheMode || primaryMode.width <= 0 ||
        primaryMode.height <= 0) {
        return kClassicFullScreenSize;
    }
    return primaryMode;
}

float aspectRatioOf(int width, int height, float previous) {
    if (height <= 0) {
        return previous;
    }
    return static_cast<float>(width) / static_cast<float>(height);
}

void setWindowSize(int width, int height) {
    windowWidth = width;
    windowHeight = height;
    aspectRatio = aspectRatioOf(width, height, aspectRatio);
}
