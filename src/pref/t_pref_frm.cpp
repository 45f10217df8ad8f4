#include "varko/pref/t_pref_frm.h"

#include "varko/platform/desktop.h"
#include "varko/pref/up_down.h"
#include "varko/textrules/profile_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace varko::pref {

namespace settings = compiler::settings;

TPrefFrm::TPrefFrm(platform::Desktop& desktop, SettingsFile settings, PreferencesTarget& target,
                   QWidget* parent)
    : FixedDialog("PrefFrm", QStringLiteral("Preference"), QSize(311, 343), parent), m_desktop(desktop),
      m_settings(std::move(settings)), m_target(target) {
    m_controls = BuildPrefControls(*this);
    connect(m_controls.Button1, &QPushButton::clicked, this,
            [this] { platform::RunCommand(m_desktop, [this] { Button1Click(); }); });
    connect(m_controls.Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

// The fields show what the running program uses, not what prefs.ini holds.
void TPrefFrm::FormShow() {
    m_controls.Edit1->setText(QString::fromStdString(m_target.GameDirs().addon));
    m_controls.Edit2->setText(QString::fromStdString(m_target.GameDirs().sod));
    m_controls.FontBox->setCurrentIndex(
        m_controls.FontBox->findText(m_target.EditorFontName(), Qt::MatchFixedString));
    m_controls.SizeUp->SetPosition(m_target.EditorFontSize());
    m_controls.CB_wrap->setChecked(m_target.EditorWordWrap());
}

void TPrefFrm::Button1Click() {
    StoreDirectories();
    StoreDisplay();
    // The error boxes of directories that cannot be reached appear over the open dialog.
    m_target.RefreshCatalogues();
    if (m_controls.cb_resetpos->isChecked())
        ResetPlacement();
    m_settings.prefs.WriteText(settings::kApplication, settings::kVersion, m_settings.productVersion);
    accept();
}

void TPrefFrm::Button2Click() {
    reject();
}

QString TPrefFrm::ChosenFontName() const {
    return m_controls.FontBox->currentIndex() < 0 ? QString() : m_controls.FontBox->currentText();
}

// The directories are read back, so they follow the file's rules: blanks around them and one
// pair of quotation marks are dropped.
void TPrefFrm::StoreDirectories() {
    textrules::TIniFile& prefs = m_settings.prefs;
    prefs.WriteText(settings::kDirs, settings::kAddon, m_controls.Edit1->text().toStdString());
    prefs.WriteText(settings::kDirs, settings::kSod, m_controls.Edit2->text().toStdString());
    m_target.SetGameDirs(compiler::ReadGameDirs(prefs, m_settings.appDir));
}

void TPrefFrm::StoreDisplay() {
    textrules::TIniFile& prefs = m_settings.prefs;
    const bool wrap = m_controls.CB_wrap->isChecked();
    prefs.WriteFlag(settings::kDisplay, settings::kWordWrap, wrap);
    m_target.SetEditorWordWrap(wrap);
    const QString fontName = ChosenFontName();
    const int fontSize = m_controls.SizeUp->Position();
    prefs.WriteText(settings::kDisplay, settings::kFont, fontName.toStdString());
    prefs.WriteNumber(settings::kDisplay, settings::kFontSize, fontSize);
    if (!fontName.isEmpty())
        m_target.SetEditorFontName(fontName);
    m_target.SetEditorFontSize(fontSize);
}

void TPrefFrm::ResetPlacement() {
    m_settings.prefs.RemoveSection(settings::kWindow);
    m_target.SwitchPlacementOff();
}

void TPrefFrm::showEvent(QShowEvent* event) {
    FixedDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    m_controls.Button1->setFocus();
}


} // namespace varko::pref
