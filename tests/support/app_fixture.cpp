#include "app_fixture.h"

#include <QDir>
#include <QFile>

namespace varko::testing {

void AppFixture::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("app")));
    m_startDir = QDir::currentPath();
    m_desktop.SetApplicationTitle(QStringLiteral("Varko"));
    // The property library ships beside the program; without it start-up shows an error box.
    WriteFile(AppDir() + QStringLiteral("proplib.txt"), "[craft]\r\nfriendly=Craft\r\nhull=\r\n");
}

void AppFixture::TearDown() {
    QDir::setCurrent(m_startDir);
}

QString AppFixture::AppDir() const {
    return m_dir.path() + QStringLiteral("/app/");
}

QString AppFixture::PathOf(const QString& name) const {
    return m_dir.path() + QLatin1Char('/') + name;
}

void AppFixture::WriteFile(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray AppFixture::ReadFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void AppFixture::WritePrefs(const QByteArray& content) const {
    WriteFile(AppDir() + QStringLiteral("prefs.ini"), content);
}

void AppFixture::WriteAcceptedPrefs() const {
    const QByteArray dir = m_dir.path().toUtf8();
    WritePrefs("[Application]\r\nVersion=1.1\r\n[Dirs]\r\nAddon=" + dir + "\r\nSod=" + dir + "\r\n");
}

std::unique_ptr<maintree::TForm1> AppFixture::MakeForm(const QStringList& arguments) {
    return std::make_unique<maintree::TForm1>(m_desktop, maintree::StartupOptions{AppDir(), arguments});
}

} // namespace varko::testing
