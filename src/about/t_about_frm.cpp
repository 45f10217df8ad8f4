#include "varko/about/t_about_frm.h"

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

TAboutFrm::TAboutFrm(platform::Desktop& desktop, const QString& productVersion, const QString& fileVersion,
                     QWidget* parent)
    : FixedDialog("AboutFrm", QStringLiteral("About varko..."), QSize(317, kClientHeight), parent),
      m_desktop(desktop) {
    BuildControls();
    FormCreate(productVersion, fileVersion);
    connect(Label5, &LinkLabel::Clicked, this, [this] { Label5Click(); });
}

void TAboutFrm::BuildControls() {
    Image1 = pref::PlaceControl<AboutPicture>(this, "Image1", {0, 0, 81, kClientHeight});
    Image1->setAccessibleName(QStringLiteral("Varko Workshop"));
    Panel1 = pref::PlaceControl<BevelPanel>(this, "Panel1", {80, 8, 233, 257});
    Panel1->setAccessibleName(windowTitle());
    Label1 = pref::PlaceControl<QLabel>(Panel1, "Label1", {8, 8, 0, 0});
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = pref::PlaceControl<QLabel>(Panel1, "Label2", {8, 24, 0, 0});
    Label3 = pref::PlaceControl<QLabel>(Panel1, "Label3", {8, 48, 0, 0});
    Label4 = pref::PlaceControl<QLabel>(Panel1, "Label4", {8, 72, 0, 0});
    Label6 = pref::PlaceControl<QLabel>(Panel1, "Label6", {8, 104, 197, 26});
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5 = pref::PlaceControl<LinkLabel>(Panel1, "Label5", {8, 136, 0, 0});
}

void TAboutFrm::FormCreate(const QString& productVersion, const QString& fileVersion) {
    SetLabelText(Label1, QStringLiteral("Varko Workshop"));
    SetLabelText(Label2, QStringLiteral("Version ") + productVersion + QStringLiteral(" (") + fileVersion +
                             QLatin1Char(')'));
    SetLabelText(Label3, QStringLiteral("First public release, 2025"));
    SetLabelText(Label4, QStringLiteral("Copyright (C) 2025 Varko Workshop"));
    SetLabelText(Label6, QStringLiteral("Remember to goto the VARKO website to check for updates!"));
    SetLabelText(Label5, help::HomePageUrl());
}

void TAboutFrm::Label5Click() {
    help::OpenHomePage(m_desktop);
}

} // namespace varko::about
