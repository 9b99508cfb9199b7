// Reads what the Windows shell reads from a screensaver file, the way the
// shell does: the file loaded as data, never run.
//   shell_resources_probe <file.scr>
// Prints "key<TAB>value" lines (UTF-8): string 1 (the name in the Screen Saver
// Settings list), the fixed and the string version fields, whether a manifest
// is there, and the first line of the About window's notice as this build
// composes it. Exit code 0 when the file loads, 1 when not.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "about/about_texts.h"

namespace {

std::string utf8(const wchar_t* text, int length = -1) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, &result[0], size, nullptr, nullptr);
    if (length == -1 && !result.empty())
        result.pop_back();  // the terminating NUL
    return result;
}

void print(const char* key, const std::string& value) {
    std::printf("%s\t%s\n", key, value.c_str());
}

void printStringOne(HMODULE module) {
    // With a zero buffer size LoadStringW hands out a read-only pointer to the
    // resource's own text, which is not NUL-terminated: the length counts.
    const wchar_t* text = nullptr;
    int length = LoadStringW(module, 1, reinterpret_cast<wchar_t*>(&text), 0);
    print("string 1", length > 0 ? utf8(text, length) : std::string("(none)"));
}

void printVersion(const wchar_t* path) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) {
        print("version", "(none)");
        return;
    }
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data())) {
        print("version", "(unreadable)");
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) &&
        fixed != nullptr) {
        char text[64];
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                      LOWORD(fixed->dwFileVersionLS));
        print("fixed FileVersion", text);
    }
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion",
                                L"LegalCopyright", L"ProductName", L"ProductVersion"}) {
        std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        wchar_t* value = nullptr;
        UINT length = 0;
        bool found =
            VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) &&
            value != nullptr;
        print(utf8(name).c_str(), found ? utf8(value) : std::string("(none)"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shell_resources_probe <file.scr>\n");
        return 2;
    }
    std::wstring path(MultiByteToWideChar(CP_ACP, 0, argv[1], -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, &path[0], static_cast<int>(path.size()));
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        std::printf("cannot load %s as data (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    printStringOne(module);
    HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    print("manifest 1", manifest != nullptr ? "present" : "(none)");
    FreeLibrary(module);
    printVersion(path.c_str());
    std::string notice = about::noticeText();
    print("About notice line 1", notice.substr(0, notice.find("\r\n")));
    return 0;
}
