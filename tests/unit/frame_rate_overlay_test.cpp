// The frame-rate overlay's plain parts: the rate of the last whole second and
// the cells its font lights.
#include <gtest/gtest.h>

#include <vector>

#include "app/frame_rate_overlay.h"

TEST(FrameRateCounter, SaysOnceASecondHowManyFramesThereWere) {
    FrameRateCounter counter;
    counter.frameShown(10.0);  // the first frame only starts the count
    for (int frame = 1; frame < 30; ++frame) {
        counter.frameShown(10.0 + frame / 30.0);
        EXPECT_EQ(counter.text(), "") << frame;
    }
    counter.frameShown(11.0);
    EXPECT_EQ(counter.text(), "30.0 fps");
    // Slow frames: two in 2.5 s; the text stays until the next second is done.
    counter.frameShown(11.5);
    EXPECT_EQ(counter.text(), "30.0 fps");
    counter.frameShown(13.5);
    EXPECT_EQ(counter.text(), "0.8 fps");
}

TEST(TextCells, GlyphsSitSideBySideWithABlankColumnBetween) {
    // "1": the stem in the middle column, a foot and a base row three wide.
    std::vector<GlyphCell> one = textCells("1");
    EXPECT_EQ(one, (std::vector<GlyphCell>{
                       {1, 0}, {0, 1}, {1, 1}, {1, 2}, {1, 3}, {0, 4}, {1, 4}, {2, 4}}));
    // The same glyph one place further is four columns further right.
    std::vector<GlyphCell> spaceOne = textCells(" 1");
    ASSERT_EQ(spaceOne.size(), one.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(spaceOne[i].column, one[i].column + 4);
        EXPECT_EQ(spaceOne[i].row, one[i].row);
    }
    EXPECT_EQ(textCells("."), (std::vector<GlyphCell>{{1, 4}}));
    EXPECT_TRUE(textCells("?x ").empty());
    // Every character the counter writes has a glyph of its own.
    for (char character : std::string("0123456789.fps")) {
        EXPECT_FALSE(textCells(std::string(1, character)).empty()) << character;
    }
}
