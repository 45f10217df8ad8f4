#pragma once

#include <QDialog>

namespace varko::pref {

// The preferences dialog: a fixed-size modal window captioned "Preference".
class TPrefFrm : public QDialog {
    Q_OBJECT

public:
    explicit TPrefFrm(QWidget* parent = nullptr);
};

} // namespace varko::pref
