// The centring rule of the About window and its layout at the user's scale.
#include "about/about_layout.h"

namespace about {

Point centredWindowOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    double x = (static_cast<double>(screenWidth) - windowWidth) * 0.5;
    double y = (static_cast<double>(screenHeight) - windowHeight) * 0.5;
    return Point{static_cast<int>(x), static_cast<int>(y)};
}

Point centredInArea(const Box& area, int windowWidth, int windowHeight) {
    Point inside = centredWindowOrigin(area.width, area.height, windowWidth, windowHeight);
    return Point{area.x + inside.x, area.y + inside.y};
}

int scaledForDpi(int length, int dpi) {
    if (dpi <= 0) {
        dpi = kDesignDpi;
    }
    long long product = static_cast<long long>(length) * dpi;
    long long half = kDesignDpi / 2;
    long long magnitude = ((product < 0 ? -product : product) + half) / kDesignDpi;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

namespace {

Box scaledBox(const Box& box, int dpi) {
    return Box{scaledForDpi(box.x, dpi), scaledForDpi(box.y, dpi), scaledForDpi(box.width, dpi),
               scaledForDpi(box.height, dpi)};
}

// Height and average width grow with the scale; the weight is the weight.
FontSpec scaledFont(const FontSpec& font, int dpi) {
    return FontSpec{scaledForDpi(font.height, dpi), scaledForDpi(font.width, dpi), font.weight,
                    font.underline};
}

}  // namespace

Layout layoutForDpi(int dpi, int pictureWidth, int pictureHeight) {
    if (dpi <= 0) {
        dpi = kDesignDpi;
    }
    return Layout{dpi,
                  scaledForDpi(kWindowWidth, dpi),
                  scaledForDpi(kWindowHeight, dpi),
                  scaledBox(kNoticeBox, dpi),
                  scaledBox(kHeadingBox, dpi),
                  scaledBox(kButtonBox, dpi),
                  scaledBox(Box{kPictureX, kPictureY, pictureWidth, pictureHeight}, dpi),
                  scaledFont(kBodyFont, dpi),
                  scaledFont(kHeadingFont, dpi)};
}

}  // namespace about
