// XScreenSaver's "--fps": the frames per second of the last second, written in
// the window's lower left corner in a blocky 3 x 5 font (white on a black box)
// over the finished frame. Off unless a hack run asks for it.
#pragma once

#include <string>
#include <vector>

// Counts frames and says, once a second, how many there were per second.
class FrameRateCounter {
  public:
    // Counts the frame shown at `seconds`.
    void frameShown(double seconds);
    // "12.3 fps"; empty until a whole second has been measured.
    const std::string& text() const { return text_; }

  private:
    double periodStart_ = -1.0;
    int frames_ = 0;
    std::string text_;
};

// A lit cell of the font grid: column from the left edge of the text, row from its top.
struct GlyphCell {
    int column;
    int row;
    bool operator==(const GlyphCell& other) const {
        return column == other.column && row == other.row;
    }
};

// Every lit cell of `text` (digits, '.', ' ', 'f', 'p', 's'; other characters
// are blank), glyphs three cells wide with one blank column between them.
std::vector<GlyphCell> textCells(const std::string& text);

// The overlay of one window, owned by whoever runs its frames.
class FrameRateOverlay {
  public:
    // Off until a run asks for it.
    void enable(bool enabled) { enabled_ = enabled; }

    // Counts the frame about to be shown and writes the rate over it when the
    // overlay is on; the GL state it touches is put back as it was.
    void draw(double seconds);

  private:
    bool enabled_ = false;
    FrameRateCounter counter_;
};
