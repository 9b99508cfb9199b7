// The floors as the program carries them: JPEG files, each made at the least
// quality that keeps it within a given PSNR of the painted picture, and a
// small copy for the first frame and the preview.
#pragma once
#include <cstdint>
#include <vector>

// What one encoding came to.
struct JpegChoice {
    std::vector<std::uint8_t> bytes;
    int quality = 0;
    bool subsampled = false;  // 4:2:0 chroma, else 4:4:4
    double psnr = 0.0;        // decoded against the picture, over all three channels
};

// `bgr`: size x size pixels of blue, green, red bytes, bottom row first (as
// the bitmap files hold them). The least quality, with full or subsampled
// chroma whichever gives fewer bytes, whose decoded picture stays within
// `minPsnr` dB of `bgr`.
JpegChoice encodeJpegWithin(int size, const std::vector<std::uint8_t>& bgr, double minPsnr);

// The same picture at `size / factor` square (each pixel the mean of a
// factor x factor block), encoded at `quality` with full chroma.
std::vector<std::uint8_t> encodeSmallJpeg(int size, const std::vector<std::uint8_t>& bgr,
                                          int factor, int quality);
