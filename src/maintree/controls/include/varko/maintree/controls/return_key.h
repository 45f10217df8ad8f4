#pragma once

#include <QObject>

class QWidget;

namespace varko::maintree {

// Return or Enter on a list or a tree does what a double-click on it does, so that keyboard and
// screen-reader users reach the same commands. Owned by the watched widget.
class ReturnKey : public QObject {
    Q_OBJECT

public:
    explicit ReturnKey(QWidget* watched);

signals:
    void pressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace varko::maintree
