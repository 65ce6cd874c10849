#pragma once

#include <array>
#include <string>

struct StatusLine {
    std::string Text;
    bool Red = false; // drawn in pure red instead of the window-text colour
    bool Visible = true;
};

// What the status window shows. Line 4 is drawn bold.
struct StatusReport {
    std::string Title = "Actualizare";
    std::array<StatusLine, 4> Lines{{{"Linia 1"}, {"Linia 2"}, {"Linia 3"}, {"Linia 4"}}};
};
