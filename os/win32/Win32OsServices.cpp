#include "os/win32/Win32OsServices.h"

#include <windows.h>

#include <vector>

#include "os/win32/CodePageConversion.h"
#include "os/win32/UniqueHandle.h"

namespace {

// Room for any Windows path, long ones included.
constexpr DWORD kPathBufferChars = 32768;
constexpr DWORD kProfileBufferChars = 2048;

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

// Calls fill(buffer, size) and keeps as many characters as it reports, when they fit.
template <class Char, class Fill> std::basic_string<Char> FromBuffer(Fill fill) {
    std::vector<Char> buffer(kPathBufferChars);
    const DWORD length = fill(buffer.data(), kPathBufferChars);
    return length < kPathBufferChars ? std::basic_string<Char>(buffer.data(), length)
                                     : std::basic_string<Char>{};
}

// The ANSI reading of a text, exact only when it converts back from the system's own UTF-16
// reading without loss.
AnsiText CheckedAgainst(std::string ansi, std::wstring_view wide) {
    const bool exact = FromWideExactly(GetACP(), wide) == ansi;
    return {std::move(ansi), exact};
}

std::wstring Widened(const std::string& ansi) {
    return ToWideExactly(GetACP(), ansi).value_or(std::wstring{});
}

struct EnvironmentBlockTraits : NullMeansEmpty<wchar_t*> {
    static void Free(wchar_t* block) { FreeEnvironmentStringsW(block); }
};

bool SameVariableName(std::wstring_view entry, std::wstring_view name) {
    if (entry.size() <= name.size() || entry[name.size()] != L'=') {
        return false;
    }
    return CompareStringOrdinal(entry.data(), static_cast<int>(name.size()), name.data(),
                                static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

// The process's environment with one variable set, as a block for CreateProcess: each entry
// ended by a zero, the block by one more.
std::wstring EnvironmentWith(const std::string& name, const std::string& value) {
    const std::wstring wideName = Widened(name);
    std::wstring block;
    const UniqueResource<EnvironmentBlockTraits> current(GetEnvironmentStringsW());
    for (const wchar_t* entry = current.Get(); entry != nullptr && *entry != L'\0';) {
        const std::wstring_view text(entry);
        if (!SameVariableName(text, wideName)) {
            block.append(text);
            block.push_back(L'\0');
        }
        entry += text.size() + 1;
    }
    block += wideName + L'=' + Widened(value);
    block.push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

} // namespace

std::string Win32OsServices::WindowsDirectory() {
    return FromBuffer<char>(
        [](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string Win32OsServices::SystemDirectory() {
    return FromBuffer<char>(
        [](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

AnsiText Win32OsServices::ModulePath() {
    std::string ansi = FromBuffer<char>(
        [](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
    const std::wstring wide = FromBuffer<wchar_t>(
        [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    return CheckedAgainst(std::move(ansi), wide);
}

AnsiText Win32OsServices::ReadProfileString(const std::string& file, const std::string& section,
                                            const std::string& key) {
    char buffer[kProfileBufferChars];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                  kProfileBufferChars, file.c_str());
    // A Unicode settings file holds what the ANSI reading may have replaced.
    wchar_t wideBuffer[kProfileBufferChars];
    const DWORD wideLength =
        GetPrivateProfileStringW(Widened(section).c_str(), Widened(key).c_str(), L"", wideBuffer,
                                 kProfileBufferChars, Widened(file).c_str());
    return CheckedAgainst(std::string(buffer, length), std::wstring_view(wideBuffer, wideLength));
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
                                          std::size_t size, Durability durability) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return {false, 0, false, GetLastError()};
    }
    DWORD written = 0;
    if (!WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr)) {
        return {true, written, false, GetLastError()};
    }
    // A short write is reported as a success: the disk is full.
    if (written != size) {
        return {true, written, false, ERROR_DISK_FULL};
    }
    if (durability == Durability::FlushedToDisk && !FlushFileBuffers(file.Get())) {
        return {true, written, false, GetLastError()};
    }
    return {true, written, durability == Durability::FlushedToDisk, 0};
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

void Win32OsServices::StartProcess(const ProcessStart& start) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = start.show == ShowState::Hidden ? SW_HIDE : SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    std::vector<char> mutableCommandLine(start.commandLine.begin(), start.commandLine.end());
    mutableCommandLine.push_back('\0');
    std::wstring environment;
    DWORD flags = 0;
    if (!start.variableName.empty()) {
        environment = EnvironmentWith(start.variableName, start.variableValue);
        flags |= CREATE_UNICODE_ENVIRONMENT;
    }
    // The exact path as the application name: no search that could run C:\Program.exe.
    // A failed start is not reported; nothing is waited for.
    const char* folder = start.currentFolder.empty() ? nullptr : start.currentFolder.c_str();
    if (CreateProcessA(start.application.c_str(), mutableCommandLine.data(), nullptr, nullptr,
                       FALSE, flags, environment.empty() ? nullptr : environment.data(), folder,
                       &startup, &started)) {
        UniqueHandle process(started.hProcess);
        UniqueHandle thread(started.hThread);
    }
}

AnsiText Win32OsServices::RawCommandLine() {
    return CheckedAgainst(GetCommandLineA(), GetCommandLineW());
}

LeadBytes Win32OsServices::AnsiLeadBytes() {
    LeadBytes leadBytes;
    CPINFO info{};
    if (GetCPInfo(CP_ACP, &info)) {
        // Pairs of first and last lead byte, ended by a zero pair.
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
            leadBytes.AddRange(info.LeadByte[i], info.LeadByte[i + 1]);
        }
    }
    return leadBytes;
}

std::optional<std::string> Win32OsServices::ToConsoleCodePage(const std::string& text) {
    const auto wide = ToWideExactly(GetACP(), text);
    return wide ? FromWideExactly(GetOEMCP(), *wide) : std::nullopt;
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
