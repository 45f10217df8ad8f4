#include "varko/platform/version_info.h"

#include "version_numbers.h"

#include <QStringLiteral>

namespace varko::platform {

QString VersionText(const QString& entry, const std::array<std::uint16_t, 4>& fixed) {
    if (!entry.isEmpty())
        return entry;
    return QStringLiteral("%1.%2.%3.%4").arg(fixed[0]).arg(fixed[1]).arg(fixed[2]).arg(fixed[3]);
}

const VersionRecord& ProgramVersion() {
    // The product is named by its major and minor number only; the file carries all four.
    static const VersionRecord record{
        {VARKO_VERSION_MAJOR, VARKO_VERSION_MINOR, VARKO_VERSION_PATCH, VARKO_VERSION_TWEAK},
        QStringLiteral("%1.%2").arg(VARKO_VERSION_MAJOR).arg(VARKO_VERSION_MINOR),
        QString(),
    };
    return record;
}

QString ProductVersion() {
    return VersionText(ProgramVersion().productVersion, ProgramVersion().fixed);
}

QString FileVersion() {
    return VersionText(ProgramVersion().fileVersion, ProgramVersion().fixed);
}

} // namespace varko::platform
