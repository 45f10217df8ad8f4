#pragma once

#include "varko/pref/fixed_dialog.h"

class QLabel;

namespace varko::platform {
class Desktop;
}

namespace varko::about {

class AboutPicture;
class BevelPanel;
class LinkLabel;

// The about box: the program's picture, name, version, release line, ownership notice and home
// page link. It has no buttons; the title bar's close box ends it. Open it with exec().
class TAboutFrm : public pref::FixedDialog {
    Q_OBJECT

public:
    // The version strings as the program's version record gives them; empty without a record.
    TAboutFrm(platform::Desktop& desktop, const QString& productVersion, const QString& fileVersion,
              QWidget* parent = nullptr);

    void Label5Click();

    AboutPicture* Image1 = nullptr;
    BevelPanel* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    LinkLabel* Label5 = nullptr;

private:
    void BuildControls();
    void FormCreate(const QString& productVersion, const QString& fileVersion);

    platform::Desktop& m_desktop;
};

} // namespace varko::about
