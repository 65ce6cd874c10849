#include "tests/e2e/driver/UserSettings.h"

#include <utility>

#include "common/UniqueResource.h"

namespace window_driver {

namespace {

struct RegistryKeyTraits : NullMeansEmpty<HKEY> {
    static void Free(HKEY key) { RegCloseKey(key); }
};

using UniqueRegistryKey = UniqueResource<RegistryKeyTraits>;

// The key under HKEY_CURRENT_USER, created when missing; empty when neither works.
UniqueRegistryKey OpenUserKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return UniqueRegistryKey(key);
}

} // namespace

UserSettingOverride::UserSettingOverride(std::string key, std::string name, DWORD type,
                                         std::vector<BYTE> value)
    : key_(std::move(key)), name_(std::move(name)) {
    const UniqueRegistryKey opened = OpenUserKey(key_);
    if (!opened.Valid()) {
        return;
    }
    Value previous;
    DWORD size = 0;
    if (RegQueryValueExA(opened.Get(), name_.c_str(), nullptr, &previous.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        previous.bytes.resize(size);
        RegQueryValueExA(opened.Get(), name_.c_str(), nullptr, &previous.type,
                         previous.bytes.data(), &size);
        previous_ = std::move(previous);
    }
    RegSetValueExA(opened.Get(), name_.c_str(), 0, type, value.data(),
                   static_cast<DWORD>(value.size()));
}

UserSettingOverride::~UserSettingOverride() {
    const UniqueRegistryKey opened = OpenUserKey(key_);
    if (!opened.Valid()) {
        return;
    }
    if (previous_) {
        RegSetValueExA(opened.Get(), name_.c_str(), 0, previous_->type, previous_->bytes.data(),
                       static_cast<DWORD>(previous_->bytes.size()));
    } else {
        RegDeleteValueA(opened.Get(), name_.c_str());
    }
}

WineDrawsFrames::WineDrawsFrames()
    : UserSettingOverride("Software\\Wine\\X11 Driver", "Decorated", REG_SZ, {'N', 0}) {}

ScreenDpi::ScreenDpi(DWORD dotsPerInch)
    : UserSettingOverride("Control Panel\\Desktop", "LogPixels", REG_DWORD,
                          std::vector<BYTE>(reinterpret_cast<const BYTE*>(&dotsPerInch),
                                            reinterpret_cast<const BYTE*>(&dotsPerInch + 1))) {}

} // namespace window_driver
