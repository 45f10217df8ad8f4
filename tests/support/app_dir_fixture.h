#pragma once

#include "qstring_printer.h"
#include "varko/platform/scripted_desktop.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace varko::testing {

// A program directory of its own for each test, with the scripted desktop. The current
// directory, which the catalogues move, is put back afterwards.
class AppDirFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program directory, with its trailing separator.
    QString AppDir() const;
    // A path inside the test's own directory (beside the program directory).
    QString PathOf(const QString& name) const;
    void WriteFile(const QString& path, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& path) const;
    void WritePrefs(const QByteArray& content) const;
    // prefs.ini as accepted by this version, both game directories at the test's directory.
    void WriteAcceptedPrefs() const;

    platform::ScriptedDesktop m_desktop;

private:
    QTemporaryDir m_dir;
    QString m_startDir;
};

} // namespace varko::testing
