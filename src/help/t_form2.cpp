#include "varko/help/t_form2.h"

namespace varko::help {

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    setAccessibleName(windowTitle());
    resize(544, 375);
}

} // namespace varko::help
