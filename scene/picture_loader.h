// Decodes floor pictures on a thread of its own, one at a time in the order
// they are asked for, so that neither set-up nor a frame waits for a whole
// picture. The frame loop collects what is done after its frames.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "gfx/picture_decoding.h"

class PictureLoader {
  public:
    struct Done {
        int picture = -1;
        PictureDecoding result = PictureDecoding::Damaged;
        DecodedPicture decoded;
    };

    // Where decoding is done: the program's own resources by default.
    using Decode = PictureDecoding (*)(int picture, DecodedPicture& decoded);

    explicit PictureLoader(Decode decode);
    ~PictureLoader();  // waits for the picture being decoded, drops the rest
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    // Adds `picture` to the queue unless it is queued, being decoded or done.
    void request(int picture);
    // Moves every finished picture into `done`; false when there was none.
    bool takeFinished(std::vector<Done>& done);
    // Blocks until `picture`, which must have been requested, is finished,
    // and takes it (with any others finished meanwhile, into `others`).
    Done waitFor(int picture, std::vector<Done>& others);

  private:
    bool knownLocked(int picture) const;
    void run();

    Decode decode_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<int> queue_;
    int decoding_ = -1;
    std::vector<Done> finished_;
    bool stopping_ = false;
    std::thread worker_;
};
