#include "varko/pref/t_pref_frm.h"

namespace varko::pref {

TPrefFrm::TPrefFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrefFrm"));
    setWindowTitle(QStringLiteral("Preference"));
    setAccessibleName(windowTitle());
    setFixedSize(311, 343);
}

} // namespace varko::pref
