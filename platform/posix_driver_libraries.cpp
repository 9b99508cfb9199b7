// Keeping the libraries loaded on Linux (see driver_libraries.h): every shared
// object loaded so far is marked so that the loader keeps it however often
// GLFW, libGL or the driver close it.
#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

#include "platform/driver_libraries.h"

namespace {

int noteLibrary(dl_phdr_info* info, size_t, void* names) {
    if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
        static_cast<std::vector<std::string>*>(names)->push_back(info->dlpi_name);
    }
    return 0;
}

}  // namespace

void keepDriverLibrariesLoaded() {
    std::vector<std::string> names;
    dl_iterate_phdr(noteLibrary, &names);
    for (const std::string& name : names) {
        dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
    }
}
