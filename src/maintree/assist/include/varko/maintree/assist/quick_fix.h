#pragma once

#include "varko/language/fix_suggestion.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace varko::maintree {

// Offers existing names for a name the check did not find, on the caret's line: as a small menu
// ("Quick Fix") at the caret, or as actions for the editor's context menu. Choosing one replaces
// the name in one undo step.
class QuickFix : public QObject {
    Q_OBJECT

public:
    QuickFix(QPlainTextEdit* editor, language::FixSources sources, std::function<QString()> documentPath,
             QObject* parent = nullptr);

    // The latest check's findings; the lines they name are read when a fix is asked for.
    void setFindings(std::vector<compiler::Finding> findings);

    std::vector<language::FixSuggestion> suggestionsForLine(int line) const;
    // One action per suggestion for the 1-based line, owned by the parent given.
    QList<QAction*> actionsForLine(int line, QObject* parent);
    // The Quick Fix command: the menu of the caret's line at the caret; nothing to offer is said in
    // the status instead.
    void showMenu();
    // False, and nothing changes, when the line no longer holds the name at that place.
    bool apply(const language::FixSuggestion& suggestion);

    QMenu* menu() const { return m_menu; }

signals:
    void statusMessage(const QString& text);

private:
    QPointer<QPlainTextEdit> m_editor;
    language::FixSources m_sources;
    std::function<QString()> m_documentPath;
    std::vector<compiler::Finding> m_findings;
    QMenu* m_menu = nullptr;
};

} // namespace varko::maintree
