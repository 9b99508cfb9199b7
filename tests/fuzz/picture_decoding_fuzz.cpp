// A libFuzzer target for the floor pictures' decoding: any bytes must decode
// to a whole picture of the size asked for, or to nothing, without reading or
// writing out of bounds. The first byte picks the size asked for, so that
// small pictures (the seeds) decode all the way through.
#include <cstddef>
#include <cstdint>

#include "gfx/picture_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    static const int kSizes[] = {8, 16, 64, 256};
    const int expected = kSizes[data[0] % 4];
    DecodedPicture picture;
    const PictureDecoding result = decodePicture(data + 1, size - 1, expected, picture);
    if (result == PictureDecoding::Decoded) {
        // A decoded picture has every row of the size asked for.
        if (picture.size != expected ||
            picture.rows.size() != static_cast<std::size_t>(expected) * expected * 3) {
            __builtin_trap();
        }
    } else if (!picture.rows.empty()) {
        __builtin_trap();
    }
    return 0;
}
