// Settings and command lines as a user's machine may hold them: each run ends in a clear outcome
// and leaves the installation intact.
#include "FaultWorld.h"

namespace {

const std::string kNotInstalled = "! Programul Zentor - Calvex nu este instalat!";
const std::string kExtractionFailed = "! Eroare la extragere fisiere!";
const std::string kSuccess = FaultWorld::kSuccess;
constexpr const char* kInstall = Installation::kProgramFiles;
const std::string kUnc = "\\\\server\\programe\\Zentor Calvex";
const std::string kOddLetters = "D:\\R&D 100% \xC3\xCE\xAA\xE9l\xE8ve\\Zentor Calvex";
// "C:\Programe\ソフト\ソ" in code page 932: the katakana's second byte is 0x5C, the code of "\".
const std::string kJapanese = "C:\\Programe\\\x83\x5C\x83t\x83g\\\x83\x5C";
// What a folder "C:\Programe\Ștefan" reads as where the ANSI code page has no "Ș".
const std::string kLookAlike = "C:\\Programe\\Stefan";
const std::string kUnspellable = "! Dosarul " + kLookAlike + " are in nume litere nesuportate!";

// What the system's profile reader hands over; it already strips a pair of enclosing quotes,
// so only quotes that survive it are given here.
TEST(BadSettings, EndClearlyAndLoseNothing) {
    const Installation bare = Installation::WithoutSettings();
    std::string junk;
    for (int c = 1; c < 256; c += 7) {
        junk += static_cast<char>(c);
    }
    RunTable({
        {"no settings file",
         {},
         [](FaultWorld& w) { w.os.RemoveFile(FaultWorld::kSettings); },
         kNotInstalled},
        {"no section 94", bare,
         [](FaultWorld& w) {
             w.Set("CALE", kInstall, "95");
             w.Set("VER", "1.0020", "95");
         },
         kNotInstalled},
        {"no keys", bare, [](FaultWorld&) {}, kNotInstalled},
        {"CALE missing", bare, [](FaultWorld& w) { w.Set("VER", "1.0020"); }, kNotInstalled},
        {"CALE empty", {}, [](FaultWorld& w) { w.Set("CALE", ""); }, kNotInstalled},
        {"CALE only blanks and a backslash",
         {},
         [](FaultWorld& w) { w.Set("CALE", " \t\\ "); },
         kNotInstalled},
        {"VER missing", bare, [&](FaultWorld& w) { w.Set("CALE", kInstall); }, kNotInstalled},
        {"VER empty", {}, [](FaultWorld& w) { w.Set("VER", ""); }, kNotInstalled},
        {"CALE with a stray quote",
         {},
         [](FaultWorld& w) { w.Set("CALE", std::string{"\""} + kInstall); },
         kExtractionFailed},
        {"CALE with inner quotes",
         {},
         [](FaultWorld& w) { w.Set("CALE", "C:\\\"Program Files\"\\Zentor Calvex"); },
         kExtractionFailed},
        {"VER with a stray quote",
         {},
         [](FaultWorld& w) { w.Set("VER", "1.0020\""); },
         kNotInstalled},
        {"trailing spaces and tabs",
         {},
         [](FaultWorld& w) {
             w.Set("CALE", std::string{kInstall} + " \t\t ");
             w.Set("VER", "1.0020 \t");
         },
         kSuccess},
        {"leading tabs and a trailing backslash",
         {},
         [](FaultWorld& w) { w.Set("CALE", std::string{"\t "} + kInstall + "\\\t"); },
         kSuccess},
        {"CALE of 3000 characters",
         {},
         [](FaultWorld& w) { w.Set("CALE", std::string{kInstall} + std::string(2970, 'x')); },
         kExtractionFailed},
        {"CALE of 3000 characters, blanks past the buffer",
         {},
         [](FaultWorld& w) {
             const std::string padded = std::string{kInstall} + std::string(2100, ' ');
             w.Set("CALE", padded + std::string(3000 - padded.size(), 'x'));
         },
         kSuccess},
        {"CALE naming the executable",
         {},
         [](FaultWorld& w) { w.Set("CALE", w.Exe()); },
         kExtractionFailed},
        {"CALE naming a missing folder",
         {},
         [](FaultWorld& w) { w.Set("CALE", "D:\\Lipsa\\Zentor Calvex"); },
         kExtractionFailed},
        {"CALE a UNC path", Installation::In(kUnc), [](FaultWorld&) {}, kSuccess},
        {"CALE with &, % and letters beyond ASCII", Installation::In(kOddLetters),
         [](FaultWorld&) {}, kSuccess},
        {"CALE in a double-byte code page", Installation::In(kJapanese),
         [](FaultWorld& w) { w.os.ansiCodePage = 932; }, kSuccess},
        {"CALE the ANSI code page cannot spell, a look-alike folder present",
         Installation::In(kLookAlike),
         [](FaultWorld& w) { w.SetInexact("CALE", kLookAlike + "\\"); }, kUnspellable},
        {"binary junk in CALE", {}, [&](FaultWorld& w) { w.Set("CALE", junk); }, kExtractionFailed},
        {"binary junk in VER", {}, [&](FaultWorld& w) { w.Set("VER", junk); }, kNotInstalled},
        {"VER of 30 digits",
         {},
         [](FaultWorld& w) { w.Set("VER", "123456789012345678901234567890"); },
         kNotInstalled},
        {"VER of 30 characters, zeros first",
         {},
         [](FaultWorld& w) { w.Set("VER", "0000000000000000000000001.0020"); },
         kSuccess},
    });
}

// The program starts the updater beside it while it shuts down; users start it by hand too.
TEST(BadCommandLines, EndClearlyAndLoseNothing) {
    const std::string exe = std::string{kInstall} + "\\ZentorCalvex.exe";
    auto startedWith = [](std::string parameters) {
        return [parameters](FaultWorld& w) {
            w.StartWithParameters(parameters);
            w.os.HoldUntil(w.Exe(), 2'000);
        };
    };
    RunTable({
        {"quoted path with spaces", {}, startedWith("\"" + exe + "\""), kSuccess},
        {"unquoted path with spaces", {}, startedWith(exe), kSuccess},
        {"a folder", {}, startedWith(std::string{"\""} + kInstall + "\""), kSuccess},
        {"a missing file",
         {},
         startedWith(std::string{"\""} + kInstall + "\\Lipsa.exe\""),
         kSuccess},
        {"several parameters", {}, startedWith("\"" + exe + "\" /x \"a b\" c"), kSuccess},
        {"an empty quoted parameter", {}, startedWith("\"\""), kSuccess},
        {"a 2000-character parameter", {}, startedWith("C:\\" + std::string(2000, 'a')), kSuccess},
        {"a 2000-character quoted parameter with spaces",
         {},
         startedWith("\"C:\\" + std::string(1000, ' ') + std::string(1000, 'b') + "\""),
         kSuccess},
        {"path with &, % and letters beyond ASCII", Installation::In(kOddLetters),
         [](FaultWorld& w) { w.StartWithParameter(); }, kSuccess},
        {"path in a double-byte code page", Installation::In(kJapanese),
         [](FaultWorld& w) {
             w.os.ansiCodePage = 932;
             w.StartWithParameter();
         },
         kSuccess},
        {"path the ANSI code page cannot spell, a look-alike folder present",
         Installation::In(kLookAlike),
         [](FaultWorld& w) {
             w.StartWithParameter();
             w.os.commandLineExact = false;
             w.os.moduleFileNameExact = false;
         },
         kUnspellable},
        {"updater outside the installation: its own folder is used", Installation::UpdaterAway(),
         [&](FaultWorld& w) { w.StartWithParameters("\"" + exe + "\""); }, kSuccess},
    });
}

} // namespace
