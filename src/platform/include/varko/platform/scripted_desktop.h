#pragma once

#include "varko/platform/desktop.h"

#include <deque>
#include <optional>
#include <vector>

namespace varko::platform {

// A desktop for tests: records every box and dialog it is asked to show and answers from queues
// filled beforehand. It never blocks; an unexpected question is answered with Cancel.
class ScriptedDesktop : public Desktop {
public:
    enum class Kind { Error, Exception, Confirm, Choose, OpenDialog, SaveDialog, OpenTarget };

    struct Shown {
        Kind kind;
        QString caption;
        QString text;
        // The dialog as it was when shown (for the two file dialogs).
        FileDialog dialog;
        // The buttons offered and the default one (for Choose).
        QStringList buttons;
        int defaultButton = -1;
    };

    // The next confirmation box gets this answer.
    void QueueAnswer(Answer answer);
    // The next Choose box returns this index (-1: closed without a button).
    void QueueChoice(int index);
    // The next file dialog returns this path; filterIndex 0 keeps the dialog's own.
    void QueueFileChoice(const QString& path, int filterIndex = 0);
    void QueueDialogCancel();

    const std::vector<Shown>& History() const { return m_shown; }
    void ClearHistory() { m_shown.clear(); }
    std::vector<Shown> Of(Kind kind) const;
    // Answers that were queued but never asked for.
    std::size_t PendingAnswers() const { return m_answers.size() + m_choices.size() + m_buttons.size(); }

    void ShowError(const QString& text) override;
    void ShowException(const QString& caption, const QString& text) override;
    Answer Confirm(const QString& caption, const QString& text) override;
    int Choose(const QString& caption, const QString& text, const QStringList& buttons,
               int defaultButton) override;
    bool ExecuteOpen(QWidget* parent, FileDialog& dialog) override;
    bool ExecuteSave(QWidget* parent, FileDialog& dialog) override;
    void OpenTarget(const QString& target) override;

private:
    struct Choice {
        std::optional<QString> path;
        int filterIndex = 0;
    };

    bool AnswerDialog(Kind kind, FileDialog& dialog);

    std::vector<Shown> m_shown;
    std::deque<Answer> m_answers;
    std::deque<Choice> m_choices;
    std::deque<int> m_buttons;
};

} // namespace varko::platform
