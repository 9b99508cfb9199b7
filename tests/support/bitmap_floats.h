// Bitmap resources as RGBA floats: how the pictures were stored before they
// were kept in 8 bits, and the reference an 8-bit texture must sample alike.
// Only the tests and the benchmarks make float pictures.
#pragma once
#include <cstdint>

class Failure;

// The floats for the rows of a bitmap that findCheckedBitmap passed: width x height
// pixels of red, green, blue, alpha, bottom row first; each byte b becomes
// b / 255 in single precision and alpha is 1. These are the floats the GDI
// path (a 32-bit DIB of the loaded bitmap) gives, row for row.
void convertBitmapToFloats(const unsigned char* bytes, int width, int height, float* destination);

// The same for `rowCount` rows from `firstRow` on (row 0 is the bottom row),
// written to the start of `destination`.
void convertBitmapRows(const unsigned char* bytes, int width, int height, int firstRow,
                       int rowCount, float* destination);

// Fills `destination` (width x height x 4 floats) from bitmap resource `id`;
// false, with `failure` told, when the bitmap is unfit.
bool readBitmapResource(float* destination, std::uint16_t id, int width, int height,
                        Failure& failure);

// Levels of a full chain for a size x size texture: log2(size), and 1 for
// size 1. The float pictures keep the full chain they used to have.
int textureLevelCount(int size);
