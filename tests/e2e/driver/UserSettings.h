#pragma once

// Settings of the Wine prefix's user, changed for the programs a test starts.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace window_driver {

// One value under HKEY_CURRENT_USER set for the programs started while this lives; the
// previous value is put back (or removed) at the end.
class UserSettingOverride {
  public:
    UserSettingOverride(std::string key, std::string name, DWORD type, std::vector<BYTE> value);
    ~UserSettingOverride();
    UserSettingOverride(const UserSettingOverride&) = delete;
    UserSettingOverride& operator=(const UserSettingOverride&) = delete;

  private:
    struct Value {
        DWORD type = 0;
        std::vector<BYTE> bytes;
    };
    std::string key_;
    std::string name_;
    std::optional<Value> previous_;
};

// Under Wine without a window manager, frames (caption, close box) are left to a window manager
// that is not there; while this lives, programs started from then on have Wine draw them.
class WineDrawsFrames : public UserSettingOverride {
  public:
    WineDrawsFrames();
};

// The screen's pixels per inch for programs started while this lives.
class ScreenDpi : public UserSettingOverride {
  public:
    explicit ScreenDpi(DWORD dotsPerInch);
};

} // namespace window_driver
