#include "engine/RemovalScript.h"

namespace {

std::string QuotedForBatch(std::string_view path) {
    std::string quoted = "\"";
    for (char c : path) {
        quoted += c;
        if (c == '%') {
            quoted += '%';
        }
    }
    quoted += '"';
    return quoted;
}

} // namespace

std::string RemovalScript(std::string_view updaterPath, std::string_view scriptPath) {
    const std::string updater = QuotedForBatch(updaterPath);
    return ":redo\r\n"
           "@del " +
           updater +
           "\r\n"
           "if EXIST " +
           updater +
           " GOTO redo\r\n"
           "@del " +
           QuotedForBatch(scriptPath) + "\r\n";
}

std::string InterpreterCommandLine(std::string_view scriptName) {
    return "cmd.exe /D /V:OFF /C \"\".\\" + std::string{scriptName} + "\"\"";
}
