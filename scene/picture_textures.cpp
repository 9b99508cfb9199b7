// The floor pictures as textures (see picture_textures.h).
#include "scene/picture_textures.h"

#include <algorithm>

#include "gfx/bitmap_pixels.h"
#include "gfx/glfw_texture.h"
#include "platform/failure.h"
#include "resources/background_pictures.h"

PictureTextures::PictureTextures() = default;
PictureTextures::~PictureTextures() = default;

bool PictureTextures::checkAll(Failure& failure) {
    bitmaps_.clear();
    for (const BackgroundPicture& picture : kBackgroundPictures) {
        if (findCheckedBitmap(picture.bitmapId, kBackgroundSize, kBackgroundSize, failure) ==
            nullptr) {
            return false;
        }
        bitmaps_.push_back(findBitmapResource(picture.bitmapId));
    }
    return true;
}

GLuint PictureTextures::textureOf(int picture, int otherShown) {
    Slot* slot = slotOf(picture);
    if (slot == nullptr) {
        slot = &claimSlot(picture, picture, otherShown);
    }
    fill(*slot, kBackgroundSize);
    return slot->texture->name();
}

void PictureTextures::prepareAhead(int upcoming, int shownA, int shownB) {
    Slot* slot = slotOf(upcoming);
    if (slot == nullptr) {
        slot = &claimSlot(upcoming, shownA, shownB);
    }
    fill(*slot, kRowsPerFrame);
}

PictureTextures::Slot* PictureTextures::slotOf(int picture) {
    for (Slot& slot : slots_) {
        if (slot.picture == picture) {
            return &slot;
        }
    }
    return nullptr;
}

PictureTextures::Slot& PictureTextures::claimSlot(int picture, int keepA, int keepB) {
    Slot* chosen = nullptr;
    for (Slot& slot : slots_) {
        if (slot.picture == keepA || slot.picture == keepB) {
            continue;
        }
        // An empty slot first, so that set-up fills one texture per picture.
        if (chosen == nullptr || (slot.picture < 0 && chosen->picture >= 0)) {
            chosen = &slot;
        }
    }
    chosen->picture = picture;
    chosen->rowsFilled = 0;
    return *chosen;
}

// The next `rows` rows of the slot's picture, up to its last one.
void PictureTextures::fill(Slot& slot, int rows) {
    if (slot.rowsFilled >= kBackgroundSize) {
        return;
    }
    if (slot.texture == nullptr) {
        slot.texture = std::make_unique<GLFWTexture>(kBackgroundSize);
    }
    const int count = std::min(rows, kBackgroundSize - slot.rowsFilled);
    slot.texture->upload(bitmaps_[static_cast<std::size_t>(slot.picture)], slot.rowsFilled, count,
                         staging_);
    slot.rowsFilled += count;
}
