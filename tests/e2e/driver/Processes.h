#pragma once

// Programs the tests start and end, and where the running executable lies.
#include <windows.h>

#include <optional>
#include <string>

#include "os/win32/UniqueHandle.h"
#include "tests/e2e/driver/Waiting.h"

namespace window_driver {

// A started program, ended when this object goes unless it has exited.
class Program {
  public:
    Program() = default;
    // commandLine holds the quoted executable path and arguments.
    static std::optional<Program> Start(const std::string& commandLine,
                                        const std::string& workingDir = {});
    DWORD Id() const { return processId_; }
    HANDLE Handle() const { return process_.Get(); }
    bool Running() const;
    // The exit code once the program has ended within the time, empty otherwise.
    std::optional<DWORD> WaitForExit(int timeoutMs = DefaultTimeoutMs) const;
    void Terminate();
    ~Program();
    Program(Program&&) noexcept = default;
    Program& operator=(Program&&) noexcept = default;

  private:
    UniqueHandle process_;
    DWORD processId_ = 0;
};

// The folder of the running executable, without a trailing "\".
std::string OwnFolder();

} // namespace window_driver
