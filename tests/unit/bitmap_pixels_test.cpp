// Bitmap resources read as float pictures: the byte-to-float conversion, row
// order and padding, and a bitmap resource that is missing or unfit told as a
// failure rather than read past its end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/failure.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/bitmap_pixels.h"
#include "tests/support/bitmap_floats.h"

namespace {

struct Bgr {
    unsigned char b, g, r;
};

void put32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<unsigned char>(v >> (8 * i));
    }
}

// A bitmap resource as the executable carries it: BITMAPINFOHEADER, then rows
// padded to four bytes. pixel(x, row) gives the colour of stored row `row`.
std::vector<unsigned char> makeBitmap(int width, int storedHeight,
                                      const std::function<Bgr(int, int)>& pixel,
                                      std::uint32_t colorsUsed = 0) {
    const int rows = storedHeight < 0 ? -storedHeight : storedHeight;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t offset = 40 + colorsUsed * 4;
    std::vector<unsigned char> bytes(offset + stride * rows, 0xEE);  // 0xEE marks padding
    put32(bytes, 0, 40);
    put32(bytes, 4, static_cast<std::uint32_t>(width));
    put32(bytes, 8, static_cast<std::uint32_t>(storedHeight));
    bytes[12] = 1;
    bytes[13] = 0;
    bytes[14] = 24;
    bytes[15] = 0;
    put32(bytes, 16, 0);  // BI_RGB
    put32(bytes, 20, static_cast<std::uint32_t>(stride * rows));
    put32(bytes, 24, 2835);
    put32(bytes, 28, 2835);
    put32(bytes, 32, colorsUsed);
    put32(bytes, 36, 0);
    for (int row = 0; row < rows; ++row) {
        for (int x = 0; x < width; ++x) {
            Bgr p = pixel(x, row);
            unsigned char* at = &bytes[offset + stride * row + 3 * x];
            at[0] = p.b;
            at[1] = p.g;
            at[2] = p.r;
        }
    }
    return bytes;
}

std::vector<float> convert(const std::vector<unsigned char>& bitmap, int width, int height) {
    std::vector<float> out(static_cast<std::size_t>(width) * height * 4, -1.0f);
    convertBitmapToFloats(bitmap.data(), width, height, out.data());
    return out;
}

}  // namespace

TEST(BitmapPixels, ConvertsBytesToFloatsAsGdiReadsThem) {
    auto bitmap = makeBitmap(1, 1, [](int, int) { return Bgr{0, 128, 255}; });
    std::vector<float> out = convert(bitmap, 1, 1);
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_FLOAT_EQ(out[1], 0.5019608f);
    EXPECT_EQ(out[1], 128.0f / 255.0f);
    EXPECT_EQ(out[2], 0.0f);
    EXPECT_EQ(out[3], 1.0f);
}

TEST(BitmapPixels, EveryByteBecomesItsQuotientBy255InSinglePrecision) {
    // 256 pixels, one per byte value, in each channel with the others shifted.
    auto bitmap = makeBitmap(256, 1, [](int x, int) {
        return Bgr{static_cast<unsigned char>(x), static_cast<unsigned char>(255 - x),
                   static_cast<unsigned char>((x * 7) & 255)};
    });
    std::vector<float> out = convert(bitmap, 256, 1);
    for (int x = 0; x < 256; ++x) {
        // Division, not multiplication by 1/255: the two differ in the last bit for some bytes.
        EXPECT_EQ(out[4 * x + 0], static_cast<float>((x * 7) & 255) / 255.0f) << x;
        EXPECT_EQ(out[4 * x + 1], static_cast<float>(255 - x) / 255.0f) << x;
        EXPECT_EQ(out[4 * x + 2], static_cast<float>(x) / 255.0f) << x;
        EXPECT_EQ(out[4 * x + 3], 1.0f);
    }
}

TEST(BitmapPixels, KeepsStoredRowOrderAndSkipsRowPadding) {
    // 3 pixels a row: 9 bytes and 3 of padding. Stored row 0 is the picture's bottom.
    auto bitmap = makeBitmap(3, 2, [](int x, int row) {
        return Bgr{static_cast<unsigned char>(10 * x), static_cast<unsigned char>(100 + row), 7};
    });
    std::vector<float> out = convert(bitmap, 3, 2);
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 3; ++x) {
            const float* p = &out[(row * 3 + x) * 4];
            EXPECT_EQ(p[0], 7.0f / 255.0f);
            EXPECT_EQ(p[1], (100.0f + row) / 255.0f);
            EXPECT_EQ(p[2], (10.0f * x) / 255.0f);
        }
    }
}

