// Resources on Windows: the executable's own resource section.
#include "platform/resources.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

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

// Where the `count` bytes at `address` of this program's image lie in its
// file, or false when they do not lie in one section the file carries.
bool fileOffsetOf(const unsigned char* address, std::size_t count, std::uint64_t* offset) {
    const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const std::uintptr_t rva = static_cast<std::uintptr_t>(address - base);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const std::uintptr_t start = section->VirtualAddress;
        if (rva >= start && rva - start <= section->SizeOfRawData &&
            count <= section->SizeOfRawData - (rva - start)) {
            *offset = rva - section->VirtualAddress + section->PointerToRawData;
            return true;
        }
    }
    return false;
}

// The program's own file, opened once for reading; INVALID_HANDLE_VALUE when
// it cannot be.
HANDLE programFile() {
    static HANDLE file = [] {
        wchar_t path[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return INVALID_HANDLE_VALUE;
        }
        return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    }();
    return file;
}

bool readProgramFile(std::uint64_t offset, std::size_t count, unsigned char* destination) {
    HANDLE file = programFile();
    if (file == INVALID_HANDLE_VALUE || count > 0xFFFFFFFFu) {
        return false;
    }
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    return ReadFile(file, destination, static_cast<DWORD>(count), &read, &at) != 0 && read == count;
}

}  // namespace

ResourceData findTextResource(std::uint16_t id) {
    return findModuleResource(id, "TEXTFILE");
}

ResourceData findBitmapResource(std::uint16_t id) {
    return findModuleResource(id, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
}

ResourceData findPictureResource(std::uint16_t id) {
    return findModuleResource(id, "PICTURE");
}

ResourceData findSmallPictureResource(std::uint16_t id) {
    return findModuleResource(id, "SMALLPICTURE");
}

void copyResourceBytes(const ResourceData& data, std::size_t offset, std::size_t count,
                       unsigned char* destination) {
    std::uint64_t fileOffset = 0;
    if (fileOffsetOf(data.bytes + offset, count, &fileOffset) &&
        readProgramFile(fileOffset, count, destination)) {
        return;
    }
    // The same bytes through the image, which then keeps them in memory.
    std::memcpy(destination, data.bytes + offset, count);
}
