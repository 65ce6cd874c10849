#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

// The bytes that begin a two-byte character in the ANSI code page. Double-byte code pages
// (932, 936, 949, 950) have them, and a second byte may then be 0x5C, the code of "\"; single-byte
// code pages and UTF-8 have none, and there 0x5C is always a "\".
class LeadBytes {
  public:
    void AddRange(unsigned char first, unsigned char last) {
        for (unsigned byte = first; byte <= last; ++byte) {
            set_.set(byte);
        }
    }
    bool Contains(char c) const { return set_.test(static_cast<unsigned char>(c)); }
    bool Empty() const { return set_.none(); }

  private:
    std::bitset<256> set_;
};

// Calls visit(start, length) for each character of the text, first to last. A lead byte at the
// very end stands alone.
template <class Visit>
void ForEachCharacter(std::string_view text, const LeadBytes& leadBytes, Visit visit) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t length =
            leadBytes.Contains(text[start]) && start + 1 < text.size() ? 2 : 1;
        visit(start, length);
        start += length;
    }
}

// Where the last character that is one of the given single bytes starts; npos when none is.
inline std::size_t FindLastCharacterOf(std::string_view text, std::string_view bytes,
                                       const LeadBytes& leadBytes) {
    std::size_t found = std::string_view::npos;
    ForEachCharacter(text, leadBytes, [&](std::size_t start, std::size_t length) {
        if (length == 1 && bytes.find(text[start]) != std::string_view::npos) {
            found = start;
        }
    });
    return found;
}

// Whether the text's last character is this single byte, not the second byte of a character.
inline bool EndsWithCharacter(std::string_view text, char c, const LeadBytes& leadBytes) {
    return !text.empty() && text.back() == c &&
           FindLastCharacterOf(text, std::string_view{&c, 1}, leadBytes) == text.size() - 1;
}
