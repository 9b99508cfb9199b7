// The floor pictures as textures (see picture_textures.h).
#include "scene/picture_textures.h"

#include "gfx/glfw_texture.h"
#include "gfx/picture_decoding.h"

PictureTextures::PictureTextures() = default;
PictureTextures::~PictureTextures() = default;

bool PictureTextures::showSmallFirst(int picture) {
    if (small_[picture] == nullptr) {
        DecodedPicture decoded;
        if (decodeFloorPicture(picture, true, decoded) != PictureDecoding::Decoded) {
            return false;
        }
        small_[picture] = std::make_unique<GLFWTexture>(decoded.size);
        small_[picture]->uploadRows(decoded.rows.data(), 0, decoded.size);
    }
    request(picture);
    return true;
}

void PictureTextures::request(int picture) {
    if (!requested_[picture]) {
        requested_[picture] = true;
        loader_.request(picture);
    }
}

GLuint PictureTextures::textureOf(int picture, int otherShown) {
    Slot* slot = slotOf(picture);
    if (slot != nullptr && whole(*slot)) {
        return slot->texture->name();
    }
    if (small_[picture] != nullptr) {
        return small_[picture]->name();
    }
    // The one wait of a run whose change came before its picture was filled.
    request(picture);
    while (loader_.waitBand(band_)) {
        fill(band_, picture, otherShown, -1);
        slot = slotOf(picture);
        if (slot != nullptr && whole(*slot)) {
            return slot->texture->name();
        }
        if (!requested_[picture]) {
            break;  // found damaged
        }
    }
    return 0;  // damaged: the schedule leaves it out after this frame
}

void PictureTextures::afterFrame(int upcoming, int shownA, int shownB, std::vector<int>& damaged) {
    if (upcoming >= 0) {
        Slot* slot = slotOf(upcoming);
        if (slot == nullptr || !whole(*slot)) {
            request(upcoming);
        }
    }
    if (loader_.takeBand(band_)) {
        fill(band_, shownA, shownB, upcoming);
    }
    damaged.insert(damaged.end(), damaged_.begin(), damaged_.end());
    damaged_.clear();
}

void PictureTextures::fill(PictureLoader::Band& band, int keepA, int keepB, int upcoming) {
    const int picture = band.picture;
    const bool last = band.damaged || band.top + band.rows >= band.size;
    if (last) {
        requested_[picture] = false;
    }
    Slot* slot = slotOf(picture);
    if (band.damaged) {
        damaged_.push_back(picture);
        if (slot != nullptr) {
            slot->picture = -1;  // what was filled is never drawn
            slot->rowsFilled = 0;
        }
        return;
    }
    if (picture != keepA && picture != keepB && (upcoming < 0 || picture != upcoming)) {
        return;  // no longer wanted: asked for again when it is
    }
    if (slot == nullptr) {
        slot = claimSlot(picture, keepA, keepB);
        if (slot == nullptr) {
            return;  // both textures hold pictures on screen
        }
    }
    if (band.top == 0) {
        slot->rowsFilled = 0;
    }
    if (slot->texture == nullptr) {
        slot->texture = std::make_unique<GLFWTexture>(kBackgroundSize);
    }
    // Rows counted from the top; the texture's from the bottom.
    slot->texture->uploadRows(band.data.data(), band.size - band.top - band.rows, band.rows);
    slot->rowsFilled += band.rows;
    if (whole(*slot)) {
        small_[picture].reset();
    }
}

PictureTextures::Slot* PictureTextures::slotOf(int picture) {
    for (Slot& slot : slots_) {
        if (slot.picture == picture) {
            return &slot;
        }
    }
    return nullptr;
}

PictureTextures::Slot* PictureTextures::claimSlot(int picture, int keepA, int keepB) {
    Slot* chosen = nullptr;
    for (Slot& slot : slots_) {
        if (slot.picture == keepA || slot.picture == keepB) {
            continue;
        }
        // An empty slot first, so that the first pictures get one texture each.
        if (chosen == nullptr || (slot.picture < 0 && chosen->picture >= 0)) {
            chosen = &slot;
        }
    }
    if (chosen != nullptr) {
        chosen->picture = picture;
        chosen->rowsFilled = 0;
    }
    return chosen;
}
