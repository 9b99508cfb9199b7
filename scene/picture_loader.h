// Decodes floor pictures on a thread of its own, a band of rows at a time,
// in the order they are asked for, so that neither set-up nor a frame waits
// for a whole picture and no whole decoded picture is ever held: the thread
// stays at most two bands ahead of the frame loop, which takes them after
// its frames.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class PictureLoader {
  public:
    // Rows in a band: a 2048-row picture comes in 16.
    static constexpr int kBandRows = 128;

    struct Band {
        int picture = -1;
        bool damaged = false;  // the picture does not decode: drop what came of it
        int top = 0;           // its first row, counted from the picture's top
        int rows = 0;
        int size = 0;                     // the picture's
        std::vector<unsigned char> data;  // rows x size x 3 bytes, the band's bottom row first
    };

    PictureLoader();
    ~PictureLoader();  // stops after the band being decoded
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    // Adds `picture` to the queue unless it is queued or being decoded.
    void request(int picture);
    // The next band ready, if any.
    bool takeBand(Band& band);
    // Blocks until a band is ready and takes it; false, at once, when nothing
    // is queued or being decoded.
    bool waitBand(Band& band);

  private:
    void run();
    void decode(int picture, std::unique_lock<std::mutex>& lock);
    // The first band ready into `band`, the lock let go; false when none is.
    bool popBand(Band& band, std::unique_lock<std::mutex>& lock);
    // Hands a band over, waiting while two are waiting; false when stopping.
    bool handOver(Band&& band, std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<int> queue_;
    int decoding_ = -1;
    std::deque<Band> ready_;
    bool stopping_ = false;
    std::thread worker_;
};
