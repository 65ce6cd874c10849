#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/framework/GdiObjects.h"

// A font as the layouts give it: face, height in 96-dpi pixels (negative: character height),
// weight and character set.
struct FontSpec {
    const char* Face = "MS Sans Serif";
    int Height = -11;
    bool Bold = false;
    BYTE CharSet = DEFAULT_CHARSET;

    bool operator==(const FontSpec& other) const {
        return std::string(Face) == other.Face && Height == other.Height && Bold == other.Bold &&
               CharSet == other.CharSet;
    }
};

// The fonts one window uses, each created once at the screen's scale and kept for the window's
// whole life.
class FontCache {
  public:
    HFONT Get(const FontSpec& design);

  private:
    std::vector<std::pair<FontSpec, UniqueFont>> fonts_;
};
