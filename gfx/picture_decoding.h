// The floor pictures as the program carries them: JPEG data, decoded into
// rows of blue, green and red bytes, bottom row first, the layout that both
// the textures and the system's own bitmaps take. A picture that is not whole
// is never handed on: any error or warning of the decoder (damaged or
// truncated data) makes it unusable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// What a run says where no floor picture can be read.
constexpr char kNoFloorPictureText[] = "Failed to load the floor pictures (every one is damaged)";

struct DecodedPicture {
    int size = 0;                     // square, size x size pixels
    std::vector<unsigned char> rows;  // size x 3 bytes a row, no padding
};

enum class PictureDecoding {
    Decoded,
    Damaged,    // not JPEG data, or data the decoder could not read whole
    WrongSize,  // a picture, but not `expectedSize` square
};

// Decodes `count` bytes into `picture`, which is left empty unless Decoded.
// Reads nothing beyond `count` bytes, and allocates nothing for a picture of
// another size than expected.
PictureDecoding decodePicture(const unsigned char* bytes, std::size_t count, int expectedSize,
                              DecodedPicture& picture);

// Floor picture `picture` (0 to 7) from the program's resources: the whole
// one, or its small copy. The resource's bytes are copied out and dropped
// again, so its pages do not stay in memory.
PictureDecoding decodeFloorPicture(int picture, bool small, DecodedPicture& decoded);
