#pragma once

#include "varko/compiler/check_pipeline.h"
#include "varko/maintree/checkrun/run_button_state.h"
#include "varko/maintree/checkrun/run_update.h"
#include "varko/maintree/worker/worker.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QProgressBar;
class QStatusBar;

namespace varko::maintree {

// The controls a check run drives, all of the main window.
struct CheckRunWidgets {
    // Shows what the Run button offers.
    std::function<void(RunButtonState state)> showRunButton;
    QListWidget* messageList = nullptr;
    QWidget* messageSplitter = nullptr;
    // The progress bar is laid over the check result's panel of this bar.
    QStatusBar* statusBar = nullptr;
    // Writes the check result's panel.
    std::function<void(const QString& text)> showSummary;
    // Receives the listed findings once a run that began has ended, finished, stopped or failed.
    std::function<void(std::vector<compiler::Finding> findings)> showFaults;
};

// What a check run reads. The functions are called on the GUI thread when a run starts; the
// environment must outlive the CheckRun.
struct CheckRunSources {
    // The editor document's raw text (QTextDocument::toRawText), which ends each line with
    // U+2029; one copy is cheap even for a long document, and the worker cuts it into lines.
    std::function<QString()> editorText;
    std::function<QString()> currentFile;
    // Refreshed by the worker at the start of each run.
    compiler::CheckEnvironment* environment = nullptr;
    // The error box.
    std::function<void(const QString& text)> showError;
};

// The Run button's runs: checks a copy of the editor's lines on the worker and shows the
// messages, the progress and the summary as they arrive. The GUI thread applies what arrives in
// slices of a few milliseconds, so a run with a hundred thousand messages never blocks it.
class CheckRun : public QObject {
    Q_OBJECT

public:
    CheckRun(CheckRunWidgets widgets, CheckRunSources sources, QObject* parent = nullptr);
    // Stops a running check and waits for it while the GUI goes on processing events.
    ~CheckRun() override;

    // Starts a run, or asks the running one to stop.
    void startOrStop();
    // From the press that started a run until its summary is shown and its worker has ended.
    bool running() const { return m_runOpen || m_worker.running(); }
    RunButtonState runButtonState() const { return m_buttonState; }

signals:
    // The run's end has been shown: summary, list and button are final.
    void runEnded();

private:
    void takePosted();
    void continueApplying();
    void applyBacklog();
    void continueLater();
    bool clearSomeMessages(const QElapsedTimer& slice);
    void beginRun(int lineCount);
    void appendMessages(const QList<compiler::Finding>& findings);
    void advanceProgress(int lines);
    void finishRun(int messageCount);
    void failRun(const QString& text);
    void closeRun();
    void showButton(RunButtonState state);
    void showMessageList(bool visible);

    std::function<void(RunButtonState)> m_showRunButton;
    QPointer<QListWidget> m_messageList;
    QPointer<QWidget> m_messageSplitter;
    QPointer<QStatusBar> m_statusBar;
    std::function<void(const QString&)> m_showSummary;
    std::function<void(std::vector<compiler::Finding>)> m_showFaults;
    CheckRunSources m_sources;

    Worker<RunUpdate> m_worker;
    // What the GUI thread took from the worker and has not shown yet.
    RunUpdate m_backlog;
    bool m_continueScheduled = false;
    bool m_runOpen = false;
    bool m_closing = false;
    RunButtonState m_buttonState = RunButtonState::Idle;
    QPointer<QProgressBar> m_progress;
    int m_linesPassed = 0;
    // What the list shows of the run that began; nothing before a run began.
    std::optional<std::vector<compiler::Finding>> m_listed;
    QElapsedTimer m_progressShown;
};

} // namespace varko::maintree
