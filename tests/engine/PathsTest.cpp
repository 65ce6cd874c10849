// The path rules walk characters: in code page 932 the second byte of "ソ" (0x83 0x5C) is the
// code of "\" and must not count as one.
#include <gtest/gtest.h>

#include "engine/Paths.h"
#include "os/fake/FakeOsServices.h"

namespace {

const std::string kSo = "\x83\x5C";     // ソ
const std::string kHyo = "\x95\x5C";    // 表
const std::string kFuto = "\x83t\x83g"; // フト

struct PathCase {
    unsigned codePage;
    std::string path;
    std::string folderPart;
    std::string withoutTrailingBackslash;
};

TEST(Paths, FolderPartAndTrailingBackslashWalkCharacters) {
    const PathCase cases[] = {
        {932, "C:\\Apps\\" + kSo, "C:\\Apps\\", "C:\\Apps\\" + kSo},
        {932, "C:\\Apps\\" + kSo + "\\", "C:\\Apps\\" + kSo + "\\", "C:\\Apps\\" + kSo},
        {932, "C:\\" + kSo + kFuto + "\\" + kSo + "\\a.exe",
         "C:\\" + kSo + kFuto + "\\" + kSo + "\\", "C:\\" + kSo + kFuto + "\\" + kSo + "\\a.exe"},
        {932, kHyo, "", kHyo},
        {932, "D:" + kSo, "D:", "D:" + kSo},
        {932, "C:\\a\\\x83", "C:\\a\\", "C:\\a\\\x83"}, // a lead byte alone at the end
        // The same bytes where 0x83 is a letter of its own: 0x5C is then a "\".
        {1252, "C:\\Apps\\" + kSo, "C:\\Apps\\" + kSo, "C:\\Apps\\\x83"},
        {65001, "C:\\Apps\\\xE3\x82\xBD", "C:\\Apps\\", "C:\\Apps\\\xE3\x82\xBD"}, // ソ in UTF-8
    };
    for (const auto& c : cases) {
        const LeadBytes leadBytes = FakeOsServices::LeadBytesOf(c.codePage);
        EXPECT_EQ(FolderPartOf(c.path, leadBytes), c.folderPart) << c.codePage << " " << c.path;
        EXPECT_EQ(WithoutTrailingBackslash(c.path, leadBytes), c.withoutTrailingBackslash)
            << c.codePage << " " << c.path;
    }
}

TEST(Paths, TrimKeepsWholeCharacters) {
    const LeadBytes japanese = FakeOsServices::LeadBytesOf(932);
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {" \tC:\\" + kSo + " \r\n", "C:\\" + kSo},
        {kHyo + "  ", kHyo},
        {"  ", ""},
        {"C:\\\x83 ", "C:\\\x83 "}, // after a lead byte a space is its second byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrimControlAndSpace(c.text, japanese), c.expected) << c.text;
    }
}

} // namespace
