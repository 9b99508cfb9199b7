// Bitmap resources, as test builds carry the painted floors: the check of a
// resource's header and where its 24-bit rows lie.
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

class Failure;

// Bitmap resource `id`, checked to be width x height, 24 bits. A missing or
// unfit bitmap is added to `failure` with why ("Failed to load bitmap ...")
// and gives null, rather than anything reading past the resource.
const unsigned char* findCheckedBitmap(std::uint16_t id, int width, int height, Failure& failure);
