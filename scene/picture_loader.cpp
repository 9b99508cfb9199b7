// The picture decoding thread (see picture_loader.h).
#include "scene/picture_loader.h"

#include <algorithm>
#include <utility>

#include "gfx/picture_decoding.h"

namespace {
constexpr std::size_t kBandsAhead = 2;
}  // namespace

PictureLoader::PictureLoader() : worker_([this] { run(); }) {}

PictureLoader::~PictureLoader() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    worker_.join();
}

void PictureLoader::request(int picture) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (decoding_ == picture ||
            std::find(queue_.begin(), queue_.end(), picture) != queue_.end()) {
            return;
        }
        queue_.push_back(picture);
    }
    changed_.notify_all();
}

bool PictureLoader::takeBand(Band& band) {
    std::unique_lock<std::mutex> lock(mutex_);
    return popBand(band, lock);
}

bool PictureLoader::waitBand(Band& band) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !ready_.empty() || (decoding_ < 0 && queue_.empty()); });
    return popBand(band, lock);
}

bool PictureLoader::popBand(Band& band, std::unique_lock<std::mutex>& lock) {
    if (ready_.empty()) {
        return false;
    }
    band = std::move(ready_.front());
    ready_.pop_front();
    lock.unlock();
    // The thread may be waiting for room.
    changed_.notify_all();
    return true;
}

void PictureLoader::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            return;
        }
        decoding_ = queue_.front();
        queue_.pop_front();
        decode(decoding_, lock);
        decoding_ = -1;
        changed_.notify_all();
    }
}

// Called and left with the lock held; decodes without it.
void PictureLoader::decode(int picture, std::unique_lock<std::mutex>& lock) {
    lock.unlock();
    PictureBands bands(picture, false);
    const bool readable = bands.start() == PictureDecoding::Decoded;
    lock.lock();
    if (!readable) {
        Band damaged;
        damaged.picture = picture;
        damaged.damaged = true;
        handOver(std::move(damaged), lock);
        return;
    }
    const int size = bands.size();
    for (int top = 0; top < size;) {
        Band band;
        band.picture = picture;
        band.top = top;
        band.size = size;
        lock.unlock();
        band.data.resize(static_cast<std::size_t>(kBandRows) * size * 3);
        const int rows = bands.next(band.data.data(), kBandRows);
        lock.lock();
        if (rows <= 0) {
            band.damaged = true;
            band.data = {};
            handOver(std::move(band), lock);
            return;
        }
        band.rows = rows;
        band.data.resize(static_cast<std::size_t>(rows) * size * 3);
        if (!handOver(std::move(band), lock)) {
            return;
        }
        top += rows;
    }
}

bool PictureLoader::handOver(Band&& band, std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return stopping_ || ready_.size() < kBandsAhead; });
    if (stopping_) {
        return false;
    }
    ready_.push_back(std::move(band));
    changed_.notify_all();
    return true;
}
