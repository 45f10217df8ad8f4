#pragma once

#include "varko/compiler/check_pipeline.h"
#include "varko/maintree/run_mailbox.h"
#include "varko/maintree/worker_thread.h"
#include "varko/textrules/text_rules.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <string>

class QAction;
class QListWidget;
class QProgressBar;
class QStatusBar;

namespace varko::maintree {

// The controls a check run drives, all of the main window.
struct CheckRunWidgets {
    QAction* tb_Run = nullptr;
    // Shows picture 3 (idle) or 6 (running) of the toolbar's images on tb_Run.
    std::function<void(int imageIndex)> setRunImage;
    QListWidget* MsgList = nullptr;
    QWidget* Splitedit = nullptr;
    // The progress bar is laid over panel 1 of this bar.
    QStatusBar* StatusBar = nullptr;
    // Writes status panel 1.
    std::function<void(const QString& text)> setSummary;
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

// The Run button's runs: checks a copy of the editor's lines on the worker Runthd and shows the
// messages, the progress and the summary as they arrive. The GUI thread applies what arrives in
// slices of a few milliseconds, so a run with a hundred thousand messages never blocks it.
class CheckRun : public QObject {
    Q_OBJECT

public:
    static constexpr int kImageIdle = 3;
    static constexpr int kImageRunning = 6;

    CheckRun(CheckRunWidgets widgets, CheckRunSources sources, QObject* parent = nullptr);
    // Stops a running check and waits for it while the GUI goes on processing events.
    ~CheckRun() override;

    // Starts a run, or asks the running one to stop.
    void tb_RunClick();
    // From the press that started a run until its summary is shown and its worker has ended.
    bool Running() const { return m_runOpen || Runthd.Running(); }
    int RunImageIndex() const { return m_imageIndex; }

signals:
    // The run's end has been shown: summary, list and button are final.
    void RunEnded();

private:
    // A run's inputs, copied on the GUI thread before the worker starts and only read by it.
    struct Job {
        QString text;
        std::string currentFile;
    };

    void RunthdExecute(const std::atomic<bool>& stop);
    void TakePosted();
    void ContinueApplying();
    void ApplyBacklog();
    void ContinueLater();
    bool ClearSomeMessages(const QElapsedTimer& slice);
    void BeginRun(int lineCount);
    void AppendMessages(const QList<compiler::Finding>& findings);
    void AdvanceProgress(int lines);
    void FinishRun(int messageCount);
    void FailRun(const QString& text);
    void CloseRun();
    void SetButton(int imageIndex, const QString& hint);
    void ShowMessageList(bool visible);

    QPointer<QAction> m_tbRun;
    std::function<void(int)> m_setRunImage;
    QPointer<QListWidget> m_msgList;
    QPointer<QWidget> m_splitedit;
    QPointer<QStatusBar> m_statusBar;
    std::function<void(const QString&)> m_setSummary;
    CheckRunSources m_sources;

    Job m_job;
    RunMailbox m_mailbox;
    WorkerThread Runthd;

    // What the GUI thread took from the mailbox and has not shown yet.
    RunUpdate m_backlog;
    bool m_continueScheduled = false;
    bool m_runOpen = false;
    bool m_closing = false;
    int m_imageIndex = kImageIdle;
    QPointer<QProgressBar> m_progress;
    int m_linesPassed = 0;
    QElapsedTimer m_progressShown;
};

} // namespace varko::maintree