TEST(BitmapPixels, TopDownBitmapGivesTheSameUprightFloats) {
    auto colour = [](int x, int bottomRow) {
        return Bgr{static_cast<unsigned char>(x), static_cast<unsigned char>(bottomRow), 200};
    };
    auto bottomUp = makeBitmap(4, 3, colour);
    auto topDown = makeBitmap(4, -3, [&](int x, int row) { return colour(x, 2 - row); });
    EXPECT_EQ(convert(bottomUp, 4, 3), convert(topDown, 4, 3));
}

TEST(BitmapPixels, StripsOfRowsJoinUpToTheWholePicture) {
    auto colour = [](int x, int row) {
        return Bgr{static_cast<unsigned char>(x * 9), static_cast<unsigned char>(row * 13),
                   static_cast<unsigned char>(x + row)};
    };
    for (int storedHeight : {7, -7}) {
        auto bitmap = makeBitmap(5, storedHeight, colour);
        std::vector<float> whole = convert(bitmap, 5, 7);
        std::vector<float> strips;
        for (int first = 0; first < 7; first += 3) {
            int rows = std::min(3, 7 - first);
            std::vector<float> strip(5 * rows * 4);
            convertBitmapRows(bitmap.data(), 5, 7, first, rows, strip.data());
            strips.insert(strips.end(), strip.begin(), strip.end());
        }
        EXPECT_EQ(strips, whole) << storedHeight;
    }
}

TEST(BitmapPixels, RowsStartAfterAColourTable) {
    auto bitmap = makeBitmap(
        2, 1,
        [](int x, int) {
            return Bgr{1, 2, static_cast<unsigned char>(x)};
        },
        3);
    std::vector<float> out = convert(bitmap, 2, 1);
    EXPECT_EQ(out[4], 1.0f / 255.0f);
    EXPECT_EQ(out[6], 1.0f / 255.0f);
    // The rows as a texture takes them: after the table, 6 bytes padded to 8.
    const BitmapRows rows = bitmapRows(bitmap.data());
    EXPECT_EQ(rows.first, bitmap.data() + 40 + 3 * 4);
    EXPECT_EQ(rows.stride, 8u);
    EXPECT_FALSE(rows.topDown);
    EXPECT_TRUE(bitmapRows(makeBitmap(2, -1, [](int, int) { return Bgr{}; }).data()).topDown);
}

TEST(BitmapPixels, MissingOrUnfitBitmapsAreFailuresThatSayWhy) {
    std::vector<float> out(128 * 128 * 4);
    Failure missing;
    EXPECT_FALSE(readBitmapResource(out.data(), 9999, 2, 2, missing));
    EXPECT_EQ(
        messageBoxesOf(missing),
        std::vector<std::string>{"Debug|Failed to load bitmap 9999 (expected 2 x 2, 24-bit)"});
    // The About picture is 110 x 83; asking for 128 x 128 must not read past it.
    Failure wrongSize;
    EXPECT_EQ(findCheckedBitmap(101, 128, 128, wrongSize), nullptr);
    EXPECT_EQ(
        messageBoxesOf(wrongSize),
        std::vector<std::string>{"Debug|Failed to load bitmap 101 (expected 128 x 128, 24-bit)"});
    Failure none;
    EXPECT_NE(findCheckedBitmap(101, 110, 83, none), nullptr);
    EXPECT_FALSE(none.happened());
}

TEST(TextureLevels, OneLevelPerHalvingDownToTwo) {
    const int expected[][2] = {{2048, 11}, {1024, 10}, {512, 9}, {256, 8}, {128, 7}, {64, 6},
                               {32, 5},    {16, 4},    {8, 3},   {4, 2},   {2, 1},   {1, 1}};
    for (const auto& e : expected) {
        EXPECT_EQ(textureLevelCount(e[0]), e[1]) << e[0];
    }
}
