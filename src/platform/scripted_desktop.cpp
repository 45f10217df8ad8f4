#include "varko/platform/scripted_desktop.h"

#include <QFileInfo>

namespace varko::platform {

void ScriptedDesktop::QueueAnswer(Answer answer) {
    m_answers.push_back(answer);
}

void ScriptedDesktop::QueueChoice(int index) {
    m_buttons.push_back(index);
}

void ScriptedDesktop::QueueFileChoice(const QString& path, int filterIndex) {
    m_choices.push_back({path, filterIndex});
}

void ScriptedDesktop::QueueDialogCancel() {
    m_choices.push_back({std::nullopt, 0});
}

std::vector<ScriptedDesktop::Shown> ScriptedDesktop::Of(Kind kind) const {
    std::vector<Shown> found;
    for (const Shown& shown : m_shown) {
        if (shown.kind == kind)
            found.push_back(shown);
    }
    return found;
}

void ScriptedDesktop::ShowError(const QString& text) {
    m_shown.push_back({Kind::Error, QStringLiteral("Error"), text, {}, {}, -1});
}

void ScriptedDesktop::ShowException(const QString& caption, const QString& text) {
    m_shown.push_back({Kind::Exception, caption, text, {}, {}, -1});
}

Answer ScriptedDesktop::Confirm(const QString& caption, const QString& text) {
    m_shown.push_back({Kind::Confirm, caption, text, {}, {}, -1});
    if (m_answers.empty())
        return Answer::Cancel;
    Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

int ScriptedDesktop::Choose(const QString& caption, const QString& text, const QStringList& buttons,
                            int defaultButton) {
    m_shown.push_back({Kind::Choose, caption, text, {}, buttons, defaultButton});
    if (m_buttons.empty())
        return -1;
    const int index = m_buttons.front();
    m_buttons.pop_front();
    return index;
}

bool ScriptedDesktop::AnswerDialog(Kind kind, FileDialog& dialog) {
    m_shown.push_back({kind, QString(), QString(), dialog, {}, -1});
    if (m_choices.empty())
        return false;
    Choice choice = m_choices.front();
    m_choices.pop_front();
    if (!choice.path)
        return false;
    dialog.fileName = *choice.path;
    dialog.folder = QFileInfo(*choice.path).absolutePath();
    if (choice.filterIndex > 0)
        dialog.filterIndex = choice.filterIndex;
    return true;
}

bool ScriptedDesktop::ExecuteOpen(QWidget*, FileDialog& dialog) {
    return AnswerDialog(Kind::OpenDialog, dialog);
}

bool ScriptedDesktop::ExecuteSave(QWidget*, FileDialog& dialog) {
    return AnswerDialog(Kind::SaveDialog, dialog);
}

void ScriptedDesktop::OpenTarget(const QString& target) {
    m_shown.push_back({Kind::OpenTarget, QString(), target, {}, {}, -1});
}

} // namespace varko::platform
