#pragma once

#include <QFrame>
#include <QToolButton>

class QLabel;
class QTreeView;
class QTreeWidget;

namespace varko::maintree {

enum class PanelState { Collapsed, Expanded };

// The navigation panel's expand button: a triangle pointing right while the panel is collapsed,
// left while it is expanded. Screen readers hear what a press does; the caption keeps the
// symbol-font glyph codes of the two triangles ("4" and "3"), which it never draws.
class ArrowButton : public QToolButton {
    Q_OBJECT

public:
    explicit ArrowButton(QWidget* parent = nullptr);

    PanelState panelState() const { return m_state; }
    void showPanelState(PanelState state);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    PanelState m_state = PanelState::Collapsed;
};

// A caption written upwards, on a transparent background.
class RotatedLabel : public QWidget {
    Q_OBJECT

public:
    RotatedLabel(const QString& caption, QWidget* parent = nullptr);
    QString Caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString m_caption;
};

// The collapsible strip at the left: a title bar with its arrow button, the upward label, and
// the two trees that share the rest of the panel. It starts collapsed, both trees hidden.
class NavPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int kCollapsedWidth = 19;

    explicit NavPanel(QWidget* parent = nullptr);
    // The splitter may close the panel to nothing, so its content asks for no width.
    QSize minimumSizeHint() const override;

    QLabel* NavTopPan = nullptr;
    ArrowButton* Spd_arr = nullptr;
    RotatedLabel* antAngleLabel1 = nullptr;
    QTreeWidget* TreeObj = nullptr;
    QTreeView* TreeHie = nullptr;
};

} // namespace varko::maintree
