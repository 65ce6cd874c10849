#pragma once

#include "os/OsServices.h"
#include "os/win32/UniqueHandle.h"

// The real system, through the ANSI Windows API.
class Win32OsServices : public OsServices {
  public:
    std::string WindowsDirectory() override;
    AnsiText ReadProfileString(const std::string& file, const std::string& section,
                               const std::string& key) override;
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool ClearAttributes(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool MoveFileWriteThrough(const std::string& from, const std::string& to) override;
    ResourceBytes FindModuleResource(const std::string& type, const std::string& name) override;
    WriteResult WriteNewFile(const std::string& path, const void* data, std::size_t size,
                             Durability durability) override;
    std::string ErrorDescription(std::uint32_t errorCode) override;
    void StartProcess(const ProcessStart& start) override;
    AnsiText ModulePath() override;
    AnsiText RawCommandLine() override;
    std::string SystemDirectory() override;
    LeadBytes AnsiLeadBytes() override;
    std::optional<std::string> ToConsoleCodePage(const std::string& text) override;
    std::uint64_t MillisecondsSinceStart() override;
    void Pause(std::uint32_t milliseconds) override;
    char RegionalDecimalSeparator() override;
    bool ClaimSingleInstance(const std::string& name) override;
    void DefaultBeep() override;
    [[noreturn]] void EndProcess(std::uint32_t exitCode) override;

  private:
    UniqueHandle instanceClaim_; // held until the process ends
};
