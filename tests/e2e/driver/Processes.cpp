#include "tests/e2e/driver/Processes.h"

namespace window_driver {

std::optional<Program> Program::Start(const std::string& commandLine,
                                      const std::string& workingDir) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &started)) {
        return std::nullopt;
    }
    UniqueHandle thread(started.hThread);
    Program program;
    program.process_.Reset(started.hProcess);
    program.processId_ = started.dwProcessId;
    return program;
}

bool Program::Running() const {
    return process_.Valid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(int timeoutMs) const {
    if (!process_.Valid() ||
        WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void Program::Terminate() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

Program::~Program() {
    Terminate();
}

std::string OwnFolder() {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

} // namespace window_driver
