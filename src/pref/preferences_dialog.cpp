#include "varko/pref/preferences_dialog.h"

#include "varko/platform/desktop.h"
#include "varko/pref/up_down.h"
#include "varko/textrules/profile_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace varko::pref {

namespace settings = compiler::settings;

PreferencesDialog::PreferencesDialog(platform::Desktop& desktop, SettingsFile settings,
                                     PreferencesTarget& target, QWidget* parent)
    : FixedDialog("PreferencesDialog", QStringLiteral("Preference"), QSize(311, 415), parent),
      m_desktop(desktop), m_settings(std::move(settings)), m_target(target) {
    m_controls = BuildPreferencesControls(*this);
    connect(m_controls.okButton, &QPushButton::clicked, this,
            [this] { platform::RunCommand(m_desktop, [this] { storeAndApply(); }); });
    connect(m_controls.cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void PreferencesDialog::showProgramSettings() {
    m_controls.addonDirEdit->setText(QString::fromStdString(m_target.gameDirs().addon));
    m_controls.sodDirEdit->setText(QString::fromStdString(m_target.gameDirs().sod));
    m_controls.fontBox->setCurrentIndex(
        m_controls.fontBox->findText(m_target.editorFontName(), Qt::MatchFixedString));
    m_controls.fontSizeUpDown->setPosition(m_target.editorFontSize());
    m_controls.wordWrapBox->setChecked(m_target.editorWordWrap());
    m_controls.liveCheckBox->setChecked(m_target.checkWhileTyping());
    m_controls.extraChecksBox->setChecked(m_target.extraChecks());
}

void PreferencesDialog::storeAndApply() {
    storeDirectories();
    storeDisplay();
    storeChecking();
    // The error boxes of directories that cannot be reached appear over the open dialog.
    m_target.refreshCatalogues();
    if (m_controls.resetPlacementBox->isChecked())
        resetPlacement();
    m_settings.prefs.WriteText(settings::kApplication, settings::kVersion, m_settings.productVersion);
    accept();
}

QString PreferencesDialog::chosenFontName() const {
    return m_controls.fontBox->currentIndex() < 0 ? QString() : m_controls.fontBox->currentText();
}

// The directories are read back, so they follow the file's rules: blanks around them and one
// pair of quotation marks are dropped.
void PreferencesDialog::storeDirectories() {
    textrules::TIniFile& prefs = m_settings.prefs;
    prefs.WriteText(settings::kDirs, settings::kAddon, m_controls.addonDirEdit->text().toStdString());
    prefs.WriteText(settings::kDirs, settings::kSod, m_controls.sodDirEdit->text().toStdString());
    m_target.setGameDirs(compiler::ReadGameDirs(prefs, m_settings.appDir));
}

void PreferencesDialog::storeDisplay() {
    textrules::TIniFile& prefs = m_settings.prefs;
    const bool wrap = m_controls.wordWrapBox->isChecked();
    prefs.WriteFlag(settings::kDisplay, settings::kWordWrap, wrap);
    m_target.setEditorWordWrap(wrap);
    const QString fontName = chosenFontName();
    const int fontSize = m_controls.fontSizeUpDown->position();
    prefs.WriteText(settings::kDisplay, settings::kFont, fontName.toStdString());
    prefs.WriteNumber(settings::kDisplay, settings::kFontSize, fontSize);
    if (!fontName.isEmpty())
        m_target.setEditorFontName(fontName);
    m_target.setEditorFontSize(fontSize);
}

void PreferencesDialog::storeChecking() {
    textrules::TIniFile& prefs = m_settings.prefs;
    const bool live = m_controls.liveCheckBox->isChecked();
    const bool extra = m_controls.extraChecksBox->isChecked();
    prefs.WriteFlag(settings::kChecking, settings::kLiveCheck, live);
    prefs.WriteFlag(settings::kChecking, settings::kExtraChecks, extra);
    m_target.setCheckWhileTyping(live);
    m_target.setExtraChecks(extra);
}

void PreferencesDialog::resetPlacement() {
    m_settings.prefs.RemoveSection(settings::kWindow);
    m_target.switchPlacementOff();
}

void PreferencesDialog::showEvent(QShowEvent* event) {
    FixedDialog::showEvent(event);
    if (event->spontaneous())
        return;
    showProgramSettings();
    m_controls.okButton->setFocus();
}

} // namespace varko::pref
