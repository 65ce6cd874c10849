#include "tests/win32/TestFiles.h"

#include "os/win32/CodePageConversion.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "os/win32/UniqueHandle.h"

namespace test_files {

namespace {

// Closes a FindFirstFile search exactly once.
class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (Valid()) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.Valid()) << path << ": error " << GetLastError();
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size())
        << path;
}

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        << path << ": error " << GetLastError();
}

void CopyExisting(const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE))
        << from << " -> " << to << ": error " << GetLastError();
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search.Valid()) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileA(path.c_str());
        return;
    }
    for (const auto& name : FolderEntries(path)) {
        RemoveTree(path + "\\" + name);
    }
    RemoveDirectoryA(path.c_str());
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string WindowsDirectory() {
    char buffer[MAX_PATH * 4] = {};
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    return std::string(buffer, length);
}

std::string FromBuildPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    if (!path.empty() && path.front() == '\\') {
        path = "Z:" + path; // Wine maps the host's root to drive Z:
    }
    return path;
}

std::optional<std::string> ToAnsi(const std::wstring& text) {
    return FromWideExactly(GetACP(), text);
}

bool ReadOnlyStopsWriting() {
    const std::string probe = TemporaryFolder("read-only probe");
    WriteWholeFile(probe, "probe");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool stopped = !UniqueHandle(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
                              .Valid();
    RemoveTree(probe);
    return stopped;
}

ScratchFolder::ScratchFolder(std::string path) : path_(std::move(path)) {
    RemoveTree(path_);
    MakeFolder(path_);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

std::string TemporaryFolder(const std::string& name) {
    char buffer[MAX_PATH * 4] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    std::string folder(buffer, length);
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder + "\\" + name;
}

RestoredFile::RestoredFile(std::string path)
    : path_(std::move(path)), saved_(ReadWholeFile(path_)) {}

RestoredFile::~RestoredFile() {
    if (saved_) {
        WriteWholeFile(path_, *saved_);
    } else {
        DeleteFileA(path_.c_str());
    }
}

} // namespace test_files
