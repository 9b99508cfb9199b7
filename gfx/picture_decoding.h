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

// Reads a floor picture from the program's resources a band of rows at a
// time, top band first, so that neither the whole picture nor its whole data
// is ever held: the resource's bytes are copied out in small pieces and
// dropped again. For a thread that hands each band on as it is ready.
class PictureBands {
  public:
    // `small`: the picture's small copy rather than the whole one.
    PictureBands(int picture, bool small);
    // `count` bytes in memory, expected to be a picture `expectedSize` square.
    PictureBands(const unsigned char* bytes, std::size_t count, int expectedSize);
    ~PictureBands();
    PictureBands(const PictureBands&) = delete;
    PictureBands& operator=(const PictureBands&) = delete;

    // Reads the header; Decoded when the picture can be read at its size.
    PictureDecoding start();
    int size() const { return size_; }
    // The next up to `count` rows into `rows` (count x size x 3 bytes), the
    // band's bottom row first; how many rows, 0 after the last. -1 where the
    // data turns out damaged: what was read before is not to be shown.
    int next(unsigned char* rows, int count);

  private:
    explicit PictureBands(int size);

    struct Reader;
    Reader* reader_;
    int size_;
};

// Decodes `count` bytes into `picture`, which is left empty unless Decoded.
// Reads nothing beyond `count` bytes, and allocates nothing for a picture of
// another size than expected.
PictureDecoding decodePicture(const unsigned char* bytes, std::size_t count, int expectedSize,
                              DecodedPicture& picture);

// Floor picture `picture` (0 to 7) from the program's resources, whole: the
// picture itself or its small copy (through PictureBands).
PictureDecoding decodeFloorPicture(int picture, bool small, DecodedPicture& decoded);
