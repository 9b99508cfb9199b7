// The About window's look: its size, where each element sits (client
// coordinates), the colours and fonts, and the rule that centres it.
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

// Top-left corner that centres a window on the screen: half the spare room,
// computed in double precision and truncated toward zero, so a screen smaller
// than the window gives a negative corner.
Point centredWindowOrigin(int screenWidth, int screenHeight, int windowWidth = kWindowWidth,
                          int windowHeight = kWindowHeight);

}  // namespace about
