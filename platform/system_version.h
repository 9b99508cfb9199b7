// The operating system's version word, laid out as Windows' GetVersion gives it.
#pragma once
#include <cstdint>

std::uint32_t systemVersionWord();
