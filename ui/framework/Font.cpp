#include "ui/framework/Font.h"

#include <cstring>

#include "ui/framework/Dpi.h"

namespace {

// A face that could not be created falls back to the system's GUI font, every time it is asked.
HFONT OrFallback(const UniqueFont& font) {
    return font.Get() != nullptr ? font.Get()
                                 : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

HFONT FontCache::Get(const FontSpec& design) {
    for (const auto& [known, font] : fonts_) {
        if (known == design) {
            return OrFallback(font);
        }
    }
    LOGFONTA description{};
    description.lfHeight = Scaled(design.Height);
    description.lfWeight = design.Bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = design.CharSet;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    strncpy(description.lfFaceName, design.Face, LF_FACESIZE - 1);
    fonts_.emplace_back(design, UniqueFont(CreateFontIndirectA(&description)));
    return OrFallback(fonts_.back().second);
}
