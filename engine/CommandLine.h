#pragma once

#include <string>
#include <string_view>
#include <vector>

// The parameters that follow the program's own name on a raw command line. A parameter ends at a
// space or control character outside double quotes; the quotes group and are removed.
std::vector<std::string> SplitParameters(std::string_view commandLine);
