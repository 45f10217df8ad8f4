#include "line_number_area.h"

#include "varko/maintree/editing/code_editor.h"

#include <QHelpEvent>

namespace varko::maintree {

LineNumberArea::LineNumberArea(CodeEditor* editor) : QWidget(editor), m_editor(editor) {
    setObjectName(QStringLiteral("LineNumbers"));
    setAccessibleName(QStringLiteral("Line numbers"));
}

QSize LineNumberArea::sizeHint() const {
    return QSize(m_editor->gutterWidth(), 0);
}

void LineNumberArea::paintEvent(QPaintEvent* event) {
    m_editor->paintGutter(event);
}

bool LineNumberArea::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    m_editor->showFaultTip(help->globalPos(), help->pos().y(), this);
    return true;
}

} // namespace varko::maintree
