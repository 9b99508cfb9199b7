// gen_art: makes every picture the screensaver carries, from fixed seeds.
//   gen_art <folder>            writes the pictures, the icon file and the
//                               window icon's source into <folder>
//   gen_art --verify <folder>   makes them again and compares with <folder>;
//                               exit status 1 when any byte differs
//   gen_art --only <name> <folder>   writes only the files whose name holds <name>
// Pictures are made on as many threads as the machine has cores.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "art_catalogue.h"
#include "files.h"

namespace {

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    std::uint8_t buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    std::fclose(file);
    return bytes;
}

// Runs every job, biggest first, on a small pool of threads.
void runAll(std::vector<std::function<void()>>& jobs) {
    unsigned threads = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    std::atomic<std::size_t> nextJob{0};
    auto worker = [&] {
        for (std::size_t i = nextJob++; i < jobs.size(); i = nextJob++) {
            jobs[i]();
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) {
        pool.emplace_back(worker);
    }
    worker();
    for (std::thread& t : pool) {
        t.join();
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool verify = argc == 3 && std::strcmp(argv[1], "--verify") == 0;
    bool only = argc == 4 && std::strcmp(argv[1], "--only") == 0;
    if (argc != 2 && !verify && !only) {
        std::fprintf(stderr, "usage: gen_art [--verify | --only <name>] <folder>\n");
        return 2;
    }
    const std::string folder = argv[argc - 1];
    const auto start = std::chrono::steady_clock::now();

    std::vector<ArtProduct> products = artCatalogue();
    if (only) {
        std::vector<ArtProduct> chosen;
        for (const ArtProduct& product : products) {
            for (const std::string& name : product.fileNames) {
                if (name.find(argv[2]) != std::string::npos) {
                    chosen.push_back(product);
                    break;
                }
            }
        }
        products = chosen;
    }
    std::vector<ArtFiles> bytes(products.size());
    std::vector<std::function<void()>> jobs;
    for (std::size_t i = 0; i < products.size(); ++i) {
        jobs.push_back([&, i] { bytes[i] = products[i].make(); });
    }
    runAll(jobs);

    int failures = 0;
    std::size_t files = 0;
    for (std::size_t i = 0; i < products.size(); ++i) {
        for (std::size_t f = 0; f < products[i].fileNames.size(); ++f, ++files) {
            const std::string path = folder + "/" + products[i].fileNames[f];
            const std::vector<std::uint8_t>& made = bytes[i][f];
            if (verify) {
                if (readFile(path) != made) {
                    std::fprintf(stderr, "gen_art: %s differs from a fresh run\n", path.c_str());
                    ++failures;
                }
            } else if (!writeFileAtomically(path, made.data(), made.size())) {
                std::fprintf(stderr, "gen_art: cannot write %s\n", path.c_str());
                ++failures;
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("gen_art: %zu files %s in %.2f s\n", files, verify ? "verified" : "written",
                seconds);
    return failures == 0 ? 0 : 1;
}
