// JPEG decoding through libjpeg (see picture_decoding.h). libjpeg reports a
// fatal error by calling a function that must not return: it jumps back to
// decodeRows, whose frame holds nothing with a destructor.
#include "gfx/picture_decoding.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

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

// Into `rows`, sized for expectedSize square; the picture's top row is the
// file's first and the buffer's last.
PictureDecoding decodeRows(const unsigned char* bytes, std::size_t count, int expectedSize,
                           std::vector<unsigned char>& rows) {
    jpeg_decompress_struct info;
    ErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = leaveOnError;
    trap.manager.emit_message = countWarnings;
    trap.warnings = 0;
    jpeg_create_decompress(&info);
    if (setjmp(trap.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return PictureDecoding::Damaged;
    }
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(count));
    jpeg_read_header(&info, TRUE);
    if (info.image_width != static_cast<JDIMENSION>(expectedSize) ||
        info.image_height != static_cast<JDIMENSION>(expectedSize)) {
        jpeg_destroy_decompress(&info);
        return PictureDecoding::WrongSize;
    }
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const std::size_t stride = static_cast<std::size_t>(expectedSize) * 3;
    rows.resize(stride * static_cast<std::size_t>(expectedSize));
    while (info.output_scanline < info.output_height && trap.warnings == 0) {
        const std::size_t stored =
            static_cast<std::size_t>(expectedSize) - 1 - info.output_scanline;
        JSAMPROW row = rows.data() + stored * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    if (trap.warnings == 0) {
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return trap.warnings == 0 ? PictureDecoding::Decoded : PictureDecoding::Damaged;
}

}  // namespace

PictureDecoding decodePicture(const unsigned char* bytes, std::size_t count, int expectedSize,
                              DecodedPicture& picture) {
    picture = DecodedPicture{};
    if (bytes == nullptr || count == 0 || expectedSize <= 0) {
        return PictureDecoding::Damaged;
    }
    const PictureDecoding result = decodeRows(bytes, count, expectedSize, picture.rows);
    if (result == PictureDecoding::Decoded) {
        picture.size = expectedSize;
    } else {
        picture.rows = {};
    }
    return result;
}

PictureDecoding decodeFloorPicture(int picture, bool small, DecodedPicture& decoded) {
    const std::uint16_t id = kBackgroundPictures[picture].resourceId;
    const ResourceData data = small ? findSmallPictureResource(id) : findPictureResource(id);
    if (!data.found()) {
        decoded = DecodedPicture{};
        return PictureDecoding::Damaged;
    }
    std::vector<unsigned char> bytes(data.size);
    copyResourceBytes(data, 0, data.size, bytes.data());
    return decodePicture(bytes.data(), bytes.size(), small ? kSmallBackgroundSize : kBackgroundSize,
                         decoded);
}
