// Text helpers of the OBJ/MTL reader.
#include "mesh/objl_text.h"

#include <cerrno>
#include <cstdlib>

namespace objl {

namespace {

const char* const kBlanks = " \t";

}  // namespace

std::string firstWord(const std::string& line) {
    const std::size_t start = line.find_first_not_of(kBlanks);
    if (start == std::string::npos) {
        return std::string();
    }
    const std::size_t end = line.find_first_of(kBlanks, start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string afterFirstWord(const std::string& line) {
    const std::size_t wordStart = line.find_first_not_of(kBlanks);
    const std::size_t wordEnd =
        wordStart == std::string::npos ? std::string::npos : line.find_first_of(kBlanks, wordStart);
    const std::size_t start =
        wordEnd == std::string::npos ? std::string::npos : line.find_first_not_of(kBlanks, wordEnd);
    const std::size_t end = line.find_last_not_of(kBlanks);
    if (start == std::string::npos) {
        return std::string();
    }
    if (end != std::string::npos && end >= start) {
        return line.substr(start, end - start + 1);
    }
    return line.substr(start);
}

void splitByToken(std::vector<std::string>& out, const std::string& text,
                  const std::string& token) {
    out.clear();
    if (token.empty()) {
        // An empty token would match everywhere; the text stays whole.
        if (!text.empty()) {
            out.push_back(text);
        }
        return;
    }
    std::string accumulator;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, token.size(), token) == 0) {
            if (!accumulator.empty()) {
                out.push_back(accumulator);
                accumulator.clear();
                i += token.size() - 1;
            } else {
                out.push_back(std::string());
            }
        } else if (i + token.size() >= text.size()) {
            accumulator += text.substr(i, token.size());
            out.push_back(accumulator);
            break;
        } else {
            accumulator += text[i];
        }
    }
}

bool nextLine(const std::string& text, std::size_t& position, std::string& line) {
    if (position >= text.size()) {
        return false;
    }
    std::size_t end = text.find('\n', position);
    if (end == std::string::npos) {
        end = text.size();
    }
    line.assign(text, position, end - position);
    position = end + 1;
    return true;
}

std::string trimLineEnd(const std::string& text) {
    const std::size_t last = text.find_last_not_of("\r\n");
    if (last == std::string::npos) {
        return text;
    }
    return text.substr(0, last + 1);
}

bool parseFloat(const std::string& text, float& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    value = std::strtof(begin, &end);
    return end != begin;
}

bool parseInteger(const std::string& text, long long& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(begin, &end, 10);
    return end != begin && errno != ERANGE;
}

bool positionByObjIndex(std::size_t count, const std::string& indexText, std::size_t& position) {
    long long n = 0;
    if (!parseInteger(indexText, n) || n == 0) {
        return false;
    }
    const long long size = static_cast<long long>(count);
    if (n < 0) {
        if (n < -size) {
            return false;
        }
        position = static_cast<std::size_t>(size + n);
        return true;
    }
    if (n > size) {
        return false;
    }
    position = static_cast<std::size_t>(n - 1);
    return true;
}

}  // namespace objl
