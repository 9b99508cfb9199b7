// Cutting shader texts at their "~" end marker, on plain bytes. Inputs live in
// buffers of exactly their size, so a read or write past either end shows
// under AddressSanitizer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/shader_text.h"

namespace {

struct Cut {
    bool complete;
    std::string text;
    std::size_t written;  // characters before the NUL
};

Cut cut(const std::string& bytes, std::size_t capacity) {
    std::vector<unsigned char> source(bytes.begin(), bytes.end());
    std::vector<char> destination(capacity + 1, '#');
    bool complete = copyTextToEndMarker(source.data(), source.size(), destination.data(), capacity);
    std::string text(destination.data());
    return {complete, text, text.size()};
}

TEST(ShaderText, EndsWhereTheFirstMarkerStands) {
    Cut shipped = cut("#version 110\r\nvoid main() {}\r\n//~\r\n", 64);
    EXPECT_TRUE(shipped.complete);
    EXPECT_EQ(shipped.text, "#version 110\r\nvoid main() {}\r\n//");

    Cut middle = cut("float a = b ~ c;~\r\n", 64);
    EXPECT_TRUE(middle.complete);
    EXPECT_EQ(middle.text, "float a = b ");

    Cut first = cut("~void main() {}", 64);
    EXPECT_TRUE(first.complete);
    EXPECT_EQ(first.text, "");
}

TEST(ShaderText, ATextWithoutMarkerStopsAtItsOwnEnd) {
    Cut unmarked = cut("void main() {}", 64);
    EXPECT_FALSE(unmarked.complete);
    EXPECT_EQ(unmarked.text, "void main() {}");

    Cut empty = cut("", 64);
    EXPECT_FALSE(empty.complete);
    EXPECT_EQ(empty.text, "");
}

TEST(ShaderText, AFullBufferStillTakesTheMarkerRightAfterIt) {
    Cut fits = cut(std::string(16, 'x') + "~", 16);
    EXPECT_TRUE(fits.complete);
    EXPECT_EQ(fits.written, 16u);

    Cut tooLong = cut(std::string(17, 'x') + "~", 16);
    EXPECT_FALSE(tooLong.complete);
    EXPECT_EQ(tooLong.written, 16u);

    Cut unmarkedAndLong = cut(std::string(40, 'x'), 16);
    EXPECT_FALSE(unmarkedAndLong.complete);
    EXPECT_EQ(unmarkedAndLong.written, 16u);
}

}  // namespace
