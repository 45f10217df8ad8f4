#pragma once

#include <QDialog>

namespace varko::about {

// The about box: a fixed-size window captioned "About varko...".
class TAboutFrm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutFrm(QWidget* parent = nullptr);
};

} // namespace varko::about
