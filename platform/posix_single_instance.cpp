// Single-instance name on Linux: a socket bound to a name in the abstract
// namespace. The kernel drops the name when the process ends, however it ends.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

#include "platform/single_instance.h"

bool claimSingleInstanceName(const char* name) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return true;  // cannot tell; rather run than refuse
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::size_t length = std::strlen(name);
    if (length > sizeof(address.sun_path) - 2) {
        length = sizeof(address.sun_path) - 2;
    }
    // A leading NUL puts the name in the abstract namespace.
    std::memcpy(address.sun_path + 1, name, length);
    socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0) {
        close(fd);
        return false;
    }
    return true;  // the socket stays open until the process ends
}
