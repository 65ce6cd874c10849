#include "engine/Paths.h"

bool IsControlOrSpace(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string FolderPartOf(std::string_view path) {
    const auto last = path.find_last_of("\\:");
    return last == std::string_view::npos ? std::string{} : std::string{path.substr(0, last + 1)};
}

std::string TrimControlAndSpace(std::string_view text) {
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && IsControlOrSpace(text[first])) {
        ++first;
    }
    while (end > first && IsControlOrSpace(text[end - 1])) {
        --end;
    }
    return std::string{text.substr(first, end - first)};
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string joined{folder};
    joined += '\\';
    joined += name;
    return joined;
}
