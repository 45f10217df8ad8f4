#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace varko::platform {

// The program's version record: a fixed four-part number and optional string entries.
struct VersionRecord {
    std::array<std::uint16_t, 4> fixed{};
    QString productVersion;
    QString fileVersion;
};

// The string entry when it is present and not empty, else the fixed number as "%d.%d.%d.%d".
QString VersionText(const QString& entry, const std::array<std::uint16_t, 4>& fixed);

// The record compiled into this program.
const VersionRecord& ProgramVersion();

// "1.1" and "1.1.1.9" in this release.
QString ProductVersion();
QString FileVersion();

} // namespace varko::platform
