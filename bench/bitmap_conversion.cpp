// Times what start-up spends on the pictures before OpenGL sees them: the
// eight floors read from the program's resources, three ways:
//   whole picture: into one 64 MiB float array per picture (readBitmapResource)
//   strips:        into one 4 MiB float strip of 128 rows, reused (what
//                  GLFWTexture did while it stored floats)
//   stored bytes:  the stored rows, 128 at a time, copied as they are into one
//                  768 KiB buffer (copyResourceBytes; what GLFWTexture does)
// Built and run by bench/bitmap_conversion.sh.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gfx/bitmap_pixels.h"
#include "platform/failure.h"
#include "resources/background_pictures.h"
#include "platform/resources.h"
#include "tests/support/bitmap_floats.h"

namespace {

const int kSize = kBackgroundSize;
const int kStripRows = 128;
float checksum = 0.0f;  // keeps the work from being optimised away

void wholePictures() {
    for (const BackgroundPicture& picture : kBackgroundPictures) {
        const std::uint16_t id = picture.resourceId;
        std::unique_ptr<float[]> pixels(new float[static_cast<std::size_t>(kSize) * kSize * 4]);
        Failure failure;
        readBitmapResource(pixels.get(), id, kSize, kSize, failure);
        checksum += pixels[12345];
    }
}

void strips() {
    for (const BackgroundPicture& picture : kBackgroundPictures) {
        const std::uint16_t id = picture.resourceId;
        Failure failure;
        const unsigned char* bitmap = findCheckedBitmap(id, kSize, kSize, failure);
        std::unique_ptr<float[]> strip(new float[static_cast<std::size_t>(kSize) * kStripRows * 4]);
        for (int row = 0; row < kSize; row += kStripRows) {
            convertBitmapRows(bitmap, kSize, kSize, row, kStripRows, strip.get());
            checksum += strip[12345];
        }
    }
}

void storedBytes() {
    for (const BackgroundPicture& picture : kBackgroundPictures) {
        const std::uint16_t id = picture.resourceId;
        Failure failure;
        const unsigned char* bitmap = findCheckedBitmap(id, kSize, kSize, failure);
        const ResourceData resource = findBitmapResource(id);
        const BitmapRows layout = bitmapRows(bitmap);
        const std::size_t rowsOffset = static_cast<std::size_t>(layout.first - bitmap);
        std::unique_ptr<unsigned char[]> strip(new unsigned char[layout.stride * kStripRows]);
        for (int row = 0; row < kSize; row += kStripRows) {
            copyResourceBytes(resource, rowsOffset + layout.stride * row,
                              layout.stride * kStripRows, strip.get());
            checksum += strip[12345];
        }
    }
}

double medianMilliseconds(void (*work)(), int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    strips();  // first touch of the resource pages
    double whole = medianMilliseconds(wholePictures, rounds);
    double strip = medianMilliseconds(strips, rounds);
    double bytes = medianMilliseconds(storedBytes, rounds);
    std::printf("8 floors, median of %d rounds:\n", rounds);
    std::printf("  whole picture: %6.1f ms (%.1f ms a picture)\n", whole, whole / 8);
    std::printf("  strips:        %6.1f ms (%.1f ms a picture)\n", strip, strip / 8);
    std::printf("  stored bytes:  %6.1f ms (%.1f ms a picture)\n", bytes, bytes / 8);
    std::printf("(checksum %.3f)\n", checksum);
    return 0;
}
