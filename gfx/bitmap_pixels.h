// Bitmap resources: the check of a resource's header, where its 24-bit rows
// lie (textures take them as they are stored), and their conversion to RGBA
// floats, the reference that an 8-bit texture must sample alike. The only
// place where the program reads a bitmap's layout.
#pragma once
#include <cstddef>
#include <cstdint>

// What stops a bitmap resource from being read as a width x height picture.
enum class BitmapProblem {
    None,
    Missing,       // no bitmap resource with that id
    NotRgb24,      // not an uncompressed 24-bit bitmap
    SizeMismatch,  // width or height differ from the ones asked for
    Truncated,     // the resource ends before its last row
};

// Checks a bitmap resource (BITMAPINFOHEADER, optional colour table, rows)
// against the size the caller expects. Reads nothing beyond `size` bytes.
BitmapProblem checkBitmap(const unsigned char* bytes, std::size_t size, int width, int height);

// Where the rows of a bitmap that passed checkBitmap lie. Each stored row is
// width x 3 bytes of blue, green, red, padded to a multiple of 4 bytes.
struct BitmapRows {
    const unsigned char* first;  // the first stored row
    std::size_t stride;          // bytes from one stored row to the next
    bool topDown;                // the first stored row is the picture's top
};
BitmapRows bitmapRows(const unsigned char* bytes);

// The floats for the rows of a bitmap that passed checkBitmap: width x height
// pixels of red, green, blue, alpha, bottom row first; each byte b becomes
// b / 255 in single precision and alpha is 1. These are the floats the GDI
// road (a 32-bit DIB of the loaded bitmap) gives, row for row.
void convertBitmapToFloats(const unsigned char* bytes, int width, int height, float* destination);

// The same for `rowCount` rows from `firstRow` on (row 0 is the bottom row),
// written to the start of `destination`.
void convertBitmapRows(const unsigned char* bytes, int width, int height, int firstRow,
                       int rowCount, float* destination);

class Failure;

// Bitmap resource `id`, checked to be width x height, 24 bits. A missing or
// unfit bitmap is added to `failure` with why ("Failed to load bitmap ...")
// and gives null, rather than anything reading past the resource.
const unsigned char* findCheckedBitmap(std::uint16_t id, int width, int height, Failure& failure);

// Fills `destination` (width x height x 4 floats) from bitmap resource `id`;
// false, with `failure` told, when the bitmap is unfit.
bool readBitmapResource(float* destination, std::uint16_t id, int width, int height,
                        Failure& failure);
