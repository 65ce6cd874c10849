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
    // "ping" pauses where "timeout" cannot: the hidden interpreter has no console input.
    return "@set /a ZentorCalvexTries=0\r\n"
           ":redo\r\n"
           "@del " +
           updater +
           "\r\n"
           "@set /a ZentorCalvexTries+=1\r\n"
           "@if %ZentorCalvexTries% GEQ 120 GOTO giveup\r\n"
           "@if EXIST " +
           updater +
           " ping -n 2 127.0.0.1 >nul\r\n"
           "if EXIST " +
           updater +
           " GOTO redo\r\n"
           ":giveup\r\n"
           "@del " +
           QuotedForBatch(scriptPath) + "\r\n";
}

std::string InterpreterCommandLine(std::string_view script) {
    return "cmd.exe /D /V:OFF /C \"\"" + std::string{script} + "\"\"";
}
