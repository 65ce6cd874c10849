#pragma once

#include <string>
#include <string_view>

#include "common/AnsiCharacters.h"

// Paths and texts here are walked character by character in the ANSI code page that the lead
// bytes describe: in a double-byte code page the second byte of a character may be 0x5C, the
// code of "\", and is then no "\".

// Characters up to and including the last "\" or ":"; empty when there is neither.
std::string FolderPartOf(std::string_view path, const LeadBytes& leadBytes);

// A space or a control character: code 32 or less.
bool IsControlOrSpace(char c);

// Removes every character of code 32 or less from both ends.
std::string TrimControlAndSpace(std::string_view text, const LeadBytes& leadBytes);

// Removes one trailing "\", when the last character is one.
std::string WithoutTrailingBackslash(std::string_view path, const LeadBytes& leadBytes);

std::string JoinPath(std::string_view folder, std::string_view name);
