#pragma once

#include <string>
#include <string_view>

// The batch script that deletes the updater once its process has gone, then itself. Paths are
// given in the code page the command interpreter reads; a "%" is doubled so it is not expanded.
std::string RemovalScript(std::string_view updaterPath, std::string_view scriptPath);

// The command line that runs a script by the system's interpreter without AutoRun commands or
// delayed expansion. The doubled quotes survive the interpreter's quote stripping whatever the
// path holds.
std::string InterpreterCommandLine(std::string_view scriptPath);
