#include "dialog_fixture.h"

#include "varko/maintree/window/startup_settings.h"

#include <QDir>
#include <QFile>

namespace varko::testing {

namespace {

std::vector<std::string> KeysOf(const textrules::TIniFile& prefs) {
    std::vector<std::string> keys;
    textrules::LineList sections, names;
    prefs.ListSections(sections);
    for (const std::string& section : sections) {
        prefs.ListKeys(section, names);
        for (const std::string& name : names)
            keys.push_back(section + "." + name);
    }
    return keys;
}

} // namespace

void WatchingDesktop::ShowError(const QString& text) {
    openWhenShown.push_back(watched && watched->isVisible());
    ScriptedDesktop::ShowError(text);
}

void WatchingDesktop::ShowException(const QString& caption, const QString& text) {
    openWhenShown.push_back(watched && watched->isVisible());
    ScriptedDesktop::ShowException(caption, text);
}

void Program::Note(const char* change) {
    std::string entry = std::string(change) + " |";
    for (const std::string& key : KeysOf(m_prefs))
        entry += " " + key;
    journal.push_back(entry);
}

void Program::refreshCatalogues() {
    Note("refreshCatalogues");
    maintree::RefreshCatalogues(environment, dirs, m_desktop);
}

void DialogFixture::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    m_startDir = QDir::currentPath();
    // The catalogues start on the current directory: make it one of the test's own.
    QDir::setCurrent(m_dir.path());
    m_appDir = m_dir.path() + QStringLiteral("/program dir/");
    ASSERT_TRUE(QDir().mkpath(m_appDir));
    m_prefs = std::make_unique<textrules::TIniFile>(PrefsPath().toStdString());
    m_program = std::make_unique<Program>(m_desktop, *m_prefs);
    m_program->dirs = {MakeDir(QStringLiteral("addon")), MakeDir(QStringLiteral("sod"))};
}

void DialogFixture::TearDown() {
    QDir::setCurrent(m_startDir);
}

std::string DialogFixture::MakeDir(const QString& name) const {
    const QString path = m_dir.path() + QLatin1Char('/') + name;
    QDir().mkpath(path);
    return path.toStdString();
}

void DialogFixture::WritePrefs(const QByteArray& bytes) const {
    QFile file(PrefsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::vector<std::string> DialogFixture::StoredKeys() const {
    return KeysOf(*m_prefs);
}

std::string DialogFixture::Stored(const char* section, const char* key) const {
    return m_prefs->ReadText(section, key, "<missing>");
}

QStringList DialogFixture::Shown(platform::ScriptedDesktop::Kind kind) const {
    QStringList texts;
    for (const auto& shown : m_desktop.Of(kind))
        texts << shown.text;
    return texts;
}

} // namespace varko::testing
