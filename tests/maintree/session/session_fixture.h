#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}

namespace varko::maintree::testing {

// A program directory of its own for each test.
class SessionFixture : public ::testing::Test {
protected:
    QString AppDir() const { return m_dir.path(); }
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QString WriteFile(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& path) const;
    // The file names in a folder, hidden ones included, sorted.
    static QStringList NamesIn(const QString& folder);
    // Processes events until `done` holds or the time is up; the result is `done()`.
    static bool WaitFor(const std::function<bool()>& done, int ms = 5000);

private:
    QTemporaryDir m_dir;
};

// Every byte from 0 to 255, once each.
QByteArray AllBytes();

} // namespace varko::maintree::testing
