// The list of products: eight floor pictures, the About picture, the icon file
// and the window icon's source.
#include "art_catalogue.h"

#include <cstdio>

#include "emblem.h"
#include "files.h"
#include "floors.h"
#include "jpeg_files.h"

namespace {

// The About window shows its picture at its natural size.
const int kAboutWidth = 110;
const int kAboutHeight = 83;
// The sizes the icon file carries, smallest first.
const int kIconSizes[] = {16, 24, 32, 48, 64, 256};
const int kWindowIconSize = 64;
// How close each floor as carried stays to the painted one, and the small
// copy's reduction and quality (it stands in for a moment, or in a pane
// smaller than itself).
const double kFloorMinPsnr = 40.1;
const int kSmallFactor = 8;
const int kSmallQuality = 90;

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

}  // namespace

std::vector<ArtProduct> artCatalogue() {
    std::vector<ArtProduct> products;
    // The floors first: they take longest, and the pool starts them first.
    for (const FloorRecipe& recipe : floorRecipes()) {
        products.push_back(
            {{recipe.fileName, recipe.smallFileName, recipe.paintedFileName}, [recipe] {
                 const std::vector<std::uint8_t> bgr =
                     toBottomUpBgr(recipe.paint(kFloorSize, recipe.seed));
                 JpegChoice carried = encodeJpegWithin(kFloorSize, bgr, kFloorMinPsnr);
                 std::printf("gen_art: %s: quality %d, %s, %zu bytes, %.2f dB\n",
                             recipe.fileName.c_str(), carried.quality,
                             carried.subsampled ? "4:2:0" : "4:4:4", carried.bytes.size(),
                             carried.psnr);
                 return ArtFiles{std::move(carried.bytes),
                                 encodeSmallJpeg(kFloorSize, bgr, kSmallFactor, kSmallQuality),
                                 encodeBmp24(kFloorSize, kFloorSize, bgr)};
             }});
    }
    products.push_back({{"about_emblem.bmp"}, [] {
                            return ArtFiles{
                                encodeBmp24(kAboutWidth, kAboutHeight,
                                            renderAboutPicture(kAboutWidth, kAboutHeight))};
                        }});
    products.push_back({{"Glimmerpond3D.ico"}, [] {
                            std::vector<RgbaImage> images;
                            for (int size : kIconSizes) {
                                images.push_back(renderEmblem(size));
                            }
                            return ArtFiles{encodeIco(images)};
                        }});
    products.push_back(
        {{"window_icon_pixels.cpp"}, [] {
             return ArtFiles{bytesOf(encodeRgbaSource(renderEmblem(kWindowIconSize),
                                                      "app/window_icon.h", "kWindowIconPixels"))};
         }});
    return products;
}
