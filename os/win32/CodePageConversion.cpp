#include "os/win32/CodePageConversion.h"

#ifndef WC_ERR_INVALID_CHARS
#define WC_ERR_INVALID_CHARS 0x80
#endif

namespace {

bool TakesNoFlags(UINT codePage) {
    return (codePage >= 50220 && codePage <= 50229) || codePage == 52936 ||
           (codePage >= 57002 && codePage <= 57011) || codePage == 65000 || codePage == 42;
}

} // namespace

StrictConversionFlags StrictConversionFlagsFor(UINT codePage) {
    if (codePage == CP_UTF8 || codePage == 54936) {
        return {MB_ERR_INVALID_CHARS, WC_ERR_INVALID_CHARS, false};
    }
    if (TakesNoFlags(codePage)) {
        return {0, 0, false};
    }
    return {MB_ERR_INVALID_CHARS, WC_NO_BEST_FIT_CHARS, true};
}

std::optional<std::wstring> ToWideExactly(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return std::wstring{};
    }
    const DWORD flags = StrictConversionFlagsFor(codePage).toWide;
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        return std::nullopt;
    }
    std::wstring wide(wideLength, L'\0');
    if (MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), wideLength) !=
        wideLength) {
        return std::nullopt;
    }
    return wide;
}

std::optional<std::string> FromWideExactly(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) {
        return std::string{};
    }
    const StrictConversionFlags flags = StrictConversionFlagsFor(codePage);
    BOOL usedDefault = FALSE;
    BOOL* reportUsedDefault = flags.reportsDefaultCharacter ? &usedDefault : nullptr;
    const int wideLength = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, flags.fromWide, wide.data(), wideLength,
                                           nullptr, 0, nullptr, reportUsedDefault);
    if (length <= 0) {
        return std::nullopt;
    }
    std::string text(length, '\0');
    if (WideCharToMultiByte(codePage, flags.fromWide, wide.data(), wideLength, text.data(), length,
                            nullptr, reportUsedDefault) != length ||
        usedDefault) {
        return std::nullopt;
    }
    // Where no default character can be reported, the way back shows a lost one.
    if (ToWideExactly(codePage, text) != std::wstring{wide}) {
        return std::nullopt;
    }
    return text;
}
