#pragma once

#include "varko/compiler/name_list.h"
#include "varko/compiler/property_line.h"

#include <optional>
#include <string>

namespace varko::compiler {

inline constexpr const char* kDeclarationsFile = "declarations.txt";
inline constexpr const char* kIgnoreFilesFile = "ignorefiles.txt";
inline constexpr const char* kPrefsFile = "prefs.ini";
inline constexpr const char* kPropLibFile = "proplib.txt";

// declarations.txt of the program directory (which ends with a separator); nullopt when unreadable.
std::optional<DeclarationTable> LoadDeclarations(const std::string& appDir);

// ignorefiles.txt of the program directory; a missing file is an empty list.
NameList LoadIgnoreFiles(const std::string& appDir);

} // namespace varko::compiler
