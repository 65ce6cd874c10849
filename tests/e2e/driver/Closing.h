#pragma once

// Closing a window the ways a user does.
#include <windows.h>

#include <optional>
#include <string>

namespace window_driver {

enum class CloseWay { Escape, AltF4, WindowMenuClose, CloseBox };
const char* ToString(CloseWay way);
std::optional<CloseWay> ParseCloseWay(const std::string& name);
bool CloseBy(HWND window, CloseWay way);
// The close box's centre on the screen, found by hit-testing the caption; empty when none.
std::optional<POINT> CloseBoxPoint(HWND window);

} // namespace window_driver
