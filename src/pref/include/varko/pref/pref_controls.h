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
struct PrefControls {
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* FontBox = nullptr;
    QLineEdit* EditFontSize = nullptr;
    UpDown* SizeUp = nullptr;
    QCheckBox* CB_wrap = nullptr;
    QCheckBox* cb_resetpos = nullptr;
};

// Builds the controls into the dialog in their tab order; FontBox lists the screen's font
// families, each once, sorted by name.
PrefControls BuildPrefControls(QDialog& dialog);

} // namespace varko::pref
