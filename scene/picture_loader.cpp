// The picture decoding thread (see picture_loader.h).
#include "scene/picture_loader.h"

#include <algorithm>
#include <utility>

PictureLoader::PictureLoader(Decode decode) : decode_(decode), worker_([this] { run(); }) {}

PictureLoader::~PictureLoader() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    worker_.join();
}

bool PictureLoader::knownLocked(int picture) const {
    return decoding_ == picture ||
           std::find(queue_.begin(), queue_.end(), picture) != queue_.end() ||
           std::any_of(finished_.begin(), finished_.end(),
                       [picture](const Done& done) { return done.picture == picture; });
}

void PictureLoader::request(int picture) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (knownLocked(picture)) {
            return;
        }
        queue_.push_back(picture);
    }
    changed_.notify_all();
}

bool PictureLoader::takeFinished(std::vector<Done>& done) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (finished_.empty()) {
        return false;
    }
    for (Done& each : finished_) {
        done.push_back(std::move(each));
    }
    finished_.clear();
    return true;
}

PictureLoader::Done PictureLoader::waitFor(int picture, std::vector<Done>& others) {
    std::unique_lock<std::mutex> lock(mutex_);
    auto isIt = [picture](const Done& done) { return done.picture == picture; };
    changed_.wait(lock, [&] {
        return std::any_of(finished_.begin(), finished_.end(), isIt) || !knownLocked(picture);
    });
    Done wanted;
    for (Done& each : finished_) {
        if (isIt(each)) {
            wanted = std::move(each);
        } else {
            others.push_back(std::move(each));
        }
    }
    finished_.clear();
    wanted.picture = picture;  // a picture never asked for reads as damaged
    return wanted;
}

void PictureLoader::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            return;
        }
        Done done;
        done.picture = queue_.front();
        queue_.pop_front();
        decoding_ = done.picture;
        lock.unlock();
        done.result = decode_(done.picture, done.decoded);
        lock.lock();
        decoding_ = -1;
        finished_.push_back(std::move(done));
        changed_.notify_all();
    }
}
