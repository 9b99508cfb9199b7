// The floor pictures as textures, three at a time: the two on units 1 and 2,
// and a third that is filled a band of rows after each frame with the picture
// the next change will bring in. Only the first two are made before the first
// frame, so start-up pays for two pictures rather than all of them, and a
// change never waits for a whole picture. Every picture is checked at set-up,
// so a damaged one is told at start, not when its turn comes.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "gfx/gl.h"
#include "platform/resources.h"

class Failure;
class GLFWTexture;

class PictureTextures {
  public:
    // Rows filled after a frame: a 2048-row picture takes 16 frames.
    static constexpr int kRowsPerFrame = 128;

    PictureTextures();
    ~PictureTextures();

    // Checks every picture's bitmap; false, with the first damaged one in
    // `failure`, when one is unfit.
    bool checkAll(Failure& failure);

    // The texture of `picture`, filled first if it is not yet whole; a slot
    // is taken for it if it has none, never the one of `otherShown`.
    GLuint textureOf(int picture, int otherShown);

    // After a frame: one band of rows of `upcoming` into a texture that
    // neither `shownA` nor `shownB` is using.
    void prepareAhead(int upcoming, int shownA, int shownB);

  private:
    struct Slot {
        std::unique_ptr<GLFWTexture> texture;
        int picture = -1;
        int rowsFilled = 0;
    };
    Slot* slotOf(int picture);
    Slot& claimSlot(int picture, int keepA, int keepB);
    void fill(Slot& slot, int rows);

    std::vector<ResourceData> bitmaps_;
    std::array<Slot, 3> slots_;
    std::vector<unsigned char> staging_;  // one strip of rows on its way to a texture
};
