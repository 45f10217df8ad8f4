#include "app_dirs.h"

#include "varko/textrules/program_dirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace varko::app {

namespace {

// Qt 6.4 has no state location: $XDG_STATE_HOME, by default ~/.local/state.
QString UserStateFolder() {
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base =
        QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
    return QDir(base).filePath(QCoreApplication::applicationName());
}

} // namespace

AppDirs ResolveAppDirs(const QString& executableDir) {
    const std::optional<std::string> installed =
        textrules::InstalledDataDirectory(QFile::encodeName(executableDir).toStdString());
    if (!installed)
        return {executableDir, executableDir, {}, {}};
    const QString settings = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString recovery = QDir(UserStateFolder()).filePath(QStringLiteral("recovery"));
    QDir().mkpath(settings);
    QDir().mkpath(recovery);
    return {QFile::decodeName(installed->c_str()), settings, recovery,
            QDir::cleanPath(executableDir + QStringLiteral("/../share/doc/varko")) + QLatin1Char('/')};
}

} // namespace varko::app
