// Bitmap resources, as test builds carry the painted floors (and the program
// its About picture): where their 24-bit rows lie.
#pragma once
#include <cstddef>
#include <cstdint>

// Where the rows of a 24-bit bitmap resource lie. Each stored row is width x 3
// bytes of blue, green, red, padded to a multiple of 4 bytes.
struct BitmapRows {
    const unsigned char* first;  // the first stored row
    std::size_t stride;          // bytes from one stored row to the next
    bool topDown;                // the first stored row is the picture's top
};
BitmapRows bitmapRows(const unsigned char* bytes);

class Failure;

// Bitmap resource `id` when it is an uncompressed 24-bit width x height
// bitmap with every row inside the resource; else null, with why added to
// `failure`.
const unsigned char* findCheckedBitmap(std::uint16_t id, int width, int height, Failure& failure);
