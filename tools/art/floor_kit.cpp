// Placement helpers of the floor painters (see floor_kit.h).
#include "floor_kit.h"

Scatter::Scatter(int size, float largestRadius) : size_(size) {
    cells_ = std::max(1, static_cast<int>(size / std::max(1.0f, 2.0f * largestRadius)));
    cellSize_ = static_cast<float>(size) / cells_;
    reach_ = 1;
    grid_.resize(static_cast<std::size_t>(cells_) * cells_);
}

bool Scatter::tryPlace(float x, float y, float radius, float spacing) {
    x = std::fmod(x + size_, static_cast<float>(size_));
    y = std::fmod(y + size_, static_cast<float>(size_));
    int cx = static_cast<int>(x / cellSize_) % cells_;
    int cy = static_cast<int>(y / cellSize_) % cells_;
    const float half = 0.5f * size_;
    for (int j = -reach_; j <= reach_; ++j) {
        for (int i = -reach_; i <= reach_; ++i) {
            int gx = ((cx + i) % cells_ + cells_) % cells_;
            int gy = ((cy + j) % cells_ + cells_) % cells_;
            for (const Point& p : grid_[static_cast<std::size_t>(gy) * cells_ + gx]) {
                float dx = std::fabs(p.x - x), dy = std::fabs(p.y - y);
                if (dx > half)
                    dx = size_ - dx;
                if (dy > half)
                    dy = size_ - dy;
                float limit = (p.r + radius) * spacing;
                if (dx * dx + dy * dy < limit * limit) {
                    return false;
                }
            }
        }
    }
    grid_[static_cast<std::size_t>(cy) * cells_ + cx].push_back(Point{x, y, radius});
    return true;
}

void randomLumps(Rng& rng, StoneShape& s, float strength) {
    s.lump2 = rng.rangef(0.0f, 0.10f) * strength;
    s.lump3 = rng.rangef(0.0f, 0.07f) * strength;
    s.phase2 = rng.rangef(0.0f, 6.2831853f);
    s.phase3 = rng.rangef(0.0f, 6.2831853f);
}
