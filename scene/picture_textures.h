// The floor pictures as textures. Pictures are decoded on a thread of their
// own (PictureLoader); after each frame a band of rows of a decoded picture
// goes into its texture, so no frame waits for a whole picture. Three whole
// textures at a time: the two on units 1 and 2, and the one the next change
// will bring in. Until a shown picture's whole texture is filled, its small
// copy (decoded at set-up, in a moment) stands in. A picture whose data does
// not decode is never drawn; it is handed back so the schedule leaves it out.
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
    // Rows filled after a frame: a 2048-row picture takes 16 frames.
    static constexpr int kRowsPerFrame = 128;

    // `decode` makes a whole picture (the program's resources by default).
    explicit PictureTextures(PictureLoader::Decode decode = decodeWholeFloor);
    ~PictureTextures();

    // Set-up's: `picture`'s small copy becomes its texture for now, and its
    // whole picture is asked for. False, with nothing made, where the small
    // copy does not decode.
    bool showSmallFirst(int picture);

    // The texture to draw `picture` with: its whole texture where that is
    // filled, else its small copy; where it has neither, the whole picture
    // is waited for and filled now. A slot is taken for it if it has none,
    // never the one of `otherShown`. 0 for a picture found damaged meanwhile.
    GLuint textureOf(int picture, int otherShown);

    // After a frame: takes the pictures decoded meanwhile, asks for
    // `upcoming` if it is not on its way, and fills one band of rows, the
    // shown pictures first. Pictures found damaged since the last call are
    // added to `damaged`.
    void afterFrame(int upcoming, int shownA, int shownB, std::vector<int>& damaged);

    // The program's own: the whole floor `picture` from its resource.
    static PictureDecoding decodeWholeFloor(int picture, DecodedPicture& decoded);

  private:
    struct Slot {
        std::unique_ptr<GLFWTexture> texture;
        int picture = -1;
        int rowsFilled = 0;
        DecodedPicture source;  // the rows still to fill; emptied once filled
    };
    Slot* slotOf(int picture);
    Slot& claimSlot(int picture, int keepA, int keepB);
    bool whole(const Slot& slot) const { return slot.rowsFilled >= kBackgroundSize; }
    // A finished decode: into a slot when it is one of the three wanted.
    void accept(PictureLoader::Done&& done, int keepA, int keepB, int upcoming);
    void fill(Slot& slot, int rows);
    void request(int picture);

    PictureLoader loader_;
    std::array<Slot, 3> slots_;
    std::array<std::unique_ptr<GLFWTexture>, kBackgroundCount> small_;
    std::array<bool, kBackgroundCount> requested_{};
    std::vector<int> damaged_;
};
