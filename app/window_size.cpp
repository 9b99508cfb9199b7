// The window size rule and the window's state.
#include "app/window_size.h"

namespace {

constexpr WindowSize kClassicFullScreenSize{800, 600};

}  // namespace

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

void WindowState::resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    aspectRatio = aspectRatioOf(newWidth, newHeight, aspectRatio);
}
