#pragma once

#include "varko/textrules/profile_file.h"

#include <string>
#include <vector>

namespace varko::compiler {

// The sections and keys of prefs.ini, with the defaults that apply when a key is missing.
namespace settings {
inline constexpr const char* kApplication = "Application";
inline constexpr const char* kVersion = "Version";
inline constexpr const char* kVersionDefault = "0";
inline constexpr const char* kDirs = "Dirs";
inline constexpr const char* kAddon = "Addon";
inline constexpr const char* kSod = "Sod";
inline constexpr const char* kDisplay = "Display";
inline constexpr const char* kFontSize = "editorfontsize";
inline constexpr int kFontSizeDefault = 10;
inline constexpr const char* kFont = "editorfont";
inline constexpr const char* kFontDefault = "Courier New";
inline constexpr const char* kWordWrap = "wordwrap";
inline constexpr bool kWordWrapDefault = false;
inline constexpr const char* kWindow = "Window";
// What the editor checks by itself: while the user types, and across files.
inline constexpr const char* kChecking = "Checking";
inline constexpr const char* kLiveCheck = "LiveCheck";
inline constexpr bool kLiveCheckDefault = true;
inline constexpr const char* kExtraChecks = "ExtraChecks";
inline constexpr bool kExtraChecksDefault = true;
} // namespace settings

struct GameDirs {
    std::string addon;
    std::string sod;
};

// [Dirs] Addon and Sod; each defaults to the program directory when its key is missing.
GameDirs ReadGameDirs(const textrules::TIniFile& prefs, const std::string& appDir);

} // namespace varko::compiler
