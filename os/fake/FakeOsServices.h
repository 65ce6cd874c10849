#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "os/OsServices.h"

// An in-memory stand-in for the system: files, folders, attributes, files held by a running
// program, an INI store, module resources, a clock, and any single operation made to fail.
class FakeOsServices : public OsServices {
  public:
    enum class Operation {
        ClearAttributes,
        Remove,
        Move,
        Flush,
        LookUpResource,
        Create,
        Write,
    };

    struct File {
        std::string bytes;
        bool readOnly = false;
        // Held open by a running program until the clock reaches this time (never by default).
        std::uint64_t heldUntilMs = 0;
        bool heldForever = false;
    };

    struct ProcessEnded {
        std::uint32_t exitCode;
    };

    // Setting up the world.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, std::string bytes = "MZ");
    void SetReadOnly(const std::string& path, bool readOnly = true);
    void HoldUntil(const std::string& path, std::uint64_t ms); // a program exits at that time
    void HoldForever(const std::string& path);
    void Release(const std::string& path);
    void SetUnwritableFolder(const std::string& path);
    // Not exact: the value as an ANSI read gives it, with a character the code page lacks.
    void SetProfileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value, bool exact = true);
    void AddResource(const std::string& type, const std::string& name, std::string bytes);
    // Fails the operation the next `times` calls (every call when negative).
    void Fail(Operation operation, int times = -1);
    // Stores this many bytes fewer than asked on the next write.
    void ShortenNextWrite(std::size_t missingBytes) { shortWriteBy_ = missingBytes; }
    // Called at each pause with the clock after it, so a test can act while the engine waits.
    std::function<void(std::uint64_t)> onPause;
    // Called as each operation starts (Write: once the file is created and empty), so a test can
    // act at that moment, or throw to end the process there.
    std::function<void(Operation, const std::string& path)> beforeOperation;
    // Characters the console code page cannot spell.
    std::string oemUnspellable;

    std::string windowsDirectory = "C:\\WINDOWS";
    std::string moduleFileName = "D:\\Apps\\Prog\\Actualizare.exe";
    bool moduleFileNameExact = true;
    std::string commandLine = "\"D:\\Apps\\Prog\\Actualizare.exe\"";
    bool commandLineExact = true;
    // 932 gives the Japanese lead bytes; any other code page has none.
    unsigned ansiCodePage = 1252;
    std::string systemDirectory = "C:\\WINDOWS\\system32";
    char regionalDecimalSeparator = ',';

    static LeadBytes LeadBytesOf(unsigned codePage);

    // Reading back.
    bool HasFile(const std::string& path) const;
    bool HasFolder(const std::string& path) const;
    const File* FindFile(const std::string& path) const;
    std::vector<std::string> FilePaths() const; // as they were written, lower-cased keys aside
    std::vector<ProcessStart> started;
    std::uint64_t now = 0;
    int pauses = 0;
    int beeps = 0;
    std::set<std::string> claimedNames; // names held by running updaters
    std::map<Operation, int> calls;

    // OsServices
    std::string WindowsDirectory() override { return windowsDirectory; }
    AnsiText ReadProfileString(const std::string& file, const std::string& section,
                               const std::string& key) override;
    bool FileExists(const std::string& path) override { return HasFile(path); }
    bool FolderExists(const std::string& path) override { return HasFolder(path); }
    bool ClearAttributes(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool MoveFileWriteThrough(const std::string& from, const std::string& to) override;
    ResourceBytes FindModuleResource(const std::string& type, const std::string& name) override;
    WriteResult WriteNewFile(const std::string& path, const void* data, std::size_t size,
                             Durability durability) override;
    std::string ErrorDescription(std::uint32_t errorCode) override;
    void StartProcess(const ProcessStart& start) override { started.push_back(start); }
    AnsiText ModulePath() override { return {moduleFileName, moduleFileNameExact}; }
    AnsiText RawCommandLine() override { return {commandLine, commandLineExact}; }
    std::string SystemDirectory() override { return systemDirectory; }
    LeadBytes AnsiLeadBytes() override { return LeadBytesOf(ansiCodePage); }
    std::optional<std::string> ToConsoleCodePage(const std::string& text) override;
    std::uint64_t MillisecondsSinceStart() override { return now; }
    void Pause(std::uint32_t milliseconds) override;
    char RegionalDecimalSeparator() override { return regionalDecimalSeparator; }
    bool ClaimSingleInstance(const std::string& name) override {
        return claimedNames.insert(name).second;
    }
    void DefaultBeep() override { ++beeps; }
    [[noreturn]] void EndProcess(std::uint32_t exitCode) override { throw ProcessEnded{exitCode}; }

    static constexpr std::uint32_t kFileNotFound = 2;
    static constexpr std::uint32_t kPathNotFound = 3;
    static constexpr std::uint32_t kAccessDenied = 5;
    static constexpr std::uint32_t kSharingViolation = 32;
    static constexpr std::uint32_t kDiskFull = 112;
    static constexpr std::uint32_t kAlreadyExists = 183;
    static constexpr std::uint32_t kIoDevice = 1117;

  private:
    bool Failing(Operation operation, const std::string& path);
    bool Held(const File& file) const;
    std::string ParentOf(const std::string& path) const;
    std::uint32_t CreationError(const std::string& path) const;

    std::map<std::string, File> files_; // keyed by lower-cased path
    std::map<std::string, std::string> originalNames_;
    std::set<std::string> folders_;
    std::set<std::string> unwritableFolders_;
    std::map<std::string, AnsiText> profile_;
    std::map<std::string, std::string> resources_;
    std::map<Operation, int> failures_;
    std::size_t shortWriteBy_ = 0;
};
