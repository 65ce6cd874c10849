#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Files and folders for tests of the real system, all through the ANSI API the updater uses.
namespace test_files {

std::optional<std::string> ReadWholeFile(const std::string& path);
// Creates or truncates; fails the test when the file cannot be written.
void WriteWholeFile(const std::string& path, const std::string& bytes);
void MakeFolder(const std::string& path);
void CopyExisting(const std::string& from, const std::string& to);
// Deletes a file or a whole folder, read-only entries included; missing is fine.
void RemoveTree(const std::string& path);
// Names in a folder, without "." and "..", sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
bool Exists(const std::string& path);
std::string WindowsDirectory();
// A path in the host's file system as Windows under Wine sees it; unchanged on Windows.
std::string FromBuildPath(std::string path);
// Text in the ANSI code page, or nothing when that code page cannot spell it.
std::optional<std::string> ToAnsi(const std::wstring& text);

// Whether the read-only attribute stops a program opening the file for writing. Wine run by
// the superuser maps it to Unix permissions, which do not stop the superuser.
bool ReadOnlyStopsWriting();
inline constexpr const char* kReadOnlyNotEnforced =
    "this system lets a read-only file be opened for writing (Wine run as root)";

// A fresh, empty folder that is removed with everything in it when the test ends.
class ScratchFolder {
  public:
    explicit ScratchFolder(std::string path);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// A folder under the prefix's temporary folder, named for the test.
std::string TemporaryFolder(const std::string& name);

// Puts a file back as it was (or removes it) when the test ends.
class RestoredFile {
  public:
    explicit RestoredFile(std::string path);
    ~RestoredFile();
    RestoredFile(const RestoredFile&) = delete;
    RestoredFile& operator=(const RestoredFile&) = delete;

  private:
    std::string path_;
    std::optional<std::string> saved_;
};

} // namespace test_files
