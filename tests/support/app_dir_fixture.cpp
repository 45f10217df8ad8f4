#include "app_dir_fixture.h"

#include <QDir>
#include <QFile>

namespace varko::testing {

void AppDirFixture::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("app")));
    m_startDir = QDir::currentPath();
    m_desktop.SetApplicationTitle(QStringLiteral("Varko"));
    // The property library ships beside the program; without it start-up shows an error box.
    WriteFile(AppDir() + QStringLiteral("proplib.txt"), "[craft]\r\nfriendly=Craft\r\nhull=\r\n");
}

void AppDirFixture::TearDown() {
    QDir::setCurrent(m_startDir);
}

QString AppDirFixture::AppDir() const {
    return m_dir.path() + QStringLiteral("/app/");
}

QString AppDirFixture::PathOf(const QString& name) const {
    return m_dir.path() + QLatin1Char('/') + name;
}

void AppDirFixture::WriteFile(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray AppDirFixture::ReadFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void AppDirFixture::WritePrefs(const QByteArray& content) const {
    WriteFile(AppDir() + QStringLiteral("prefs.ini"), content);
}

void AppDirFixture::WriteAcceptedPrefs() const {
    const QByteArray dir = m_dir.path().toUtf8();
    WritePrefs("[Application]\r\nVersion=1.1\r\n[Dirs]\r\nAddon=" + dir + "\r\nSod=" + dir + "\r\n");
}

} // namespace varko::testing
