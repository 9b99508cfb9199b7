// The floor pictures as textures. Pictures are decoded on a thread of their
// own (PictureLoader), a band of rows at a time; after each frame one band
// goes into its picture's texture, so no frame waits for a whole picture and
// no whole decoded picture is held. Two whole textures at a time: the two
// pictures of a cross-fade; once one is faded out, its texture takes the
// picture the next change will bring in. Until a shown
// picture's texture is whole, its small copy (decoded at set-up, in a
// moment) stands in. A picture whose data does not decode is never drawn; it
// is handed back so that the schedule leaves it out.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "gfx/gl.h"
#include "resources/background_pictures.h"
#include "scene/picture_loader.h"

class GLFWTexture;

class PictureTextures {
  public:
    PictureTextures();
    ~PictureTextures();

    // Set-up's: `picture`'s small copy becomes its texture for now, and its
    // whole picture is asked for. False, with nothing made, where the small
    // copy does not decode.
    bool showSmallFirst(int picture);

    // The texture to draw `picture` with: its whole texture where that is
    // filled, else its small copy; where it has neither, the rest of the
    // whole picture is waited for and filled now. A slot is taken for it if
    // it has none, never the one of `otherShown`. 0 for a picture found
    // damaged meanwhile.
    GLuint textureOf(int picture, int otherShown);

    // After a frame: asks for `upcoming` (-1: none yet) if it is not on its
    // way, and fills one band of rows that the loader has ready, for `shownA`,
    // `shownB` or `upcoming`. Pictures found damaged since the last call are
    // added to `damaged`.
    void afterFrame(int upcoming, int shownA, int shownB, std::vector<int>& damaged);

  private:
    struct Slot {
        std::unique_ptr<GLFWTexture> texture;
        int picture = -1;
        int rowsFilled = 0;
    };
    Slot* slotOf(int picture);
    // Null where both slots hold `keepA` and `keepB`.
    Slot* claimSlot(int picture, int keepA, int keepB);
    bool whole(const Slot& slot) const { return slot.rowsFilled >= kBackgroundSize; }
    // One band from the loader: into its picture's texture when the picture
    // is one of the three wanted.
    void fill(PictureLoader::Band& band, int keepA, int keepB, int upcoming);
    void request(int picture);

    PictureLoader loader_;
    std::array<Slot, 2> slots_;
    std::array<std::unique_ptr<GLFWTexture>, kBackgroundCount> small_;
    std::array<bool, kBackgroundCount> requested_{};
    std::vector<int> damaged_;
    PictureLoader::Band band_;  // kept between frames, so a frame allocates nothing
};
