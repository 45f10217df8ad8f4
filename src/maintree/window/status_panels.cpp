#include "varko/maintree/window/status_panels.h"

#include "varko/maintree/editor/editor_pane.h"

#include <QLabel>
#include <QTimer>

namespace varko::maintree {

namespace {

constexpr std::array<int, 4> kPanelWidths = {50, 150, 50, 50};
const std::array<const char*, 4> kPanelNames = {"Position", "Check result", "Modified state",
                                                "Fault at caret"};

} // namespace

QString PositionText(int line, int column) {
    return QStringLiteral("%1: %2").arg(line, 3).arg(column, 3);
}

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusPanels"));
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
    createNoticePanel();
}

void StatusPanels::createNoticePanel() {
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("statusNotice"));
    m_notice->setAccessibleDescription(QStringLiteral("Notice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setFrameShape(QFrame::Panel);
    m_notice->setFrameShadow(QFrame::Sunken);
    addWidget(m_notice, 1);
    m_notice->hide();
    m_noticeTimer = new QTimer(this);
    m_noticeTimer->setSingleShot(true);
    connect(m_noticeTimer, &QTimer::timeout, m_notice, [this] {
        m_notice->hide();
        m_notice->clear();
    });
}

void StatusPanels::showNotice(const QString& text, int timeoutMs) {
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
    m_noticeTimer->start(timeoutMs);
}

QString StatusPanels::notice() const {
    return m_notice->text();
}

QString StatusPanels::panelText(StatusPanel panel) const {
    return label(panel)->text();
}

void StatusPanels::setPanelText(StatusPanel panel, const QString& text) {
    label(panel)->setText(text);
}

void StatusPanels::showCaretOf(const EditorPane& editor) {
    const int end = editor.selEnd();
    const int caretLine = editor.lineOfPosition(editor.textCursor().position());
    const int column = end - editor.startOfLine(caretLine);
    setPanelText(StatusPanel::Position, PositionText(editor.lineOfPosition(end) + 1, column + 1));
    showModifiedOf(editor);
}

void StatusPanels::showModifiedOf(const EditorPane& editor) {
    setPanelText(StatusPanel::Modified, editor.isModified() ? QStringLiteral("Modified") : QString());
}

} // namespace varko::maintree
