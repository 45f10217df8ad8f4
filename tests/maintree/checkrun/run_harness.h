#pragma once

#include "varko/compiler/check_pipeline.h"
#include "varko/maintree/checkrun/check_run.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/status_panels.h"
#include "varko/platform/scripted_desktop.h"

#include <QAction>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace varko::testing {

// The main window's parts that a check run drives, wired as the main window wires them, over a
// program directory of the test's own (declarations.txt and ignorefiles.txt from data/) and the
// sample mod's addon and SOD directories.
class RunHarness : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static QString SourcePath(const QString& relative);
    QString AppDir() const { return m_dir.filePath(QStringLiteral("app/")); }
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    void WriteFile(const QString& path, const QByteArray& bytes) const;
    void SetText(const QStringList& lines);

    // Waits until the run has shown its end and its worker has ended.
    void WaitIdle();
    QStringList Messages() const;
    // What the same check gives when called directly on the lines, through the same environment.
    QStringList ExpectedMessages(const QStringList& lines, const std::string& currentFile);

    QWidget m_host;
    maintree::EditorPane* m_editor = nullptr;
    QListWidget* m_messageList = nullptr;
    QWidget* m_messageSplitter = nullptr;
    maintree::StatusPanels* m_status = nullptr;
    // The Run button, shown as the toolbar shows it, and each state it was shown in.
    QAction* m_runButton = nullptr;
    std::vector<maintree::RunButtonState> m_buttonStates;
    // The messages of the findings each ended run handed over for the editor's fault marks.
    std::vector<QStringList> m_faultsHanded;
    QString m_currentFile = QStringLiteral("Untitled.odf");
    std::unique_ptr<compiler::CheckEnvironment> m_environment;
    platform::ScriptedDesktop m_desktop;
    std::unique_ptr<maintree::CheckRun> m_run;

private:
    QTemporaryDir m_dir;
    QString m_startDir;
};

} // namespace varko::testing
