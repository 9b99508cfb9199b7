// Everything the generator makes: each product's file names and the function
// that makes their bytes, one file each in the same order. Each product
// depends only on its own fixed seed, so products can be made in any order or
// in parallel.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using ArtFiles = std::vector<std::vector<std::uint8_t>>;

struct ArtProduct {
    std::vector<std::string> fileNames;
    std::function<ArtFiles()> make;
};

std::vector<ArtProduct> artCatalogue();
