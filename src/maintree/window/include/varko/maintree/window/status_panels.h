#pragma once

#include <QStatusBar>

#include <array>

class QLabel;
class QTimer;

namespace varko::maintree {

class EditorPane;

// "%3d: %3d": each number at least three characters wide, padded with blanks on the left.
QString PositionText(int line, int column);

// The panels of the status bar, from the left.
enum class StatusPanel { Position, CheckResult, Modified, FaultAtCaret };

// The status bar under the editor: the caret's position, the last check's result, "Modified" and
// the messages of the caret line's faults; a notice shows in a panel of its own after them, so it
// never hides the four panels.
class StatusPanels : public QStatusBar {
    Q_OBJECT

public:
    explicit StatusPanels(QWidget* parent = nullptr);

    QString panelText(StatusPanel panel) const;
    void setPanelText(StatusPanel panel, const QString& text);

    // The line of the selection's end and its column, counted from the start of the caret's line;
    // "Modified" while the editor's modified flag is set.
    void showCaretOf(const EditorPane& editor);
    // Only "Modified" or nothing: the text changed without the caret moving.
    void showModifiedOf(const EditorPane& editor);

    // Shows a notice for `timeoutMs` milliseconds, as a label a screen reader reads.
    void showNotice(const QString& text, int timeoutMs);
    // The notice on show, or empty.
    QString notice() const;

private:
    void createNoticePanel();
    QLabel* label(StatusPanel panel) const { return m_panels.at(static_cast<std::size_t>(panel)); }

    std::array<QLabel*, 4> m_panels{};
    QLabel* m_notice = nullptr;
    QTimer* m_noticeTimer = nullptr;
};

} // namespace varko::maintree
