// Resources on Windows: the executable's own resource section.
#include "platform/resources.h"

#include <windows.h>

namespace {

ResourceData findModuleResource(std::uint16_t id, LPCSTR type) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (found == nullptr) {
        return ResourceData{};
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return ResourceData{};
    }
    return ResourceData{static_cast<const unsigned char*>(bytes),
                        static_cast<std::size_t>(SizeofResource(nullptr, found))};
}

}  // namespace

ResourceData findTextResource(std::uint16_t id) {
    return findModuleResource(id, "TEXTFILE");
}

ResourceData findBitmapResource(std::uint16_t id) {
    return findModuleResource(id, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
}
