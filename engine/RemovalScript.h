#pragma once

#include <string>
#include <string_view>

// The batch script that deletes the updater once its process has gone, then itself. Paths are
// given in the code page the command interpreter reads; a "%" is doubled so it is not expanded.
// It pauses about a second between attempts and gives up after about two minutes, so an updater
// that can never be deleted does not keep a hidden interpreter spinning.
std::string RemovalScript(std::string_view updaterPath, std::string_view scriptPath);

// The command line that runs, by the system's interpreter without AutoRun commands or delayed
// expansion, the script whose full path the named environment variable holds. The interpreter
// expands the variable once and not what its value holds, so no "%", "&" or space in the path
// can act; the doubled quotes survive the interpreter's quote stripping.
std::string InterpreterCommandLine(std::string_view scriptVariable);
