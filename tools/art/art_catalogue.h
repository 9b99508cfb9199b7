// Everything the generator makes: each product's file name and the function
// that makes its bytes. Each product depends only on its own fixed seed, so
// products can be made in any order or in parallel.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ArtProduct {
    std::string fileName;
    std::function<std::vector<std::uint8_t>()> make;
};

std::vector<ArtProduct> artCatalogue();
