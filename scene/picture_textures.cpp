// The floor pictures as textures (see picture_textures.h).
#include "scene/picture_textures.h"

#include <algorithm>
#include <utility>

#include "gfx/glfw_texture.h"

PictureTextures::PictureTextures(PictureLoader::Decode decode) : loader_(decode) {}
PictureTextures::~PictureTextures() = default;

PictureDecoding PictureTextures::decodeWholeFloor(int picture, DecodedPicture& decoded) {
    return decodeFloorPicture(picture, false, decoded);
}

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
    if (slot == nullptr) {
        // Not decoded yet: the one wait of a run whose change came first.
        request(picture);
        std::vector<PictureLoader::Done> others;
        PictureLoader::Done done = loader_.waitFor(picture, others);
        for (PictureLoader::Done& other : others) {
            accept(std::move(other), picture, otherShown, -1);
        }
        accept(std::move(done), picture, otherShown, -1);
        slot = slotOf(picture);
        if (slot == nullptr) {
            return 0;  // damaged: the schedule leaves it out after this frame
        }
    }
    fill(*slot, kBackgroundSize);
    return slot->texture->name();
}

void PictureTextures::afterFrame(int upcoming, int shownA, int shownB, std::vector<int>& damaged) {
    std::vector<PictureLoader::Done> done;
    if (loader_.takeFinished(done)) {
        for (PictureLoader::Done& each : done) {
            accept(std::move(each), shownA, shownB, upcoming);
        }
    }
    Slot* upcomingSlot = slotOf(upcoming);
    if (upcomingSlot == nullptr) {
        request(upcoming);
    }
    // A shown picture on its small copy comes first; then the next change's.
    for (const int picture : {shownA, shownB, upcoming}) {
        Slot* slot = slotOf(picture);
        if (slot != nullptr && !whole(*slot)) {
            fill(*slot, kRowsPerFrame);
            break;
        }
    }
    damaged.insert(damaged.end(), damaged_.begin(), damaged_.end());
    damaged_.clear();
}

void PictureTextures::accept(PictureLoader::Done&& done, int keepA, int keepB, int upcoming) {
    const int picture = done.picture;
    requested_[picture] = false;
    if (done.result != PictureDecoding::Decoded) {
        damaged_.push_back(picture);
        return;
    }
    if (picture != keepA && picture != keepB && picture != upcoming) {
        return;  // no longer wanted: asked for again when it is
    }
    Slot* slot = slotOf(picture);
    if (slot == nullptr) {
        slot = &claimSlot(picture, keepA, keepB);
    }
    slot->rowsFilled = 0;
    slot->source = std::move(done.decoded);
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
        // An empty slot first, so that the first pictures get one texture each.
        if (chosen == nullptr || (slot.picture < 0 && chosen->picture >= 0)) {
            chosen = &slot;
        }
    }
    chosen->picture = picture;
    chosen->rowsFilled = 0;
    chosen->source = DecodedPicture{};
    return *chosen;
}

// The next `rows` rows of the slot's decoded picture, up to its last one;
// once whole, the decoded rows and the small copy it replaces are let go.
void PictureTextures::fill(Slot& slot, int rows) {
    if (whole(slot) || slot.source.rows.empty()) {
        return;
    }
    if (slot.texture == nullptr) {
        slot.texture = std::make_unique<GLFWTexture>(kBackgroundSize);
    }
    const int count = std::min(rows, kBackgroundSize - slot.rowsFilled);
    slot.texture->uploadRows(slot.source.rows.data(), slot.rowsFilled, count);
    slot.rowsFilled += count;
    if (whole(slot)) {
        slot.source = DecodedPicture{};
        small_[slot.picture].reset();
    }
}
