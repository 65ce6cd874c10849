#include "os/fake/FakeOsServices.h"

#include <algorithm>
#include <cctype>

namespace {

// Windows paths, INI names and resource names compare without regard to case.
std::string Key(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string ProfileKey(const std::string& file, const std::string& section,
                       const std::string& key) {
    return Key(file) + '\n' + Key(section) + '\n' + Key(key);
}

constexpr std::size_t kProfileBufferChars = 2048;

} // namespace

std::string FakeOsServices::ParentOf(const std::string& path) const {
    const auto last = FindLastCharacterOf(path, "\\", LeadBytesOf(ansiCodePage));
    return last == std::string::npos ? std::string{} : path.substr(0, last);
}

LeadBytes FakeOsServices::LeadBytesOf(unsigned codePage) {
    LeadBytes leadBytes;
    if (codePage == 932) {
        leadBytes.AddRange(0x81, 0x9F);
        leadBytes.AddRange(0xE0, 0xFC);
    }
    return leadBytes;
}

void FakeOsServices::AddFolder(const std::string& path) {
    // Folders come with their parents, down to the drive.
    for (std::string folder = path; !folder.empty(); folder = ParentOf(folder)) {
        folders_.insert(Key(folder));
    }
}

void FakeOsServices::AddFile(const std::string& path, std::string bytes) {
    AddFolder(ParentOf(path));
    files_[Key(path)] = File{std::move(bytes)};
    originalNames_[Key(path)] = path;
}

void FakeOsServices::SetReadOnly(const std::string& path, bool readOnly) {
    files_.at(Key(path)).readOnly = readOnly;
}

void FakeOsServices::HoldUntil(const std::string& path, std::uint64_t ms) {
    files_.at(Key(path)).heldUntilMs = ms;
}

void FakeOsServices::HoldForever(const std::string& path) {
    files_.at(Key(path)).heldForever = true;
}

void FakeOsServices::Release(const std::string& path) {
    auto& file = files_.at(Key(path));
    file.heldForever = false;
    file.heldUntilMs = 0;
}

void FakeOsServices::SetUnwritableFolder(const std::string& path) {
    unwritableFolders_.insert(Key(path));
}

void FakeOsServices::SetProfileString(const std::string& file, const std::string& section,
                                      const std::string& key, const std::string& value,
                                      bool exact) {
    profile_[ProfileKey(file, section, key)] = {value, exact};
}

void FakeOsServices::AddResource(const std::string& type, const std::string& name,
                                 std::string bytes) {
    resources_[Key(type) + '\n' + Key(name)] = std::move(bytes);
}

void FakeOsServices::Fail(Operation operation, int times) {
    failures_[operation] = times;
}

bool FakeOsServices::HasFile(const std::string& path) const {
    return files_.count(Key(path)) != 0;
}

bool FakeOsServices::HasFolder(const std::string& path) const {
    const std::string key = Key(path);
    return folders_.count(EndsWithCharacter(key, '\\', LeadBytesOf(ansiCodePage))
                              ? key.substr(0, key.size() - 1)
                              : key) != 0;
}

const FakeOsServices::File* FakeOsServices::FindFile(const std::string& path) const {
    const auto it = files_.find(Key(path));
    return it == files_.end() ? nullptr : &it->second;
}

std::vector<std::string> FakeOsServices::FilePaths() const {
    std::vector<std::string> paths;
    for (const auto& [key, file] : files_) {
        paths.push_back(originalNames_.at(key));
    }
    return paths;
}

bool FakeOsServices::Failing(Operation operation, const std::string& path) {
    ++calls[operation];
    if (beforeOperation) {
        beforeOperation(operation, path);
    }
    const auto it = failures_.find(operation);
    if (it == failures_.end() || it->second == 0) {
        return false;
    }
    if (it->second > 0) {
        --it->second;
    }
    return true;
}

bool FakeOsServices::Held(const File& file) const {
    return file.heldForever || now < file.heldUntilMs;
}

AnsiText FakeOsServices::ReadProfileString(const std::string& file, const std::string& section,
                                           const std::string& key) {
    if (!HasFile(file)) {
        return {};
    }
    const auto it = profile_.find(ProfileKey(file, section, key));
    if (it == profile_.end()) {
        return {};
    }
    return {it->second.text.substr(0, kProfileBufferChars - 1), it->second.exact};
}

bool FakeOsServices::ClearAttributes(const std::string& path) {
    if (Failing(Operation::ClearAttributes, path)) {
        return false;
    }
    const auto it = files_.find(Key(path));
    if (it == files_.end()) {
        return HasFolder(path);
    }
    it->second.readOnly = false;
    return true;
}

bool FakeOsServices::RemoveFile(const std::string& path) {
    if (Failing(Operation::Remove, path)) {
        return false;
    }
    const auto it = files_.find(Key(path));
    if (it == files_.end() || it->second.readOnly || Held(it->second)) {
        return false;
    }
    files_.erase(it);
    return true;
}

bool FakeOsServices::MoveFileWriteThrough(const std::string& from, const std::string& to) {
    if (Failing(Operation::Move, from)) {
        return false;
    }
    const auto it = files_.find(Key(from));
    if (it == files_.end() || Held(it->second) || HasFile(to) || HasFolder(to) ||
        !HasFolder(ParentOf(to))) {
        return false;
    }
    File moved = std::move(it->second);
    files_.erase(it);
    originalNames_.erase(Key(from));
    files_[Key(to)] = std::move(moved);
    originalNames_[Key(to)] = to;
    return true;
}

ResourceBytes FakeOsServices::FindModuleResource(const std::string& type, const std::string& name) {
    if (Failing(Operation::LookUpResource, name)) {
        return {};
    }
    const auto it = resources_.find(Key(type) + '\n' + Key(name));
    if (it == resources_.end()) {
        return {};
    }
    return {true, it->second.data(), it->second.size()};
}

std::uint32_t FakeOsServices::CreationError(const std::string& path) const {
    const std::string parent = ParentOf(path);
    if (!parent.empty() && !HasFolder(parent)) {
        return kPathNotFound;
    }
    if (HasFolder(path) || unwritableFolders_.count(Key(parent)) != 0) {
        return kAccessDenied;
    }
    if (const File* existing = FindFile(path)) {
        if (existing->readOnly) {
            return kAccessDenied;
        }
        if (Held(*existing)) {
            return kSharingViolation;
        }
    }
    return 0;
}

WriteResult FakeOsServices::WriteNewFile(const std::string& path, const void* data,
                                         std::size_t size, Durability durability) {
    if (Failing(Operation::Create, path)) {
        return {false, 0, false, kAccessDenied};
    }
    if (const auto error = CreationError(path)) {
        return {false, 0, false, error};
    }
    File& file = files_[Key(path)];
    file = File{};
    originalNames_[Key(path)] = path;
    if (Failing(Operation::Write, path)) {
        return {true, 0, false, kAccessDenied};
    }
    const std::size_t stored = size - std::min(size, shortWriteBy_);
    shortWriteBy_ = 0;
    file.bytes.assign(static_cast<const char*>(data), stored);
    if (stored != size) {
        return {true, stored, false, kDiskFull};
    }
    if (durability == Durability::FlushedToDisk && Failing(Operation::Flush, path)) {
        return {true, stored, false, kIoDevice};
    }
    return {true, stored, durability == Durability::FlushedToDisk, 0};
}

std::string FakeOsServices::ErrorDescription(std::uint32_t errorCode) {
    return "Eroare de sistem " + std::to_string(errorCode) + ".";
}

std::optional<std::string> FakeOsServices::ToConsoleCodePage(const std::string& text) {
    if (text.find_first_of(oemUnspellable) != std::string::npos) {
        return std::nullopt;
    }
    return text;
}

void FakeOsServices::Pause(std::uint32_t milliseconds) {
    ++pauses;
    now += milliseconds;
    if (onPause) {
        onPause(now);
    }
}
