// Bitmap resources: row layout and the check (see bitmap_pixels.h).
#include "tests/support/bitmap_pixels.h"

#include <cstdio>

#include "platform/failure.h"
#include "platform/resources.h"

namespace {

const std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

std::uint32_t read32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::size_t rowsOffset(const unsigned char* bytes) {
    // A 24-bit bitmap may carry a colour table of biClrUsed entries before its rows.
    return read32(bytes) + static_cast<std::size_t>(read32(bytes + 32)) * 4;
}

bool fits(const ResourceData& data, int width, int height) {
    if (data.bytes == nullptr || data.size < kInfoHeaderSize || width <= 0 || height <= 0) {
        return false;
    }
    const unsigned char* b = data.bytes;
    const auto storedHeight = static_cast<std::int32_t>(read32(b + 8));
    // Planes 1, 24 bits, BI_RGB; the larger V4 and V5 headers start the same way.
    if (read32(b) < kInfoHeaderSize || b[12] != 1 || b[13] != 0 || b[14] != 24 || b[15] != 0 ||
        read32(b + 16) != 0 || static_cast<std::int32_t>(read32(b + 4)) != width ||
        (storedHeight != height && storedHeight != -height)) {
        return false;
    }
    const std::size_t offset = rowsOffset(b);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    return offset <= data.size && (data.size - offset) / stride >= static_cast<std::size_t>(height);
}

}  // namespace

BitmapRows bitmapRows(const unsigned char* bytes) {
    const auto width = static_cast<std::int32_t>(read32(bytes + 4));
    const std::size_t stride = (static_cast<std::size_t>(width > 0 ? width : 0) * 3 + 3) & ~3u;
    return {bytes + rowsOffset(bytes), stride, static_cast<std::int32_t>(read32(bytes + 8)) < 0};
}

const unsigned char* findCheckedBitmap(std::uint16_t id, int width, int height, Failure& failure) {
    const ResourceData data = findBitmapResource(id);
    if (!fits(data, width, height)) {
        char text[96];
        std::snprintf(text, sizeof text, "Failed to load bitmap %u (expected %d x %d, 24-bit)",
                      static_cast<unsigned>(id), width, height);
        failure.add(text);
        return nullptr;
    }
    return data.bytes;
}
