#pragma once

#include "engine/Version.h"

// Ties this updater to the one program it updates. The carried version comes from the build,
// together with the carried executable, so both change in one configure line.
#ifndef UPDATER_CARRIED_VERSION_TENTHOUSANDTHS
#define UPDATER_CARRIED_VERSION_TENTHOUSANDTHS 10029
#endif

namespace product {

inline constexpr const char* ProductDisplayName = "Zentor - Calvex";
inline constexpr const char* ProductExeName = "ZentorCalvex.exe";
// "dII": a lower-case d and two capital I, not "dll".
inline constexpr const char* SettingsFileName = "XQZ.dII";
inline constexpr const char* SettingsSection = "94";
inline constexpr Version CarriedVersion{UPDATER_CARRIED_VERSION_TENTHOUSANDTHS};

inline constexpr const char* PayloadResourceType = "AF";
inline constexpr const char* PayloadResourceName = "UpGrade";

// Held by a running updater, so a second one started meanwhile touches nothing.
inline constexpr const char* SingleInstanceName = "ActualizareZentorCalvex.Ruleaza";

} // namespace product
