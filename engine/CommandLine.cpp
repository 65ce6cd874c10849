#include "engine/CommandLine.h"

#include "engine/Paths.h"

std::vector<std::string> SplitParameters(std::string_view commandLine) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (true) {
        while (i < commandLine.size() && IsControlOrSpace(commandLine[i])) {
            ++i;
        }
        if (i == commandLine.size()) {
            break;
        }
        // An empty pair of quotes is still a parameter, just an empty one.
        std::string token;
        bool quoted = false;
        for (; i < commandLine.size() && (quoted || !IsControlOrSpace(commandLine[i])); ++i) {
            if (commandLine[i] == '"') {
                quoted = !quoted;
            } else {
                token += commandLine[i];
            }
        }
        tokens.push_back(std::move(token));
    }
    if (!tokens.empty()) {
        tokens.erase(tokens.begin()); // the program's own name
    }
    return tokens;
}
