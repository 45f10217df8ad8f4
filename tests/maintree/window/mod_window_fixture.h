#pragma once

#include "app_fixture.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/mod_features.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace varko::maintree {

// The main window over a small mod: declarations, the property library, and ODF and tech-tree
// files in the addon directory (the test's own directory).
class ModWindowFixture : public testing::AppFixture {
protected:
    void SetUp() override;

    // Writes the mod's files; call before Start to change them.
    void WriteModFile(const char* name, const QByteArray& bytes) const;
    // Builds and shows the window, active, with the editor focused.
    void Start(const QStringList& arguments = {});
    // Opens a file of the addon directory as Open does.
    void Open(const char* name) const;
    // The status bar's passing message.
    QString StatusMessage() const;
    // The messages of the 1-based line's fault marks.
    QString MarksOfLine(int line) const;
    // Waits until the live check has delivered, after the latest edit, and the marks are in.
    bool WaitForLiveCheck(int deliveries = 1) const;

    ModFeatures& Features() const { return m_window->modFeatures(); }
    EditorPane& Editor() const;

    std::unique_ptr<MainWindow> m_window;
};

} // namespace varko::maintree
