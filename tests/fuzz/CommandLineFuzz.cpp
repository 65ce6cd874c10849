// Fuzzes the command-line splitter with raw command lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "engine/CommandLine.h"

namespace {

bool IsSeparator(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view commandLine(reinterpret_cast<const char*>(data), size);
    const auto parameters = SplitParameters(commandLine);

    // The program's name and every parameter after it take a character, with a separator
    // between each two, and no character is used twice.
    FUZZ_CHECK(parameters.size() <= size / 2);
    std::size_t characters = 0;
    for (const auto& parameter : parameters) {
        FUZZ_CHECK(parameter.find('"') == std::string::npos);
        characters += parameter.size();
    }
    FUZZ_CHECK(characters <= size);

    // Without quotes, parameters are the runs between separators: never empty, never holding one.
    if (commandLine.find('"') == std::string_view::npos) {
        for (const auto& parameter : parameters) {
            FUZZ_CHECK(!parameter.empty());
            for (char c : parameter) {
                FUZZ_CHECK(!IsSeparator(c));
            }
        }
    }

    // Each parameter quoted again reads back as itself, whatever separators it holds.
    std::string requoted = "u.exe";
    for (const auto& parameter : parameters) {
        requoted += " \"" + parameter + "\"";
    }
    FUZZ_CHECK(SplitParameters(requoted) == parameters);
    return 0;
}
