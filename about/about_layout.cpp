// The centring rule of the About window.
#include "about/about_layout.h"

namespace about {

Point centredWindowOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    double x = (static_cast<double>(screenWidth) - windowWidth) * 0.5;
    double y = (static_cast<double>(screenHeight) - windowHeight) * 0.5;
    return Point{static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace about
