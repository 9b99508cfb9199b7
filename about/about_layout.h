// The About window's look: its size, where each element sits (client
// coordinates), the colours and fonts, the rule that centres it, and how all
// of it grows with the user's display scale. The sizes are given at 96 dpi
// (100 %); at 144 dpi (150 %) everything is half as large again.
#pragma once

namespace about {

struct Rgb {
    unsigned char red, green, blue;
};

constexpr int kWindowWidth = 400;  // outer size, frame and title bar included
constexpr int kWindowHeight = 300;

struct Box {
    int x, y, width, height;
};
constexpr Box kNoticeBox{20, 150, 380, 80};
constexpr Box kHeadingBox{90, 20, 280, 20};
constexpr Box kButtonBox{150, 210, 100, 32};
constexpr int kPictureX = 142;
constexpr int kPictureY = 55;

// The notice and the button share an id; a static control without the notify
// style sends no WM_COMMAND, so only the button's click arrives under it.
constexpr int kNoticeId = 10;
constexpr int kHeadingId = 30;
constexpr int kButtonId = 10;

constexpr int kPictureResourceId = 101;    // 110 x 83, 24 bits per pixel
constexpr int kClassIconResourceId = 104;  // in user32.dll
constexpr int kClassIconSize = 16;

constexpr Rgb kBackgroundColour{177, 232, 179};  // pale green, window and static text
constexpr Rgb kHeadingColour{0, 0, 0};
constexpr Rgb kNoticeColour{0, 51, 255};

struct FontSpec {
    int height, width, weight;
    bool underline;
};
constexpr const char* kFontFace = "Arial";
constexpr FontSpec kBodyFont{16, 6, 400, false};  // notice and button
constexpr FontSpec kHeadingFont{18, 8, 700, true};

struct Point {
    int x, y;
};

// Top-left corner that centres a window on the screen: half the spare space,
// computed in double precision and truncated toward zero, so a screen smaller
// than the window gives a negative corner.
Point centredWindowOrigin(int screenWidth, int screenHeight, int windowWidth = kWindowWidth,
                          int windowHeight = kWindowHeight);

// The same inside an area of the desktop (a monitor's work area), whose
// top-left corner is area.x, area.y.
Point centredInArea(const Box& area, int windowWidth, int windowHeight);

// The scale every size above is given at.
constexpr int kDesignDpi = 96;

// A length of the 96-dpi design at `dpi`, rounded half away from zero (as
// Windows' MulDiv rounds). A dpi that is not positive (unknown) counts as 96.
int scaledForDpi(int length, int dpi);

// Everything that depends on the scale, for one dpi.
struct Layout {
    int dpi;
    int windowWidth, windowHeight;  // outer size
    Box notice, heading, button;
    Box picture;  // the picture's place and the size it is drawn at
    FontSpec bodyFont, headingFont;
};

// The window at `dpi`, with a picture whose own size is pictureWidth x
// pictureHeight. At 96 dpi it is the design itself: the picture at its own size.
Layout layoutForDpi(int dpi, int pictureWidth, int pictureHeight);

}  // namespace about
