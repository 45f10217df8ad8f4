#pragma once

#include <QToolButton>

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

} // namespace varko::maintree
