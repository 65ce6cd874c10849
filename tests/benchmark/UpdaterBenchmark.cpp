// Runs the real updater on a demo installation and prints each figure next to its goal, against a
// reference taken in the same run. Measures only; it asserts nothing.
//
//   updater_benchmark <updater.exe> <old ZentorCalvex.exe> <carried payload> <write log> [runs]
//
// The write log is what tests/benchmark/watch_writes.py prints while it watches the
// installation folder; scripts/benchmark runs both.
#include <windows.h>
// After windows.h, which it builds on.
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "os/win32/UniqueHandle.h"
#include "tests/e2e/driver/WindowDriver.h"
#include "ui/ControlIds.h"

namespace {

constexpr const char* kInstall = "C:\\Program Files\\Zentor Calvex";
constexpr DWORD kHoldMs = 5000;
constexpr int kPatienceMs = 60000;
constexpr double kMiB = 1024.0 * 1024.0;

std::string InInstall(const char* name) {
    return std::string{kInstall} + "\\" + name;
}
const std::string kExe = InInstall("ZentorCalvex.exe");
const std::string kTemp = InInstall("TmpUp");
const std::string kUpdater = InInstall("ActualizareCalvex.exe");

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Empty when the file cannot be read.
std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "benchmark stopped: %s (error %lu)\n", what.c_str(), GetLastError());
    std::exit(1);
}

void CopyOrFail(const std::string& from, const std::string& to) {
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL); // result not needed: may not exist
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        Fail("cannot copy " + from + " to " + to);
    }
}

// The installation a user's machine holds: the old program beside "DATA" with the updater, and
// the settings its installer left in the Windows directory.
void PrepareInstallation(const std::string& updater, const std::string& oldProgram,
                         const char* installedVersion) {
    CreateDirectoryA("C:\\Program Files", nullptr); // results not needed: they may exist
    CreateDirectoryA(kInstall, nullptr);
    CreateDirectoryA(InInstall("DATA").c_str(), nullptr);
    DeleteFileA(kTemp.c_str());
    DeleteFileA(InInstall("suicide.bat").c_str());
    CopyOrFail(oldProgram, kExe);
    CopyOrFail(updater, kUpdater);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string settings = std::string{windows} + "\\XQZ.dII";
    if (!WritePrivateProfileStringA("94", "CALE", kInstall, settings.c_str()) ||
        !WritePrivateProfileStringA("94", "VER", installedVersion, settings.c_str())) {
        Fail("cannot write " + settings);
    }
}

// Samples the private memory of a process until stopped; the system keeps no peak of it.
class MemorySampler {
  public:
    explicit MemorySampler(HANDLE process)
        : thread_([this, process] {
              while (!stop_) {
                  PROCESS_MEMORY_COUNTERS_EX counters{};
                  counters.cb = sizeof counters;
                  if (GetProcessMemoryInfo(process,
                                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                           sizeof counters)) {
                      peakPrivate_ = std::max<std::uint64_t>(peakPrivate_, counters.PrivateUsage);
                      peakPagefile_ =
                          std::max<std::uint64_t>(peakPagefile_, counters.PeakPagefileUsage);
                  }
                  Sleep(1);
              }
          }) {}
    ~MemorySampler() { Stop(); }
    MemorySampler(const MemorySampler&) = delete;
    MemorySampler& operator=(const MemorySampler&) = delete;

