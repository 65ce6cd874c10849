#pragma once

#include <string>
#include <string_view>

// The batch script that deletes the updater once its process has gone, then itself. Paths are
// given in the code page the command interpreter reads; a "%" is doubled so it is not expanded.
std::string RemovalScript(std::string_view updaterPath, std::string_view scriptPath);

// The command line that runs a script lying in the current folder by the system's interpreter,
// without AutoRun commands or delayed expansion. Only the script's name is on the line: the
// interpreter would expand a "%NAME%" in a full path there, and nothing can escape it inside
// quotes. The doubled quotes survive the interpreter's quote stripping.
std::string InterpreterCommandLine(std::string_view scriptName);
