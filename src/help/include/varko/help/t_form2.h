#pragma once

#include <QWidget>

namespace varko::help {

// An empty window, created at start and never shown.
class TForm2 : public QWidget {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);
};

} // namespace varko::help
