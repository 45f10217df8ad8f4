#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace varko::maintree {

// "%3d: %3d": each number at least three characters wide, padded with blanks on the left.
QString PositionText(int line, int column);

class EditorPane;

// The status bar under the editor: caret position (0), last check result (1), "Modified" (2).
class StatusPanels : public QStatusBar {
    Q_OBJECT

public:
    explicit StatusPanels(QWidget* parent = nullptr);

    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    // The panel's widget, for what is laid over it (the check run's progress bar).
    QLabel* Panel(int index) const { return m_panels.at(static_cast<std::size_t>(index)); }

private:
    std::array<QLabel*, 3> m_panels{};
};

// Panel 0 shows the line of the selection's end and its column, counted from the start of the
// caret's line; panel 2 shows "Modified" while the editor's modified flag is set.
void ShowCaretStatus(const EditorPane& editor, StatusPanels& status);

} // namespace varko::maintree
