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
class AboutBox : public pref::FixedDialog {
    Q_OBJECT

public:
    // The version strings as the program's version record gives them; empty without a record.
    AboutBox(platform::Desktop& desktop, const QString& productVersion, const QString& fileVersion,
             QWidget* parent = nullptr);

    void openHomePage();

    AboutPicture* picture = nullptr;
    BevelPanel* frame = nullptr;
    QLabel* productName = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* releaseLabel = nullptr;
    QLabel* copyrightLabel = nullptr;
    QLabel* updateReminder = nullptr;
    LinkLabel* homePageLink = nullptr;

private:
    void buildControls();
    void fillLabels(const QString& productVersion, const QString& fileVersion);

    platform::Desktop& m_desktop;
};

} // namespace varko::about
