// The pictures and icon the program carries, as built: every floor decodes to
// the 2048 x 2048 picture the textures take, close to the floor as painted
// (which wraps without a seam and differs from the others); the About picture sits on the About
// window's own green; the window icon is a round emblem on a clear background.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/window_icon.h"
#include "tests/support/bitmap_pixels.h"
#include "gfx/picture_decoding.h"
#include "tests/support/bitmap_floats.h"
#include "platform/failure.h"
#include "platform/resources.h"
#include "resources/background_pictures.h"

namespace {

const int kFloorSize = kBackgroundSize;
const std::size_t kRowsOffset = 40;
const std::size_t kStride = kFloorSize * 3;

// One colour channel of pixel (x, stored row y) of a floor.
int channel(const unsigned char* bytes, int x, int y, int c) {
    return bytes[kRowsOffset + kStride * y + 3 * x + c];
}

// Mean difference between neighbouring pixels across column x | x + 1, or
// across row y | y + 1 when `rows` is set (indices wrap).
double stepAcross(const unsigned char* bytes, int at, bool rows) {
    const int next = (at + 1) % kFloorSize;
    long sum = 0;
    for (int i = 0; i < kFloorSize; ++i) {
        for (int c = 0; c < 3; ++c) {
            sum += rows ? std::abs(channel(bytes, i, at, c) - channel(bytes, i, next, c))
                        : std::abs(channel(bytes, at, i, c) - channel(bytes, next, i, c));
        }
    }
    return static_cast<double>(sum) / (3.0 * kFloorSize);
}

// Mean colour of each of 16 x 16 blocks: what the picture looks like from afar.
std::vector<double> blockMeans(const unsigned char* bytes) {
    const int blocks = 16, side = kFloorSize / blocks;
    std::vector<double> means(blocks * blocks * 3, 0.0);
    for (int y = 0; y < kFloorSize; ++y) {
        for (int x = 0; x < kFloorSize; ++x) {
            for (int c = 0; c < 3; ++c) {
                means[((y / side) * blocks + x / side) * 3 + c] += channel(bytes, x, y, c);
            }
        }
    }
    for (double& m : means) {
        m /= side * side;
    }
    return means;
}

}  // namespace

// What the program carries against what was painted (the test build carries
// the painted floor as a bitmap under the same id): rows in the same order
// and channels, within 40 dB over all three channels.
TEST(ShippedPictures, EveryFloorDecodesToItsTextureWithin40DecibelsOfItsPaintedOriginal) {
    for (int index = 0; index < kBackgroundCount; ++index) {
        const std::uint16_t id = kBackgroundPictures[index].resourceId;
        Failure failure;
        const unsigned char* painted = findCheckedBitmap(id, kFloorSize, kFloorSize, failure);
        ASSERT_NE(painted, nullptr) << id;
        ASSERT_EQ(bitmapRows(painted).stride, kStride);
        DecodedPicture whole;
        ASSERT_EQ(decodeFloorPicture(index, false, whole), PictureDecoding::Decoded) << id;
        ASSERT_EQ(whole.size, kFloorSize);
        ASSERT_EQ(whole.rows.size(), kStride * kFloorSize);
        double squares = 0.0;
        for (std::size_t i = 0; i < whole.rows.size(); ++i) {
            const double d = whole.rows[i] - painted[kRowsOffset + i];
            squares += d * d;
        }
        const double psnr = 10.0 * std::log10(255.0 * 255.0 * whole.rows.size() / squares);
        std::printf("%s: %.2f dB, %zu bytes carried\n", kBackgroundPictures[index].fileName, psnr,
                    findPictureResource(id).size);
        EXPECT_GE(psnr, 40.0) << kBackgroundPictures[index].fileName;

        DecodedPicture small;
        ASSERT_EQ(decodeFloorPicture(index, true, small), PictureDecoding::Decoded) << id;
        EXPECT_EQ(small.size, kSmallBackgroundSize);
        EXPECT_EQ(small.rows.size(), kSmallBackgroundSize * kSmallBackgroundSize * 3u);
    }
}

