#include "os/win32/Win32OsServices.h"

#include <windows.h>

#include <vector>

#include "os/win32/UniqueHandle.h"

namespace {

// Room for any Windows path, long ones included.
constexpr DWORD kPathBufferChars = 32768;
constexpr DWORD kProfileBufferChars = 2048;

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

// Calls fill(buffer, size) and keeps as many characters as it reports, when they fit.
template <class Fill> std::string FromBuffer(Fill fill) {
    std::vector<char> buffer(kPathBufferChars);
    const DWORD length = fill(buffer.data(), kPathBufferChars);
    return length < kPathBufferChars ? std::string(buffer.data(), length) : std::string{};
}

} // namespace

std::string Win32OsServices::WindowsDirectory() {
    return FromBuffer([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string Win32OsServices::SystemDirectory() {
    return FromBuffer([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string Win32OsServices::ModuleFileName() {
    return FromBuffer(
        [](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

std::string Win32OsServices::ReadProfileString(const std::string& file, const std::string& section,
                                               const std::string& key) {
    char buffer[kProfileBufferChars];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                  kProfileBufferChars, file.c_str());
    return std::string(buffer, length);
}

bool Win32OsServices::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32OsServices::FolderExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32OsServices::ClearAttributes(const std::string& path) {
    return SetFileAttributesA(path.c_str(), 0) != FALSE;
}

bool Win32OsServices::RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

bool Win32OsServices::MoveFileWriteThrough(const std::string& from, const std::string& to) {
    // No MOVEFILE_REPLACE_EXISTING: an existing target makes the move fail.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32OsServices::FlushFileToDisk(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() && FlushFileBuffers(file.Get()) != FALSE;
}

ResourceBytes Win32OsServices::FindModuleResource(const std::string& type,
                                                  const std::string& name) {
    // Resources of a module's own image stay mapped as long as the module: nothing to free.
    HRSRC info = FindResourceA(nullptr, name.c_str(), type.c_str());
    if (info == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(nullptr, info);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {true, data, SizeofResource(nullptr, info)};
}

WriteResult Win32OsServices::WriteNewFile(const std::string& path, const void* data,
                                          std::size_t size) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return {false, 0, GetLastError()};
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    return {true, written, error};
}

std::string Win32OsServices::ErrorDescription(std::uint32_t errorCode) {
    char buffer[1024];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, errorCode, 0, buffer, sizeof buffer, nullptr);
    while (length > 0 && static_cast<unsigned char>(buffer[length - 1]) <= ' ') {
        --length;
    }
    if (length == 0) {
        return "Eroare de sistem " + std::to_string(errorCode);
    }
    return std::string(buffer, length);
}

void Win32OsServices::StartProcess(const std::string& application, const std::string& commandLine,
                                   ShowState show, const std::string& currentFolder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show == ShowState::Hidden ? SW_HIDE : SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back('\0');
    // The exact path as the application name: no search that could run C:\Program.exe.
    // A failed start is not reported; nothing is waited for.
    const char* folder = currentFolder.empty() ? nullptr : currentFolder.c_str();
    if (CreateProcessA(application.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0,
                       nullptr, folder, &startup, &started)) {
        UniqueHandle process(started.hProcess);
        UniqueHandle thread(started.hThread);
    }
}

std::string Win32OsServices::RawCommandLine() {
    return GetCommandLineA();
}

std::optional<std::string> Win32OsServices::ToConsoleCodePage(const std::string& text) {
    if (text.empty()) {
        return std::string{};
    }
    const int length = static_cast<int>(text.size());
    const int wideLength =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (wideLength == 0) {
        return std::nullopt;
    }
    std::vector<wchar_t> wide(wideLength);
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), wideLength);
    BOOL lossy = FALSE;
    const int oemLength = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                              wideLength, nullptr, 0, nullptr, &lossy);
    std::string oem(oemLength, '\0');
    WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, oem.data(),
                        oemLength, nullptr, &lossy);
    if (oemLength == 0 || lossy) {
        return std::nullopt;
    }
    return oem;
}

std::uint64_t Win32OsServices::MillisecondsSinceStart() {
    return GetTickCount64();
}

void Win32OsServices::Pause(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

char Win32OsServices::RegionalDecimalSeparator() {
    char separator[4] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) < 2) {
        return '.';
    }
    return separator[0];
}

bool Win32OsServices::ClaimSingleInstance(const std::string& name) {
    UniqueHandle mutex(CreateMutexA(nullptr, FALSE, name.c_str()));
    if (!mutex.Valid() || GetLastError() == ERROR_ALREADY_EXISTS) {
        return false;
    }
    instanceClaim_ = std::move(mutex);
    return true;
}

void Win32OsServices::DefaultBeep() {
    MessageBeep(0);
}

void Win32OsServices::EndProcess(std::uint32_t exitCode) {
    ExitProcess(exitCode);
}