    void Stop() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    // The larger of the sampled private usage and the system's own peak.
    std::uint64_t PeakBytes() const { return std::max(peakPrivate_.load(), peakPagefile_.load()); }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> peakPrivate_{0};
    std::atomic<std::uint64_t> peakPagefile_{0};
    std::thread thread_;
};

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Under Wine, GetProcessTimes answers for the calling process whatever the handle, so the CPU
// time comes from the Linux process behind it: its scheduler's count, in nanoseconds, read
// through the drive that maps the host's root. Only processes of this Wine prefix count.
class LinuxProcess {
  public:
    // The process whose command line starts with the text.
    static std::optional<LinuxProcess> Find(const std::string& commandLineStart) {
        char prefix[MAX_PATH * 4] = {};
        GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
        const std::string ownPrefix = std::string{"WINEPREFIX="} + prefix + '\0';
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
        if (search == INVALID_HANDLE_VALUE) {
            return std::nullopt;
        }
        std::optional<LinuxProcess> found;
        do {
            const std::string folder = std::string{"Z:\\proc\\"} + entry.cFileName;
            if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9') {
                continue;
            }
            const std::string commandLine = ReadWholeFile(folder + "\\cmdline");
            if (commandLine.rfind(commandLineStart, 0) == 0 &&
                ReadWholeFile(folder + "\\environ").find(ownPrefix) != std::string::npos) {
                found = LinuxProcess{folder};
            }
        } while (!found && FindNextFileA(search, &entry));
        FindClose(search);
        return found;
    }

    double CpuMs() const {
        const std::string stats = ReadWholeFile(folder_ + "\\schedstat");
        return std::strtod(stats.c_str(), nullptr) / 1e6;
    }

  private:
    explicit LinuxProcess(std::string folder) : folder_(std::move(folder)) {}
    std::string folder_;
};

// CPU time of the updater, and under Wine of the server that does its system calls' work.
class CpuClock {
  public:
    explicit CpuClock(HANDLE process) : process_(process) {
        if (UnderWine()) {
            updater_ = LinuxProcess::Find(kUpdater);
            server_ = LinuxProcess::Find("/usr/lib/wine/wineserver");
            if (!updater_) {
                Fail("the updater's Linux process not found");
            }
        }
    }
    double UpdaterMs() const {
        if (updater_) {
            return updater_->CpuMs();
        }
        FILETIME created, exited, kernel, user;
        if (!GetProcessTimes(process_, &created, &exited, &kernel, &user)) {
            Fail("GetProcessTimes");
        }
        return Ms(kernel) + Ms(user);
    }
    std::optional<double> ServerMs() const {
        return server_ ? std::optional<double>{server_->CpuMs()} : std::nullopt;
    }

  private:
    static double Ms(FILETIME time) {
        return static_cast<double>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               10000.0;
    }
    HANDLE process_;
    std::optional<LinuxProcess> updater_;
    std::optional<LinuxProcess> server_;
};

window_driver::Program StartUpdater(const std::string& parameter) {
    auto updater =
        window_driver::Program::Start("\"" + kUpdater + "\" \"" + parameter + "\"", kInstall);
    if (!updater) {
        Fail("cannot start " + kUpdater);
    }
    return std::move(*updater);
}

// The status window comes up once the run is over; closing it ends the updater without the
// hand-back, so nothing starts and the updater stays for the next run.
void CloseStatusWindow(const window_driver::Program& updater) {
    const HWND window =
        window_driver::WaitForWindow(control_ids::StatusWindowClass, kPatienceMs, updater.Id());
    if (window == nullptr) {
        Fail("no status window");
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!updater.WaitForExit(kPatienceMs)) {
        Fail("the updater did not end after its window closed");
    }
}

struct RunFigures {
    double waitCpuMs = 0;
    double serverCpuMs = -1; // under Wine only
    double waitMs = 0;
    double placedMs = 0; // from the program letting go to the new executable in place
    std::uint64_t peakPrivate = 0;
};

// The system's own file copy of the payload into the installation folder: the reference for
// writing "TmpUp", timed the same way.
void CopyFileReference(const std::string& payload) {
    const std::string copy = InInstall("CopyFile reference");
    if (!CopyFileA(payload.c_str(), copy.c_str(), FALSE)) {
        Fail("CopyFile reference");
    }
    DeleteFileA(copy.c_str());
}

// Opening with every sharing: refused only while another handle shares nothing, as the
// updater's does while it writes; never in the updater's way.
bool CanOpen(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid();
}

// The write times watch_writes.py printed, one run after another: the reference copy, then
// "TmpUp" closed after the write and closed again after the flush to disk.
struct WriteTimes {
    double copyMs = 0;
    double extractionMs = 0;
    double flushedMs = 0;
};

