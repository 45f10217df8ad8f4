#include "varko/maintree/assist/hover_tips.h"

#include "editor_line.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QToolTip>

namespace varko::maintree {

HoverTips::HoverTips(QPlainTextEdit* editor, language::HoverSources sources,
                     std::function<QString()> documentPath, std::function<QString(int)> faultText,
                     QObject* parent)
    : QObject(parent), m_editor(editor), m_sources(std::move(sources)),
      m_documentPath(std::move(documentPath)), m_faultText(std::move(faultText)) {
    editor->viewport()->installEventFilter(this);
}

QString HoverTips::textAt(const QPoint& viewportPosition) const {
    if (!m_editor)
        return {};
    const QTextCursor cursor = m_editor->cursorForPosition(viewportPosition);
    // Past the end of a short line the nearest caret position is its end: nothing is under the mouse.
    if (!m_editor->cursorRect(cursor).adjusted(-8, 0, 8, 0).contains(viewportPosition))
        return m_faultText ? m_faultText(cursor.blockNumber()) : QString();
    const CaretLine line = CaretLineOf(cursor);
    const QString path = m_documentPath ? m_documentPath() : QString();
    const QString tip = QString::fromLatin1(
        language::HoverText(line.text, line.column, compiler::KindOfPath(path.toStdString()), m_sources));
    const QString faults = m_faultText ? m_faultText(line.lineIndex) : QString();
    if (faults.isEmpty() || tip.isEmpty())
        return faults + tip;
    return faults + QLatin1Char('\n') + tip;
}

bool HoverTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !m_editor || watched != m_editor->viewport())
        return QObject::eventFilter(watched, event);
    const auto& help = static_cast<QHelpEvent&>(*event);
    const QString text = textAt(help.pos());
    if (text.isEmpty())
        return QObject::eventFilter(watched, event);
    QToolTip::showText(help.globalPos(), text, m_editor->viewport());
    return true;
}

} // namespace varko::maintree
