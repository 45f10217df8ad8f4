#include "varko/maintree/assist/quick_fix.h"

#include "editor_line.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>

namespace varko::maintree {

QuickFix::QuickFix(QPlainTextEdit* editor, language::FixSources sources,
                   std::function<QString()> documentPath, QObject* parent)
    : QObject(parent), m_editor(editor), m_sources(std::move(sources)),
      m_documentPath(std::move(documentPath)), m_menu(new QMenu(editor)) {
    m_menu->setObjectName(QStringLiteral("quickFixMenu"));
    m_menu->setTitle(QStringLiteral("Quick Fix"));
    m_menu->setAccessibleName(QStringLiteral("Quick Fix"));
}

void QuickFix::setFindings(std::vector<compiler::Finding> findings) {
    m_findings = std::move(findings);
}

std::vector<language::FixSuggestion> QuickFix::suggestionsForLine(int line) const {
    const QTextBlock block = m_editor ? m_editor->document()->findBlockByNumber(line - 1) : QTextBlock();
    if (!block.isValid())
        return {};
    const QString path = m_documentPath ? m_documentPath() : QString();
    return language::FixesForLine(m_findings, line, LineBytes(block),
                                  compiler::KindOfPath(QFile::encodeName(path).toStdString()), m_sources);
}

QList<QAction*> QuickFix::actionsForLine(int line, QObject* parent) {
    QList<QAction*> actions;
    for (const language::FixSuggestion& suggestion : suggestionsForLine(line)) {
        auto* action = new QAction(QString::fromLatin1(suggestion.title), parent);
        connect(action, &QAction::triggered, this, [this, suggestion] { apply(suggestion); });
        actions << action;
    }
    return actions;
}

void QuickFix::showMenu() {
    if (!m_editor)
        return;
    m_menu->clear();
    const QList<QAction*> actions = actionsForLine(m_editor->textCursor().blockNumber() + 1, m_menu);
    if (actions.isEmpty()) {
        emit statusMessage(QStringLiteral("No quick fix for this line"));
        return;
    }
    m_menu->addActions(actions);
    m_menu->setActiveAction(actions.front());
    const QRect caret = m_editor->cursorRect();
    m_menu->popup(m_editor->viewport()->mapToGlobal(caret.bottomLeft()));
}

bool QuickFix::apply(const language::FixSuggestion& suggestion) {
    const QTextBlock block =
        m_editor ? m_editor->document()->findBlockByNumber(suggestion.line - 1) : QTextBlock();
    const std::string text = block.isValid() ? LineBytes(block) : std::string();
    if (!block.isValid() || text.size() < suggestion.start + suggestion.original.size() ||
        text.compare(suggestion.start, suggestion.original.size(), suggestion.original) != 0) {
        emit statusMessage(QStringLiteral("The line has changed since the check"));
        return false;
    }
    QTextCursor cursor(block);
    cursor.beginEditBlock();
    cursor.setPosition(block.position() + static_cast<int>(suggestion.start));
    cursor.setPosition(cursor.position() + static_cast<int>(suggestion.original.size()),
                       QTextCursor::KeepAnchor);
    cursor.insertText(QString::fromLatin1(suggestion.replacement));
    cursor.endEditBlock();
    m_editor->setTextCursor(cursor);
    return true;
}

} // namespace varko::maintree
