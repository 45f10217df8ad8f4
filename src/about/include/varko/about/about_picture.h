#pragma once

#include <QWidget>

namespace varko::about {

// The program's picture down the left edge of the about box: a small tech tree on a dusk sky,
// drawn to whatever size the widget has.
class AboutPicture : public QWidget {
    Q_OBJECT

public:
    explicit AboutPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace varko::about
