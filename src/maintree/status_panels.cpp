#include "varko/maintree/status_panels.h"

#include "varko/maintree/editor/editor_pane.h"

#include <QLabel>

namespace varko::maintree {

namespace {

constexpr std::array<int, 3> kPanelWidths = {50, 150, 50};
const std::array<const char*, 3> kPanelNames = {"Position", "Check result", "Modified state"};

} // namespace

QString PositionText(int line, int column) {
    return QStringLiteral("%1: %2").arg(line, 3).arg(column, 3);
}

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    setAccessibleName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(false);
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        auto* panel = new QLabel(this);
        // The text is what a screen reader speaks; the description says which panel it is.
        panel->setAccessibleDescription(QString::fromLatin1(kPanelNames[i]));
        panel->setTextFormat(Qt::PlainText);
        panel->setMinimumWidth(kPanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        // The last panel takes the rest of the bar's width.
        addWidget(panel, i + 1 == m_panels.size() ? 1 : 0);
        m_panels[i] = panel;
    }
}

QString StatusPanels::PanelText(int index) const {
    return Panel(index)->text();
}

void StatusPanels::SetPanelText(int index, const QString& text) {
    Panel(index)->setText(text);
}

void ShowCaretStatus(const EditorPane& editor, StatusPanels& status) {
    const int end = editor.selEnd();
    const int caretLine = editor.lineOfPosition(editor.textCursor().position());
    const int column = end - editor.startOfLine(caretLine);
    status.SetPanelText(0, PositionText(editor.lineOfPosition(end) + 1, column + 1));
    status.SetPanelText(2, editor.isModified() ? QStringLiteral("Modified") : QString());
}

} // namespace varko::maintree
