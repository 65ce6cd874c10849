#include "engine/Paths.h"

bool IsControlOrSpace(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string FolderPartOf(std::string_view path, const LeadBytes& leadBytes) {
    const auto last = FindLastCharacterOf(path, "\\:", leadBytes);
    return last == std::string_view::npos ? std::string{} : std::string{path.substr(0, last + 1)};
}

std::string TrimControlAndSpace(std::string_view text, const LeadBytes& leadBytes) {
    std::size_t first = 0;
    while (first < text.size() && IsControlOrSpace(text[first])) {
        ++first; // the first byte always starts a character, and no lead byte is this low
    }
    const std::string_view rest = text.substr(first);
    std::size_t end = 0;
    ForEachCharacter(rest, leadBytes, [&](std::size_t start, std::size_t length) {
        if (length == 2 || !IsControlOrSpace(rest[start])) {
            end = start + length;
        }
    });
    return std::string{rest.substr(0, end)};
}

std::string WithoutTrailingBackslash(std::string_view path, const LeadBytes& leadBytes) {
    if (EndsWithCharacter(path, '\\', leadBytes)) {
        path.remove_suffix(1);
    }
    return std::string{path};
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string joined{folder};
    joined += '\\';
    joined += name;
    return joined;
}
