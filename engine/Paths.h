#pragma once

#include <string>
#include <string_view>

// Characters up to and including the last "\" or ":"; empty when there is neither.
std::string FolderPartOf(std::string_view path);

// A space or a control character: code 32 or less.
bool IsControlOrSpace(char c);

// Removes every character of code 32 or less from both ends.
std::string TrimControlAndSpace(std::string_view text);

std::string JoinPath(std::string_view folder, std::string_view name);
