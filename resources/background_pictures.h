// The floor pictures as C++ sees them (background_pictures.def holds the list).
#pragma once
#include <cstdint>

struct BackgroundPicture {
    // The picture as PICTURE (JPEG, kBackgroundSize square), its small copy as
    // SMALLPICTURE (JPEG, kSmallBackgroundSize square); test builds also
    // carry the painted original as a BITMAP under the same id.
    std::uint16_t resourceId;
    const char* fileName;
    const char* paintedFileName;
    const char* name;   // as --pictures takes it
    const char* label;  // as the Settings window shows it, "&" before its mnemonic
};

constexpr BackgroundPicture kBackgroundPictures[] = {
#define GP_BACKGROUND(id, file, small, painted, painter, seed, name, label) \
    {id, file, painted, name, label},
#include "resources/background_pictures.def"
#undef GP_BACKGROUND
};

constexpr int kBackgroundCount =
    static_cast<int>(sizeof(kBackgroundPictures) / sizeof(kBackgroundPictures[0]));

// Every picture is square, 24 bits per pixel.
constexpr int kBackgroundSize = 2048;
constexpr int kSmallBackgroundSize = 256;
