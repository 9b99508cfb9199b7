// Resources on Linux: a search of the table that the build links in.
#include "platform/resources.h"

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
