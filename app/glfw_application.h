// The application object: owns the one render window (full screen on the
// primary monitor, or attached to a child of the host's preview window), its
// OpenGL context and entry points, and runs the main loop.
#pragma once

struct CommandLine;
struct GLFWwindow;

class GLFWApplication {
  public:
    // Starts GLFW, sizes and opens the window and sets the fixed OpenGL state.
    // When no window can be opened it shows "Failed to open window" and ends
    // the process with exit code 0.
    explicit GLFWApplication(CommandLine* commandLine);

    void initGLFW();
    void chooseWindowSize();
    void openWindow();
    void setupGLState();

    void setWindowIcon(GLFWwindow* window);
    void setSwapInterval(bool waitForVerticalBlank);
    int windowsVersion() const;
    // The primary monitor's current mode: its width for 0, its height for 1;
    // 0 when there is no monitor or mode to read.
    int primaryModeSize(int which) const;

    // Sets the scene up and draws until Escape, a close request or (preview)
    // the host disabling its window; returns then.
    void run();
    void frame();

  private:
    GLFWwindow* window_ = nullptr;
    CommandLine* commandLine_;
};
