// The list of products: eight floor pictures, the About picture, the icon file
// and the window icon's source.
#include "art_catalogue.h"

#include "emblem.h"
#include "files.h"
#include "floors.h"

namespace {

// The About window shows its picture at its natural size.
const int kAboutWidth = 110;
const int kAboutHeight = 83;
// The sizes the icon file carries, smallest first.
const int kIconSizes[] = {16, 24, 32, 48, 64, 256};
const int kWindowIconSize = 64;

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

}  // namespace

std::vector<ArtProduct> artCatalogue() {
    std::vector<ArtProduct> products;
    // The floors first: they take longest, and the pool starts them first.
    for (const FloorRecipe& recipe : floorRecipes()) {
        products.push_back({recipe.fileName, [recipe] {
                                Image picture = recipe.paint(kFloorSize, recipe.seed);
                                return encodeBmp24(kFloorSize, kFloorSize, toBottomUpBgr(picture));
                            }});
    }
    products.push_back({"about_emblem.bmp", [] {
                            return encodeBmp24(kAboutWidth, kAboutHeight,
                                               renderAboutPicture(kAboutWidth, kAboutHeight));
                        }});
    products.push_back({"Glimmerpond3D.ico", [] {
                            std::vector<RgbaImage> images;
                            for (int size : kIconSizes) {
                                images.push_back(renderEmblem(size));
                            }
                            return encodeIco(images);
                        }});
    products.push_back({"window_icon_pixels.cpp", [] {
                            return bytesOf(encodeRgbaSource(renderEmblem(kWindowIconSize),
                                                            "app/window_icon.h",
                                                            "kWindowIconPixels"));
                        }});
    return products;
}
