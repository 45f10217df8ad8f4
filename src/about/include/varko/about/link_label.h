#pragma once

#include <QLabel>

namespace varko::about {

// A label drawn as a web link: blue, underlined, with the hand-shaped cursor. A click with the
// left button, released over the label, emits clicked. It takes the keyboard focus too, showing a
// focus frame, and Return, Enter or Space emit clicked, so keyboard users can follow it; so does
// the press action a screen reader offers.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

    // What a click does.
    void follow();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace varko::about