std::vector<WriteTimes> ReadWriteTimes(const std::string& log, int runs) {
    std::vector<WriteTimes> times;
    std::ifstream in(log);
    std::string name;
    double ms = 0;
    int tempCloses = 0;
    while (std::getline(in, name, '\t') && in >> ms) {
        in.ignore(1);
        if (name == "CopyFile reference") {
            if (!times.empty() && tempCloses == 0) {
                times.pop_back(); // a copy without an update run after it
            }
            if (static_cast<int>(times.size()) == runs) {
                break;
            }
            times.push_back({ms, 0, 0});
            tempCloses = 0;
        } else if (name == "TmpUp" && !times.empty()) {
            (++tempCloses == 1 ? times.back().extractionMs : times.back().flushedMs) = ms;
        }
    }
    if (!times.empty() && tempCloses == 0) {
        times.pop_back();
    }
    return times;
}

// The typical road: the program starts its updater with its own path and still holds its
// executable for a while, then lets go. Sampling the memory costs the sampled process time, so
// runs either sample it or time the rest.
RunFigures RunStartedByTheProgram(const std::string& updaterFile, const std::string& oldProgram,
                                  const std::string& payload, std::uint64_t payloadSize,
                                  bool sampleMemory) {
    PrepareInstallation(updaterFile, oldProgram, "1.0020");
    RunFigures figures;
    CopyFileReference(payload);

    UniqueHandle held(CreateFileA(kExe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held.Valid()) {
        Fail("cannot hold " + kExe);
    }
    auto updater = StartUpdater(kExe);
    std::optional<MemorySampler> memory;
    if (sampleMemory) {
        memory.emplace(updater.Handle());
    }

    // The write itself is timed from outside Wine (see watch_writes.py); here only its end
    // counts: "TmpUp" can be opened once the updater has written and closed it.
    const double giveUp = NowMs() + kPatienceMs;
    while (FileSize(kTemp) != payloadSize || !CanOpen(kTemp)) {
        if (NowMs() > giveUp || !updater.Running()) {
            Fail("TmpUp was not written");
        }
        Sleep(1);
    }

    const CpuClock cpu(updater.Handle());
    const double cpuBefore = cpu.UpdaterMs();
    const auto serverBefore = cpu.ServerMs();
    const double waitStart = NowMs();
    Sleep(kHoldMs);
    figures.waitCpuMs = cpu.UpdaterMs() - cpuBefore;
    if (serverBefore) {
        figures.serverCpuMs = *cpu.ServerMs() - *serverBefore;
    }
    figures.waitMs = NowMs() - waitStart;

    const double letGo = NowMs();
    held.Reset();
    while (FileSize(kExe) != payloadSize) {
        if (NowMs() - letGo > kPatienceMs) {
            Fail("the new executable did not come into place");
        }
    }
    figures.placedMs = NowMs() - letGo;

    CloseStatusWindow(updater);
    if (memory) {
        memory->Stop();
        figures.peakPrivate = memory->PeakBytes();
    }
    if (ReadWholeFile(kExe) != ReadWholeFile(payload)) {
        Fail("the executable in place is not the carried build");
    }
    return figures;
}

// The same updater finding the carried version installed: it never touches the payload.
std::uint64_t PeakPrivateWithoutExtraction(const std::string& updaterFile,
                                           const std::string& oldProgram) {
    PrepareInstallation(updaterFile, oldProgram, "1.0029");
    auto updater = StartUpdater(kExe);
    MemorySampler memory(updater.Handle());
    CloseStatusWindow(updater);
    memory.Stop();
    return memory.PeakBytes();
}

// The parts of a 32-bit PE file the figures need: its sections and its import tables.
class PeFile {
  public:
    explicit PeFile(std::string image) : image_(std::move(image)) {
        const auto* dos = At<IMAGE_DOS_HEADER>(0);
        nt_ = At<IMAGE_NT_HEADERS32>(dos->e_lfanew);
        const std::size_t first = dos->e_lfanew + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                                  nt_->FileHeader.SizeOfOptionalHeader;
        for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i) {
            sections_.push_back(
                *At<IMAGE_SECTION_HEADER>(first + i * sizeof(IMAGE_SECTION_HEADER)));
        }
    }

    const IMAGE_SECTION_HEADER* Section(const char* name) const {
        for (const auto& section : sections_) {
            if (std::strncmp(reinterpret_cast<const char*>(section.Name), name,
                             IMAGE_SIZEOF_SHORT_NAME) == 0) {
                return &section;
            }
        }
        return nullptr;
    }

    // The DLLs it imports, delay-loaded ones included.
    std::vector<std::string> ImportedDlls() const {
        std::vector<std::string> dlls;
        const auto& directories = nt_->OptionalHeader.DataDirectory;
        if (const DWORD rva = directories[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress) {
            for (auto offset = FileOffset(rva);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
                const auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(offset);
                if (entry->Name == 0) {
                    break;
                }
                dlls.push_back(NameAt(entry->Name));
            }
        }
        if (const DWORD rva = directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].VirtualAddress) {
            for (auto offset = FileOffset(rva);; offset += sizeof(IMAGE_DELAYLOAD_DESCRIPTOR)) {
                const auto* entry = At<IMAGE_DELAYLOAD_DESCRIPTOR>(offset);
                if (entry->DllNameRVA == 0) {
                    break;
                }
                dlls.push_back(NameAt(entry->DllNameRVA) + " (delay-loaded)");
            }
        }
        return dlls;
    }

  private:
    template <class Header> const Header* At(std::size_t offset) const {
        if (offset + sizeof(Header) > image_.size()) {
            Fail("malformed executable");
        }
        return reinterpret_cast<const Header*>(image_.data() + offset);
    }
    std::size_t FileOffset(DWORD rva) const {
        for (const auto& section : sections_) {
            if (rva >= section.VirtualAddress &&
                rva < section.VirtualAddress + section.SizeOfRawData) {
                return rva - section.VirtualAddress + section.PointerToRawData;
            }
        }
        Fail("import table outside the sections");
    }
    std::string NameAt(DWORD rva) const { return std::string{At<char>(FileOffset(rva))}; }

    std::string image_;
    const IMAGE_NT_HEADERS32* nt_ = nullptr;
    std::vector<IMAGE_SECTION_HEADER> sections_;
};

