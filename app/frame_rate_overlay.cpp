// The frame-rate overlay: counting and the font are plain code; the drawing is
// scissored clears of the default framebuffer, which needs no program,
// texture or buffer of its own.
#include "app/frame_rate_overlay.h"

#include <cstdio>

#include "gfx/gl.h"

namespace {

constexpr int kGlyphWidth = 3;
constexpr int kGlyphHeight = 5;
constexpr int kCellPixels = 3;  // one font cell on screen
constexpr int kMarginPixels = 6;

// Rows from the top, bit 2 is the left column.
struct Glyph {
    char character;
    unsigned char rows[kGlyphHeight];
};
constexpr Glyph kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 1, 1}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'.', {0, 0, 0, 0, 2}}, {'f', {3, 4, 6, 4, 4}},
    {'p', {6, 5, 6, 4, 4}}, {'s', {3, 4, 2, 1, 6}},
};

const Glyph* glyphFor(char character) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.character == character) {
            return &glyph;
        }
    }
    return nullptr;
}

void clearRectangle(int x, int y, int width, int height, float grey) {
    glScissor(x, y, width, height);
    glClearColor(grey, grey, grey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace

void FrameRateCounter::frameShown(double seconds) {
    if (periodStart_ < 0.0) {
        periodStart_ = seconds;
        return;
    }
    ++frames_;
    double elapsed = seconds - periodStart_;
    if (elapsed >= 1.0) {
        char text[32];
        std::snprintf(text, sizeof(text), "%.1f fps", frames_ / elapsed);
        text_ = text;
        periodStart_ = seconds;
        frames_ = 0;
    }
}

std::vector<GlyphCell> textCells(const std::string& text) {
    std::vector<GlyphCell> cells;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = glyphFor(text[i]);
        if (glyph == nullptr) {
            continue;
        }
        int left = static_cast<int>(i) * (kGlyphWidth + 1);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if ((glyph->rows[row] >> (kGlyphWidth - 1 - column)) & 1) {
                    cells.push_back(GlyphCell{left + column, row});
                }
            }
        }
    }
    return cells;
}

void FrameRateOverlay::draw(double seconds) {
    if (!enabled_) {
        return;
    }
    counter_.frameShown(seconds);
    const std::string& text = counter_.text();
    if (text.empty()) {
        return;
    }
    // Without framebuffer objects the window's is the only one, always bound.
    const bool framebufferObjects = glBindFramebuffer != nullptr;
    GLint framebuffer = 0;
    GLfloat clearColour[4] = {};
    GLint scissorBox[4] = {};
    if (framebufferObjects) {
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    }
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glGetIntegerv(GL_SCISSOR_BOX, scissorBox);
    GLboolean scissored = glIsEnabled(GL_SCISSOR_TEST);

    if (framebufferObjects) {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    }
    glEnable(GL_SCISSOR_TEST);
    const int columns = static_cast<int>(text.size()) * (kGlyphWidth + 1) + 1;
    const int boxHeight = (kGlyphHeight + 2) * kCellPixels;
    clearRectangle(kMarginPixels, kMarginPixels, columns * kCellPixels, boxHeight, 0.0f);
    const int top = kMarginPixels + boxHeight - kCellPixels;  // one blank row above
    for (const GlyphCell& cell : textCells(text)) {
        clearRectangle(kMarginPixels + (cell.column + 1) * kCellPixels,
                       top - (cell.row + 1) * kCellPixels, kCellPixels, kCellPixels, 1.0f);
    }

    glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
    if (!scissored) {
        glDisable(GL_SCISSOR_TEST);
    }
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    if (framebufferObjects) {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
    }
}
