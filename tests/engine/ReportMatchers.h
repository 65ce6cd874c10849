#pragma once

#include <string>
#include <vector>

#include "engine/StatusReport.h"

// A report as one readable line per status line: "-" hidden, "!" red, " " normal.
inline std::vector<std::string> Lines(const StatusReport& report) {
    std::vector<std::string> lines;
    for (const auto& line : report.Lines) {
        lines.push_back(!line.Visible ? "-" : (line.Red ? "! " : "  ") + line.Text);
    }
    return lines;
}
