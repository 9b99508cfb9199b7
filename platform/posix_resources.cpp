// Resources on Linux: a search of the table that the build links in.
#include "platform/resources.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/embedded_resources.h"

namespace {

ResourceData findEmbedded(const char* type, std::uint16_t id) {
    for (const EmbeddedResource* r = gpEmbeddedResources; r->type != nullptr; ++r) {
        if (r->id == id && std::strcmp(r->type, type) == 0) {
            return ResourceData{r->begin, static_cast<std::size_t>(r->end - r->begin)};
        }
    }
    return ResourceData{};
}

}  // namespace

ResourceData findTextResource(std::uint16_t id) {
    return findEmbedded("TEXTFILE", id);
}

ResourceData findBitmapResource(std::uint16_t id) {
    return findEmbedded("BITMAP", id);
}

ResourceData findPictureResource(std::uint16_t id) {
    return findEmbedded("PICTURE", id);
}

ResourceData findSmallPictureResource(std::uint16_t id) {
    return findEmbedded("SMALLPICTURE", id);
}

void copyResourceBytes(const ResourceData& data, std::size_t offset, std::size_t count,
                       unsigned char* destination) {
    const unsigned char* from = data.bytes + offset;
    std::memcpy(destination, from, count);
    // The resources are read-only pages of the program's file: dropped, they
    // are read from the file again if touched.
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(from) + page - 1) & ~(page - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(from) + count) & ~(page - 1);
    if (begin < end) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
    }
}
