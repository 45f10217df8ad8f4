#include "varko/about/about_box.h"

#include "varko/about/about_picture.h"
#include "varko/about/bevel_panel.h"
#include "varko/about/link_label.h"
#include "varko/help/web_links.h"

namespace varko::about {

namespace {

constexpr int kClientHeight = 273;

// Set once: the label sizes itself to the text and is named by it.
void SetLabelText(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text);
    if (!label->wordWrap())
        label->adjustSize();
}

} // namespace

AboutBox::AboutBox(platform::Desktop& desktop, const QString& productVersion, const QString& fileVersion,
                   QWidget* parent)
    : FixedDialog("AboutBox", QStringLiteral("About varko..."), QSize(317, kClientHeight), parent),
      m_desktop(desktop) {
    buildControls();
    fillLabels(productVersion, fileVersion);
    connect(homePageLink, &LinkLabel::clicked, this, &AboutBox::openHomePage);
}

void AboutBox::buildControls() {
    picture = pref::PlaceControl<AboutPicture>(this, "picture", {0, 0, 81, kClientHeight});
    picture->setAccessibleName(QStringLiteral("Varko Workshop"));
    frame = pref::PlaceControl<BevelPanel>(this, "frame", {80, 8, 233, 257});
    frame->setAccessibleName(windowTitle());
    productName = pref::PlaceControl<QLabel>(frame, "productName", {8, 8, 0, 0});
    QFont bold = productName->font();
    bold.setBold(true);
    productName->setFont(bold);
    versionLabel = pref::PlaceControl<QLabel>(frame, "versionLabel", {8, 24, 0, 0});
    releaseLabel = pref::PlaceControl<QLabel>(frame, "releaseLabel", {8, 48, 0, 0});
    copyrightLabel = pref::PlaceControl<QLabel>(frame, "copyrightLabel", {8, 72, 0, 0});
    updateReminder = pref::PlaceControl<QLabel>(frame, "updateReminder", {8, 104, 197, 26});
    updateReminder->setWordWrap(true);
    updateReminder->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    homePageLink = pref::PlaceControl<LinkLabel>(frame, "homePageLink", {8, 136, 0, 0});
}

void AboutBox::fillLabels(const QString& productVersion, const QString& fileVersion) {
    SetLabelText(productName, QStringLiteral("Varko Workshop"));
    SetLabelText(versionLabel, QStringLiteral("Version ") + productVersion + QStringLiteral(" (") +
                                   fileVersion + QLatin1Char(')'));
    SetLabelText(releaseLabel, QStringLiteral("First public release, 2025"));
    SetLabelText(copyrightLabel, QStringLiteral("Copyright (C) 2025 Varko Workshop"));
    SetLabelText(updateReminder, QStringLiteral("Remember to goto the VARKO website to check for updates!"));
    SetLabelText(homePageLink, help::HomePageUrl());
}

void AboutBox::openHomePage() {
    help::OpenHomePage(m_desktop);
}

} // namespace varko::about
