// JPEG files of the floors (see jpeg_files.h), through libjpeg's own
// encoder and decoder with their default settings and optimised Huffman tables.
#include "jpeg_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

std::vector<std::uint8_t> encode(int size, const std::vector<std::uint8_t>& bgr, int quality,
                                 bool subsampled) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // exits on error: a generator has no one to tell
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = static_cast<JDIMENSION>(size);
    info.image_height = static_cast<JDIMENSION>(size);
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    const int chromaSampling = subsampled ? 2 : 1;
    info.comp_info[0].h_samp_factor = chromaSampling;
    info.comp_info[0].v_samp_factor = chromaSampling;
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(size) * 3;
    while (info.next_scanline < info.image_height) {
        // The file's first row is the picture's top, the bitmap's last.
        const std::size_t stored = static_cast<std::size_t>(size) - 1 - info.next_scanline;
        JSAMPROW row = const_cast<JSAMPROW>(bgr.data() + stored * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes(out, out + outSize);
    std::free(out);
    return bytes;
}

double psnrOf(int size, const std::vector<std::uint8_t>& bgr,
              const std::vector<std::uint8_t>& jpeg) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const std::size_t stride = static_cast<std::size_t>(size) * 3;
    std::vector<std::uint8_t> row(stride);
    double squares = 0.0;
    while (info.output_scanline < info.output_height) {
        const std::size_t stored = static_cast<std::size_t>(size) - 1 - info.output_scanline;
        JSAMPROW rows = row.data();
        jpeg_read_scanlines(&info, &rows, 1);
        const std::uint8_t* painted = bgr.data() + stored * stride;
        for (std::size_t i = 0; i < stride; ++i) {
            const double d = static_cast<double>(row[i]) - painted[i];
            squares += d * d;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    const double mse = squares / (static_cast<double>(stride) * size);
    return mse > 0.0 ? 10.0 * std::log10(255.0 * 255.0 / mse) : 99.0;
}

}  // namespace

JpegChoice encodeJpegWithin(int size, const std::vector<std::uint8_t>& bgr, double minPsnr) {
    JpegChoice best;
    for (const bool subsampled : {false, true}) {
        // PSNR grows with the quality: the least one that reaches minPsnr.
        int low = 50, high = 100;
        JpegChoice found;
        while (low <= high) {
            const int quality = (low + high) / 2;
            std::vector<std::uint8_t> bytes = encode(size, bgr, quality, subsampled);
            const double psnr = psnrOf(size, bgr, bytes);
            if (psnr >= minPsnr) {
                found = JpegChoice{std::move(bytes), quality, subsampled, psnr};
                high = quality - 1;
            } else {
                low = quality + 1;
            }
        }
        if (!found.bytes.empty() &&
            (best.bytes.empty() || found.bytes.size() < best.bytes.size())) {
            best = std::move(found);
        }
    }
    if (best.bytes.empty()) {
        std::fprintf(stderr, "gen_art: no JPEG quality reaches %.1f dB\n", minPsnr);
        std::exit(1);
    }
    return best;
}

std::vector<std::uint8_t> encodeSmallJpeg(int size, const std::vector<std::uint8_t>& bgr,
                                          int factor, int quality) {
    const int small = size / factor;
    std::vector<std::uint8_t> shrunk(static_cast<std::size_t>(small) * small * 3);
    for (int y = 0; y < small; ++y) {
        for (int x = 0; x < small; ++x) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < factor; ++dy) {
                    const std::size_t row = static_cast<std::size_t>(y * factor + dy) * size;
                    for (int dx = 0; dx < factor; ++dx) {
                        sum += bgr[(row + static_cast<std::size_t>(x * factor + dx)) * 3 + c];
                    }
                }
                shrunk[(static_cast<std::size_t>(y) * small + x) * 3 + c] =
                    static_cast<std::uint8_t>((sum + factor * factor / 2) / (factor * factor));
            }
        }
    }
    return encode(small, shrunk, quality, false);
}
