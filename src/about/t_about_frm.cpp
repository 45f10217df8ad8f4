#include "varko/about/t_about_frm.h"

namespace varko::about {

TAboutFrm::TAboutFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutFrm"));
    setWindowTitle(QStringLiteral("About varko..."));
    setAccessibleName(windowTitle());
    setFixedSize(317, 273);
}

} // namespace varko::about
