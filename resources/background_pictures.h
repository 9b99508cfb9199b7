// The floor pictures as C++ sees them (background_pictures.def holds the list).
#pragma once
#include <cstdint>

struct BackgroundPicture {
    std::uint16_t bitmapId;
    const char* fileName;
    const char* name;   // as --pictures takes it
    const char* label;  // as the Settings window shows it, "&" before its mnemonic
};

constexpr BackgroundPicture kBackgroundPictures[] = {
#define GP_BACKGROUND(id, file, painter, seed, name, label) {id, file, name, label},
#include "resources/background_pictures.def"
#undef GP_BACKGROUND
};

constexpr int kBackgroundCount =
    static_cast<int>(sizeof(kBackgroundPictures) / sizeof(kBackgroundPictures[0]));

// Every picture is square, 24 bits per pixel.
constexpr int kBackgroundSize = 2048;
