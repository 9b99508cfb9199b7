// Bitmap resources: checks and row layout (see bitmap_pixels.h).
#include "tests/support/bitmap_pixels.h"

#include <cstdio>

#include "platform/failure.h"
#include "platform/resources.h"

namespace {

const std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
const std::uint32_t kBiRgb = 0;

std::uint32_t read32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

unsigned read16(const unsigned char* p) {
    return p[0] | static_cast<unsigned>(p[1]) << 8;
}

struct BitmapLayout {
    std::int32_t width;
    std::int32_t height;  // negative: rows stored top row first
    std::size_t rowsOffset;
    std::size_t stride;
};

BitmapLayout layoutOf(const unsigned char* bytes) {
    BitmapLayout layout;
    layout.width = static_cast<std::int32_t>(read32(bytes + 4));
    layout.height = static_cast<std::int32_t>(read32(bytes + 8));
    // A 24-bit bitmap may carry a colour table of biClrUsed entries before its rows.
    layout.rowsOffset = read32(bytes) + static_cast<std::size_t>(read32(bytes + 32)) * 4;
    layout.stride = (static_cast<std::size_t>(layout.width > 0 ? layout.width : 0) * 3 + 3) & ~3u;
    return layout;
}

const char* describe(BitmapProblem problem) {
    switch (problem) {
        case BitmapProblem::Missing:
            return "not found";
        case BitmapProblem::NotRgb24:
            return "not an uncompressed 24-bit bitmap";
        case BitmapProblem::SizeMismatch:
            return "wrong size";
        case BitmapProblem::Truncated:
            return "cut short";
        case BitmapProblem::None:
            break;
    }
    return "";
}

}  // namespace

BitmapProblem checkBitmap(const unsigned char* bytes, std::size_t size, int width, int height) {
    if (bytes == nullptr) {
        return BitmapProblem::Missing;
    }
    if (size < kInfoHeaderSize) {
        return BitmapProblem::Truncated;
    }
    // The larger V4 and V5 headers start with the same fields.
    if (read32(bytes) < kInfoHeaderSize || read16(bytes + 12) != 1 || read16(bytes + 14) != 24 ||
        read32(bytes + 16) != kBiRgb) {
        return BitmapProblem::NotRgb24;
    }
    const BitmapLayout layout = layoutOf(bytes);
    const std::int64_t storedHeight =
        layout.height < 0 ? -static_cast<std::int64_t>(layout.height) : layout.height;
    if (width <= 0 || height <= 0 || layout.width != width || storedHeight != height) {
        return BitmapProblem::SizeMismatch;
    }
    if (layout.rowsOffset > size ||
        (size - layout.rowsOffset) / layout.stride < static_cast<std::size_t>(height)) {
        return BitmapProblem::Truncated;
    }
    return BitmapProblem::None;
}

BitmapRows bitmapRows(const unsigned char* bytes) {
    const BitmapLayout layout = layoutOf(bytes);
    return {bytes + layout.rowsOffset, layout.stride, layout.height < 0};
}

const unsigned char* findCheckedBitmap(std::uint16_t id, int width, int height, Failure& failure) {
    const ResourceData data = findBitmapResource(id);
    const BitmapProblem problem = checkBitmap(data.bytes, data.size, width, height);
    if (problem != BitmapProblem::None) {
        char text[128];
        std::snprintf(text, sizeof text, "Failed to load bitmap %u (%s; expected %d x %d, 24-bit)",
                      static_cast<unsigned>(id), describe(problem), width, height);
        failure.add(text);
        return nullptr;
    }
    return data.bytes;
}
