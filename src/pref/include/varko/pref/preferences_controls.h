#pragma once

class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace varko::pref {

class UpDown;

// The controls of the preferences dialog, placed as designed at 96 pixels per inch.
struct PreferencesControls {
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QGroupBox* directoriesGroup = nullptr;
    QLabel* directoriesPrompt = nullptr;
    QLabel* currentSettingsLabel = nullptr;
    QLabel* addonDirLabel = nullptr;
    QLineEdit* addonDirEdit = nullptr;
    QLabel* sodDirLabel = nullptr;
    QLineEdit* sodDirEdit = nullptr;
    QGroupBox* displayGroup = nullptr;
    QLabel* fontLabel = nullptr;
    QLabel* fontSizeLabel = nullptr;
    QComboBox* fontBox = nullptr;
    QLineEdit* fontSizeEdit = nullptr;
    UpDown* fontSizeUpDown = nullptr;
    QCheckBox* wordWrapBox = nullptr;
    QCheckBox* resetPlacementBox = nullptr;
    QGroupBox* checkingGroup = nullptr;
    QCheckBox* liveCheckBox = nullptr;
    QCheckBox* extraChecksBox = nullptr;
};

// Builds the controls into the dialog in their tab order; the font box lists the screen's font
// families, each once, sorted by name.
PreferencesControls BuildPreferencesControls(QDialog& dialog);

} // namespace varko::pref
