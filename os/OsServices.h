#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/AnsiCharacters.h"

// The operating-system operations the engine relies on. The engine reaches the
// system only through this interface, so a test can put a fake in its place.
// All strings are 8-bit text in the Windows ANSI code page.

enum class ShowState { Hidden = 0, Normal = 1 };

// A resource as it lies in the running module's memory image; not a copy.
struct ResourceBytes {
    bool found = false;
    const void* data = nullptr;
    std::size_t size = 0;
};

struct WriteResult {
    bool created = false;
    std::size_t bytesWritten = 0;
    bool flushed = false;        // asked for and done
    std::uint32_t errorCode = 0; // the system's code when creation, the write or the flush failed
};

enum class Durability { Cached, FlushedToDisk };

// Text the system keeps in UTF-16, in the ANSI code page. Not exact when that code page cannot
// spell some character: a "?" or a look-alike letter then stands in its place, and a path may
// name another file or none.
struct AnsiText {
    std::string text;
    bool exact = true;
};

// A program to start, and one variable added to the environment it inherits.
struct ProcessStart {
    std::string application{}; // the exact path: no search
    std::string commandLine{};
    ShowState show = ShowState::Normal;
    std::string currentFolder{}; // empty: the updater's own is inherited
    std::string variableName{};  // empty: the environment is inherited unchanged
    std::string variableValue{};
};

class OsServices {
  public:
    virtual ~OsServices() = default;

    // The Windows directory as the system reports it (GetWindowsDirectoryA).
    virtual std::string WindowsDirectory() = 0;
    // GetPrivateProfileStringA with an empty default and a 2048-character buffer; exact when the
    // UTF-16 reading of the same value says the same.
    virtual AnsiText ReadProfileString(const std::string& file, const std::string& section,
                                       const std::string& key) = 0;

    virtual bool FileExists(const std::string& path) = 0;   // a folder does not count
    virtual bool FolderExists(const std::string& path) = 0; // a file does not count
    // SetFileAttributesA(path, 0): clears read-only, hidden and system.
    virtual bool ClearAttributes(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Never overwrites; returns only once the move has reached the disk.
    virtual bool MoveFileWriteThrough(const std::string& from, const std::string& to) = 0;

    // The running module's resource of the given type name and name.
    virtual ResourceBytes FindModuleResource(const std::string& type, const std::string& name) = 0;
    // Creates (or truncates) the file with normal attributes, read and write access and no
    // sharing, then writes the whole buffer in one write; asked to, flushes the data and metadata
    // to the disk through the same handle, before any other program can open the file.
    virtual WriteResult WriteNewFile(const std::string& path, const void* data, std::size_t size,
                                     Durability durability) = 0;
    // The system's description of an error code, without trailing line ends.
    virtual std::string ErrorDescription(std::uint32_t errorCode) = 0;

    // Starts a program; not waited for, and a failed start is not reported.
    virtual void StartProcess(const ProcessStart& start) = 0;

    virtual AnsiText ModulePath() = 0;         // full path of the running executable
    virtual AnsiText RawCommandLine() = 0;     // the process's command line as given
    virtual std::string SystemDirectory() = 0; // where the command interpreter lies
    // How the ANSI code page splits text into characters.
    virtual LeadBytes AnsiLeadBytes() = 0;
    // Converts ANSI text to the console (OEM) code page the command interpreter reads.
    // Nothing when the text holds a character that code page cannot spell.
    virtual std::optional<std::string> ToConsoleCodePage(const std::string& text) = 0;

    virtual std::uint64_t MillisecondsSinceStart() = 0; // a monotonic clock
    virtual void Pause(std::uint32_t milliseconds) = 0;

    // The regional decimal separator, as the process would load it.
    virtual char RegionalDecimalSeparator() = 0;

    // Claims a name for this process's lifetime; false when another running process holds it.
    virtual bool ClaimSingleInstance(const std::string& name) = 0;

    virtual void DefaultBeep() = 0; // MessageBeep(0)
    [[noreturn]] virtual void EndProcess(std::uint32_t exitCode) = 0;
};
