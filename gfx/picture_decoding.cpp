// JPEG decoding through libjpeg (see picture_decoding.h). libjpeg reports a
// fatal error by calling a function that must not return: it jumps back to
// the function that called into it, whose frame holds nothing with a
// destructor.
#include "gfx/picture_decoding.h"

#include <csetjmp>
#include <cstdio>
#include <utility>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "platform/resources.h"
#include "resources/background_pictures.h"

namespace {

struct ErrorTrap {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is one to the trap
    std::jmp_buf jump;
    int warnings;
};

[[noreturn]] void leaveOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// Level -1 is a warning: damaged data the decoder would paper over with grey.
void countWarnings(j_common_ptr info, int level) {
    if (level < 0) {
        reinterpret_cast<ErrorTrap*>(info->err)->warnings += 1;
    }
}

// A resource's bytes for libjpeg, copied out a piece at a time.
constexpr std::size_t kPieceBytes = 64 * 1024;
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

struct ResourceSource {
    jpeg_source_mgr manager;  // first, as libjpeg sees only this
    ResourceData data;
    std::size_t offset;
    JOCTET piece[kPieceBytes];
};

void startSource(j_decompress_ptr) {}

// Past the end, an end marker and a warning, as libjpeg's own sources do: a
// picture cut short reads as damaged.
boolean fillSource(j_decompress_ptr info) {
    auto* source = reinterpret_cast<ResourceSource*>(info->src);
    const std::size_t left = source->data.size - source->offset;
    if (left == 0) {
        WARNMS(info, JWRN_JPEG_EOF);
        source->manager.next_input_byte = kEndOfImage;
        source->manager.bytes_in_buffer = sizeof kEndOfImage;
        return TRUE;
    }
    const std::size_t count = left < kPieceBytes ? left : kPieceBytes;
    copyResourceBytes(source->data, source->offset, count, source->piece);
    source->offset += count;
    source->manager.next_input_byte = source->piece;
    source->manager.bytes_in_buffer = count;
    return TRUE;
}

void skipSource(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<ResourceSource*>(info->src);
    while (count > static_cast<long>(source->manager.bytes_in_buffer)) {
        count -= static_cast<long>(source->manager.bytes_in_buffer);
        fillSource(info);
    }
    if (count > 0) {
        source->manager.next_input_byte += count;
        source->manager.bytes_in_buffer -= static_cast<std::size_t>(count);
    }
}

void endSource(j_decompress_ptr) {}

}  // namespace

struct PictureBands::Reader {
    jpeg_decompress_struct info;
    ErrorTrap trap;
    ResourceSource source;
    bool started = false;
    bool damaged = false;
};

PictureBands::PictureBands(int size) : reader_(new Reader), size_(size) {
    Reader& r = *reader_;
    r.info.err = jpeg_std_error(&r.trap.manager);
    r.trap.manager.error_exit = leaveOnError;
    r.trap.manager.emit_message = countWarnings;
    r.trap.warnings = 0;
    jpeg_create_decompress(&r.info);
}

PictureBands::PictureBands(int picture, bool small)
    : PictureBands(small ? kSmallBackgroundSize : kBackgroundSize) {
    const std::uint16_t id = kBackgroundPictures[picture].resourceId;
    Reader& r = *reader_;
    r.source.data = small ? findSmallPictureResource(id) : findPictureResource(id);
    r.source.offset = 0;
    r.source.manager.next_input_byte = nullptr;
    r.source.manager.bytes_in_buffer = 0;
    r.source.manager.init_source = startSource;
    r.source.manager.fill_input_buffer = fillSource;
    r.source.manager.skip_input_data = skipSource;
    r.source.manager.resync_to_restart = jpeg_resync_to_restart;
    r.source.manager.term_source = endSource;
    r.info.src = &r.source.manager;
    r.damaged = !r.source.data.found();
}

PictureBands::PictureBands(const unsigned char* bytes, std::size_t count, int expectedSize)
    : PictureBands(expectedSize) {
    Reader& r = *reader_;
    r.damaged = bytes == nullptr || count == 0 || expectedSize <= 0;
    if (!r.damaged) {
        // libjpeg's own source over bytes in memory; it never fails.
        jpeg_mem_src(&r.info, bytes, static_cast<unsigned long>(count));
    }
}

PictureBands::~PictureBands() {
    jpeg_destroy_decompress(&reader_->info);
    delete reader_;
}

PictureDecoding PictureBands::start() {
    Reader& r = *reader_;
    if (r.damaged) {
        return PictureDecoding::Damaged;
    }
    if (setjmp(r.trap.jump) != 0) {
        r.damaged = true;
        return PictureDecoding::Damaged;
    }
    jpeg_read_header(&r.info, TRUE);
    if (r.info.image_width != static_cast<JDIMENSION>(size_) ||
        r.info.image_height != static_cast<JDIMENSION>(size_)) {
        r.damaged = true;
        return PictureDecoding::WrongSize;
    }
    r.info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&r.info);
    r.started = true;
    return r.trap.warnings == 0 ? PictureDecoding::Decoded : PictureDecoding::Damaged;
}

int PictureBands::next(unsigned char* rows, int count) {
    Reader& r = *reader_;
    if (r.damaged || !r.started) {
        return -1;
    }
    if (setjmp(r.trap.jump) != 0) {
        r.damaged = true;
        return -1;
    }
    const std::size_t stride = static_cast<std::size_t>(size_) * 3;
    const int left = static_cast<int>(r.info.output_height - r.info.output_scanline);
    const int band = count < left ? count : left;
    for (int i = 0; i < band && r.trap.warnings == 0; ++i) {
        // The band's top row goes last: textures take rows bottom first.
        JSAMPROW row = rows + static_cast<std::size_t>(band - 1 - i) * stride;
        jpeg_read_scanlines(&r.info, &row, 1);
    }
    if (band > 0 && r.info.output_scanline == r.info.output_height && r.trap.warnings == 0) {
        jpeg_finish_decompress(&r.info);
    }
    if (r.trap.warnings != 0) {
        r.damaged = true;
        return -1;
    }
    return band;
}

namespace {

// Every row in one band: the picture's top row lands last.
PictureDecoding decodeWhole(PictureBands& bands, DecodedPicture& decoded) {
    decoded = DecodedPicture{};
    const PictureDecoding header = bands.start();
    if (header != PictureDecoding::Decoded) {
        return header;
    }
    const int size = bands.size();
    std::vector<unsigned char> rows(static_cast<std::size_t>(size) * size * 3);
    if (bands.next(rows.data(), size) != size) {
        return PictureDecoding::Damaged;
    }
    decoded.size = size;
    decoded.rows = std::move(rows);
    return PictureDecoding::Decoded;
}

}  // namespace

PictureDecoding decodePicture(const unsigned char* bytes, std::size_t count, int expectedSize,
                              DecodedPicture& picture) {
    PictureBands bands(bytes, count, expectedSize);
    return decodeWhole(bands, picture);
}

PictureDecoding decodeFloorPicture(int picture, bool small, DecodedPicture& decoded) {
    PictureBands bands(picture, small);
    return decodeWhole(bands, decoded);
}
