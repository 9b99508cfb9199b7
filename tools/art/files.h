// Writers for what the generator hands to the build: 24-bit bitmap files, a
// multi-size icon file, and the window icon as a C++ source file. Each file is
// written beside its final name and then renamed, so an interrupted run never
// leaves a half-written file that looks finished.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Straight (not premultiplied) RGBA bytes, rows from top to bottom.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// A bitmap file: 14-byte file header, 40-byte BITMAPINFOHEADER (24 bits,
// BI_RGB, positive height), then `rows` (bottom row first, each padded to 4 bytes).
std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<std::uint8_t>& rows);

// An .ico file holding each image as a 32-bit DIB with its AND mask.
std::vector<std::uint8_t> encodeIco(const std::vector<RgbaImage>& images);

// A C++ source file that defines `symbol` as the image's RGBA bytes.
std::string encodeRgbaSource(const RgbaImage& image, const std::string& header,
                             const std::string& symbol);

bool writeFileAtomically(const std::string& path, const void* data, std::size_t size);
