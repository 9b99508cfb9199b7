// How long the floors take to decode, as the program decodes them: each
// whole picture and its small copy, min and median of ROUNDS, in ms.
//   picture_decoding [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gfx/picture_decoding.h"
#include "platform/resources.h"
#include "resources/background_pictures.h"

namespace {

void timeDecoding(int picture, bool small, int rounds) {
    std::vector<double> ms;
    for (int round = 0; round < rounds; ++round) {
        DecodedPicture decoded;
        const auto start = std::chrono::steady_clock::now();
        const PictureDecoding result = decodeFloorPicture(picture, small, decoded);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (result != PictureDecoding::Decoded) {
            std::fprintf(stderr, "%s does not decode\n", kBackgroundPictures[picture].fileName);
            std::exit(1);
        }
    }
    std::sort(ms.begin(), ms.end());
    const std::uint16_t id = kBackgroundPictures[picture].resourceId;
    const ResourceData data = small ? findSmallPictureResource(id) : findPictureResource(id);
    std::printf("%s %s: %zu bytes, %.2f / %.2f ms\n", kBackgroundPictures[picture].fileName,
                small ? "small copy" : "whole", data.size, ms.front(), ms[ms.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    for (int picture = 0; picture < kBackgroundCount; ++picture) {
        timeDecoding(picture, false, rounds);
        timeDecoding(picture, true, rounds);
    }
    return 0;
}
