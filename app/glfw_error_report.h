// GLFW's errors: each is shown in a message box titled "Error" as it comes,
// except while a HeldGLFWErrors lives, which keeps them so that the caller
// can show them later or put a clearer message in their place.
#pragma once

#include <string>
#include <vector>

// The function GLFW calls with each error.
void onGLFWError(int code, const char* description);

class HeldGLFWErrors {
  public:
    HeldGLFWErrors();
    ~HeldGLFWErrors();  // shows nothing; errors from then on are shown again
    HeldGLFWErrors(const HeldGLFWErrors&) = delete;
    HeldGLFWErrors& operator=(const HeldGLFWErrors&) = delete;

    // Shows what was kept, in order, and forgets it.
    void showAll();
    // Forgets what was kept.
    void drop() { descriptions_.clear(); }

  private:
    friend void onGLFWError(int, const char*);
    std::vector<std::string> descriptions_;
    HeldGLFWErrors* outer_;
};
