#pragma once

#include <string>
#include <string_view>

// The batch script that deletes the updater once its process has gone, then itself. Paths are
// given in the code page the command interpreter reads; a "%" is doubled so it is not expanded.
// It pauses about a second between attempts and gives up after about two minutes, so an updater
// that can never be deleted does not keep a hidden interpreter spinning.
std::string RemovalScript(std::string_view updaterPath, std::string_view scriptPath);

// The command line that runs a script by the system's interpreter, without AutoRun commands or
// delayed expansion; `script` names it on that line: ".\suicide.bat" from the script's own
// folder, or "%NAME%" for an environment variable that holds its full path. The interpreter
// would expand a "%NAME%" written in a path there, even inside quotes, so no path is ever
// written on the line. The doubled quotes survive the interpreter's quote stripping.
std::string InterpreterCommandLine(std::string_view script);
