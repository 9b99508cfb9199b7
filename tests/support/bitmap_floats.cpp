// Bitmap resources as RGBA floats (see bitmap_floats.h), read through the
// program's own bitmap checks and row layout.
#include "tests/support/bitmap_floats.h"

#include <cstddef>

#include "tests/support/bitmap_pixels.h"

namespace {

// byte / 255 in single precision, worked out once for every byte value.
struct ByteToFloat {
    float value[256];
    ByteToFloat() {
        for (int b = 0; b < 256; ++b) {
            value[b] = static_cast<float>(b) / 255.0f;
        }
    }
};

}  // namespace

void convertBitmapToFloats(const unsigned char* bytes, int width, int height, float* destination) {
    convertBitmapRows(bytes, width, height, 0, height, destination);
}

void convertBitmapRows(const unsigned char* bytes, int width, int height, int firstRow,
                       int rowCount, float* destination) {
    static const ByteToFloat table;
    const BitmapRows layout = bitmapRows(bytes);
    for (int row = firstRow; row < firstRow + rowCount; ++row) {
        // Row 0 of the result is the picture's bottom row, as GL takes it first.
        const int stored = layout.topDown ? height - 1 - row : row;
        const unsigned char* in = layout.first + layout.stride * stored;
        float* out = destination + static_cast<std::size_t>(row - firstRow) * width * 4;
        for (int column = 0; column < width; ++column) {
            out[0] = table.value[in[2]];
            out[1] = table.value[in[1]];
            out[2] = table.value[in[0]];
            out[3] = 1.0f;
            in += 3;
            out += 4;
        }
    }
}

bool readBitmapResource(float* destination, std::uint16_t id, int width, int height,
                        Failure& failure) {
    const unsigned char* bitmap = findCheckedBitmap(id, width, height, failure);
    if (bitmap == nullptr) {
        return false;
    }
    convertBitmapToFloats(bitmap, width, height, destination);
    return true;
}

int textureLevelCount(int size) {
    int levels = 0;
    while (size > 1) {
        size >>= 1;
        ++levels;
    }
    return levels > 0 ? levels : 1;
}