TEST(ShippedPictures, FloorsWrapWithoutASeam) {
    for (const BackgroundPicture& picture : kBackgroundPictures) {
        const std::uint16_t id = picture.resourceId;
        const unsigned char* bytes = findBitmapResource(id).bytes;
        ASSERT_NE(bytes, nullptr);
        for (bool rows : {false, true}) {
            // Crossing the wrap edge may be no harsher than the harshest step
            // inside the picture (a grout line, a stone's rim); a seam between
            // unrelated rows would stand out far above that.
            double harshestInside = 0;
            for (int at = 1; at < kFloorSize - 1; at += 2) {
                harshestInside = std::max(harshestInside, stepAcross(bytes, at, rows));
            }
            double seam = stepAcross(bytes, kFloorSize - 1, rows);
            EXPECT_LE(seam, harshestInside) << id << (rows ? " top/bottom" : " left/right");
        }
    }
}

TEST(ShippedPictures, FloorsDifferClearlyFromEachOther) {
    std::vector<const unsigned char*> floors;
    std::vector<std::vector<double>> looks;
    for (const BackgroundPicture& picture : kBackgroundPictures) {
        const std::uint16_t id = picture.resourceId;
        const unsigned char* bytes = findBitmapResource(id).bytes;
        ASSERT_NE(bytes, nullptr);
        floors.push_back(bytes);
        looks.push_back(blockMeans(bytes));
    }
    for (std::size_t a = 0; a < floors.size(); ++a) {
        for (std::size_t b = a + 1; b < floors.size(); ++b) {
            // Different up close, pixel for pixel (every fourth row will tell)...
            long pixelDifference = 0;
            for (int y = 0; y < kFloorSize; y += 4) {
                for (std::size_t i = kRowsOffset + kStride * y; i < kRowsOffset + kStride * (y + 1);
                     ++i) {
                    pixelDifference += std::abs(floors[a][i] - floors[b][i]);
                }
            }
            EXPECT_GT(pixelDifference / (3.0 * kFloorSize * kFloorSize / 4), 25.0)
                << kBackgroundPictures[a].resourceId << " and "
                << kBackgroundPictures[b].resourceId;
            // ...and from afar, in their colours and layout.
            double lookDifference = 0;
            for (std::size_t i = 0; i < looks[a].size(); ++i) {
                lookDifference += std::fabs(looks[a][i] - looks[b][i]);
            }
            EXPECT_GT(lookDifference / looks[a].size(), 8.0)
                << kBackgroundPictures[a].resourceId << " and "
                << kBackgroundPictures[b].resourceId;
        }
    }
}

TEST(ShippedPictures, AboutPictureSitsOnTheWindowsGreen) {
    Failure failure;
    const unsigned char* bytes = findCheckedBitmap(101, 110, 83, failure);
    ASSERT_NE(bytes, nullptr);
    std::vector<float> pixels(110 * 83 * 4);
    convertBitmapToFloats(bytes, 110, 83, pixels.data());
    // The corners are the About window's background, RGB(177, 232, 179).
    for (int corner : {0, 109, 82 * 110, 82 * 110 + 109}) {
        EXPECT_EQ(pixels[corner * 4 + 0], 177.0f / 255.0f);
        EXPECT_EQ(pixels[corner * 4 + 1], 232.0f / 255.0f);
        EXPECT_EQ(pixels[corner * 4 + 2], 179.0f / 255.0f);
    }
    // The middle shows the emblem's water, a blue-green much darker than the background.
    const float* middle = &pixels[(41 * 110 + 55) * 4];
    EXPECT_LT(middle[0], 0.6f);
    EXPECT_GT(middle[2], middle[0]);
}

TEST(ShippedPictures, WindowIconIsARoundEmblemOnAClearBackground) {
    auto alpha = [](int x, int y) { return kWindowIconPixels[(y * kWindowIconSize + x) * 4 + 3]; };
    for (int corner : {0, kWindowIconSize - 1}) {
        EXPECT_EQ(alpha(corner, 0), 0);
        EXPECT_EQ(alpha(corner, kWindowIconSize - 1), 0);
    }
    const unsigned char* centre = &kWindowIconPixels[(32 * kWindowIconSize + 32) * 4];
    EXPECT_EQ(centre[3], 255);
    EXPECT_GT(centre[2], centre[0]);  // water: more blue than red
    int opaque = 0;
    for (int i = 0; i < kWindowIconSize * kWindowIconSize; ++i) {
        opaque += kWindowIconPixels[i * 4 + 3] == 255;
    }
    // A disc of radius ~29 of the 32-pixel half size.
    EXPECT_GT(opaque, 2300);
    EXPECT_LT(opaque, 3300);
}
