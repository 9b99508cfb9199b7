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

// A floor picture as JPEG data ("PICTURE"), and its small copy ("SMALLPICTURE").
ResourceData findPictureResource(std::uint16_t id);
ResourceData findSmallPictureResource(std::uint16_t id);

// Copies `count` bytes of a resource, from `offset` on, to `destination`
// without keeping the resource's pages in memory: for large resources read
// once, a strip at a time. On Windows the bytes are read from the program's
// file, so the image's own pages are never touched; on Linux the whole pages
// copied from are dropped again (they stay in the file). Out-of-range
// arguments are the caller's to avoid.
void copyResourceBytes(const ResourceData& data, std::size_t offset, std::size_t count,
                       unsigned char* destination);