bool IsSystemDll(const std::string& name) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string bare = name.substr(0, name.find(' '));
    return FileSize(std::string{system} + "\\" + bare).has_value();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Figure(const char* name, const std::string& measured, const char* goal, bool met) {
    std::printf("%-12s %s\n%-12s goal: %s -> %s\n", name, measured.c_str(), "", goal,
                met ? "met" : "NOT MET");
}

template <class... Values> std::string Format(const char* format, Values... values) {
    char text[512];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: %s <updater.exe> <old ZentorCalvex.exe> <payload> <write log> "
                     "[runs]\n",
                     argv[0]);
        return 2;
    }
    const std::string updaterFile = argv[1];
    const std::string oldProgram = argv[2];
    const std::string payload = argv[3];
    const std::string writeLog = argv[4];
    const int runs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 5;
    const auto payloadSize = FileSize(payload);
    if (!payloadSize || !FileSize(updaterFile)) {
        Fail("missing updater or payload");
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("payload %llu bytes; %d timed runs started by the program, which holds its "
                "executable %lu ms; one more sampling memory; one with the carried version "
                "installed\n\n",
                static_cast<unsigned long long>(*payloadSize), runs, kHoldMs);

    PrepareInstallation(updaterFile, oldProgram, "1.0020");
    CopyFileReference(payload); // the source into the file cache, as the updater's image is
    std::vector<double> cpuShare, serverShare, placed;
    for (int run = 1; run <= runs; ++run) {
        const RunFigures figures =
            RunStartedByTheProgram(updaterFile, oldProgram, payload, *payloadSize, false);
        std::printf("run %d: waiting %.0f ms: updater CPU %.2f ms", run, figures.waitMs,
                    figures.waitCpuMs);
        if (figures.serverCpuMs >= 0) {
            std::printf(", wineserver CPU %.2f ms", figures.serverCpuMs);
            serverShare.push_back(100.0 * figures.serverCpuMs / figures.waitMs);
        }
        std::printf("; in place %.1f ms after the program let go\n", figures.placedMs);
        cpuShare.push_back(100.0 * figures.waitCpuMs / figures.waitMs);
        placed.push_back(figures.placedMs);
    }
    const std::uint64_t peakPrivate =
        RunStartedByTheProgram(updaterFile, oldProgram, payload, *payloadSize, true).peakPrivate;
    const std::uint64_t referencePrivate = PeakPrivateWithoutExtraction(updaterFile, oldProgram);
    std::printf("\n");

    const auto writes = ReadWriteTimes(writeLog, runs);
    if (writes.empty()) {
        std::printf("extraction   no write times in %s\n", writeLog.c_str());
    } else {
        std::vector<double> extraction, copy, ratio, flushed;
        for (std::size_t i = 0; i < writes.size(); ++i) {
            std::printf("run %zu: TmpUp written in %.2f ms, flushed to disk at %.2f ms; CopyFile "
                        "reference %.2f ms\n",
                        i + 1, writes[i].extractionMs, writes[i].flushedMs, writes[i].copyMs);
            extraction.push_back(writes[i].extractionMs);
            copy.push_back(writes[i].copyMs);
            ratio.push_back(writes[i].extractionMs / writes[i].copyMs);
            flushed.push_back(writes[i].flushedMs);
        }
        std::printf("\n");
        Figure("extraction",
               Format("writing TmpUp %.2f ms vs CopyFile of the same bytes %.2f ms: ratio %.2f "
                      "(medians of %zu runs); with the flush to disk, which CopyFile does not "
                      "do, %.2f ms",
                      Median(extraction), Median(copy), Median(ratio), ratio.size(),
                      Median(flushed)),
               "ratio <= 1.20", Median(ratio) <= 1.2);
    }
    const PeFile updaterImage(ReadWholeFile(updaterFile));
    const double added = (static_cast<double>(peakPrivate) - referencePrivate) / kMiB;
    Figure("memory",
           Format("peak private %.2f MiB; the same updater not extracting %.2f MiB; added %.2f "
                  "MiB; payload %.2f MiB",
                  peakPrivate / kMiB, referencePrivate / kMiB, added, *payloadSize / kMiB),
           "under 2 MiB added, no copy of the payload", added < 2.0 && peakPrivate < *payloadSize);
    // Wine maps a section straight from the file only when it starts on a page boundary there;
    // any other it reads into private memory when the program loads.
    const auto* resources = updaterImage.Section(".rsrc");
    if (UnderWine() && resources != nullptr && resources->PointerToRawData % 4096 != 0) {
        std::printf("%-12s the payload's section starts at file offset 0x%lx, not on a 4 KiB "
                    "page: Wine copies it into private memory at load\n",
                    "", resources->PointerToRawData);
    }
    std::string server;
    if (!serverShare.empty()) {
        server =
            Format("; the Wine server's work for it and the rest %.3f %%", Median(serverShare));
    }
    Figure("waiting",
           Format("updater CPU %.3f %% of one core while the program holds its executable %lu "
                  "ms (median)%s",
                  Median(cpuShare), kHoldMs, server.c_str()),
           "under 1 %", Median(cpuShare) < 1.0);
    const double slowestPlaced = *std::max_element(placed.begin(), placed.end());
    Figure("replacement",
           Format("new executable in place %.1f ms after the program let go (median; slowest "
                  "%.1f)",
                  Median(placed), slowestPlaced),
           "under 150 ms, every run", slowestPlaced < 150.0);
    std::string imports;
    bool systemOnly = true;
    for (const auto& dll : updaterImage.ImportedDlls()) {
        const bool system = IsSystemDll(dll);
        systemOnly = systemOnly && system;
        imports += (imports.empty() ? "" : ", ") + dll + (system ? "" : " [NOT SYSTEM]");
    }
    Figure("imports", imports, "system DLLs only", systemOnly);
    return 0;
}
