// The executable's own resources, found by their 16-bit ids. On Windows they
// live in the module's resource section; the Linux build links the same files
// into the program (see cmake/Resources.cmake), so both find the same bytes.
#pragma once
#include <cstddef>
#include <cstdint>

struct ResourceData {
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;

    bool found() const { return bytes != nullptr; }
};

// A resource of type "TEXTFILE": its text bytes, with no terminating NUL.
ResourceData findTextResource(std::uint16_t id);

// A bitmap resource as Windows stores it: a BITMAPINFOHEADER, then the pixel rows.
ResourceData findBitmapResource(std::uint16_t id);
