#include "varko/pref/preferences_controls.h"

#include "varko/pref/fixed_dialog.h"
#include "varko/pref/up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace varko::pref {

namespace {

constexpr int kSizeMinimum = 8;
constexpr int kSizeMaximum = 72;

template <typename Control>
Control* PlaceCaptioned(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* control = PlaceControl<Control>(parent, name, geometry);
    control->setText(QString::fromLatin1(caption));
    control->setAccessibleName(control->text());
    return control;
}

QGroupBox* PlaceGroup(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* group = PlaceControl<QGroupBox>(parent, name, geometry);
    group->setTitle(QString::fromLatin1(caption));
    group->setAccessibleName(group->title());
    return group;
}

// A font wider than the designed one widens the box to its caption, within the group.
QCheckBox* PlaceCheckBox(QWidget* group, const char* name, const char* caption, QRect geometry) {
    auto* box = PlaceCaptioned<QCheckBox>(group, name, caption, geometry);
    const int room = std::max(group->width() - 2 * geometry.left(), geometry.width());
    box->resize(std::clamp(box->sizeHint().width(), geometry.width(), room), geometry.height());
    return box;
}

// Labels size themselves to their text.
QLabel* PlaceLabel(QWidget* parent, const char* name, const char* text, QPoint at) {
    auto* label = PlaceCaptioned<QLabel>(parent, name, text, QRect(at, QSize()));
    label->adjustSize();
    return label;
}

// A field takes the text of the label in front of it as its name.
template <typename Control> Control* PlaceLabelled(QLabel* label, const char* name, QRect geometry) {
    auto* control = PlaceControl<Control>(label->parentWidget(), name, geometry);
    control->setAccessibleName(label->text());
    label->setBuddy(control);
    return control;
}

QStringList SortedFamilies() {
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

void BuildDirectoryGroup(PreferencesControls& c, QDialog& dialog) {
    c.directoriesGroup = PlaceGroup(&dialog, "directoriesGroup", "Search Directories", {8, 8, 297, 161});
    c.directoriesPrompt = PlaceLabel(c.directoriesGroup, "directoriesPrompt",
                                     "Please enter your Corvan Addon and SOD directory", {8, 16});
    c.currentSettingsLabel =
        PlaceLabel(c.directoriesGroup, "currentSettingsLabel", "These are the current settings:", {8, 32});
    c.addonDirLabel = PlaceLabel(c.directoriesGroup, "addonDirLabel", "Addon search directory:", {8, 56});
    c.addonDirEdit = PlaceLabelled<QLineEdit>(c.addonDirLabel, "addonDirEdit", {8, 72, 281, 21});
    c.sodDirLabel = PlaceLabel(c.directoriesGroup, "sodDirLabel", "SOD search directory:", {8, 104});
    c.sodDirEdit = PlaceLabelled<QLineEdit>(c.sodDirLabel, "sodDirEdit", {8, 120, 281, 21});
}

void BuildDisplayGroup(PreferencesControls& c, QDialog& dialog) {
    c.displayGroup = PlaceGroup(&dialog, "displayGroup", "Display Settings", {8, 176, 297, 129});
    c.fontLabel = PlaceLabel(c.displayGroup, "fontLabel", "Editor font:", {8, 24});
    c.fontSizeLabel = PlaceLabel(c.displayGroup, "fontSizeLabel", "Size", {216, 24});
    c.fontBox = PlaceLabelled<QComboBox>(c.fontLabel, "fontBox", {8, 40, 201, 20});
    c.fontBox->setEditable(false);
    c.fontBox->addItems(SortedFamilies());
    c.fontSizeEdit = PlaceLabelled<QLineEdit>(c.fontSizeLabel, "fontSizeEdit", {216, 40, 49, 21});
    c.fontSizeUpDown = PlaceControl<UpDown>(c.displayGroup, "fontSizeUpDown", {265, 40, 16, 21});
    c.fontSizeUpDown->setAccessibleName(c.fontSizeLabel->text());
    c.fontSizeUpDown->setRange(kSizeMinimum, kSizeMaximum);
    c.fontSizeUpDown->setField(c.fontSizeEdit);
    c.wordWrapBox = PlaceCheckBox(c.displayGroup, "wordWrapBox", "Word Wrap", {8, 72, 97, 17});
    c.resetPlacementBox = PlaceCheckBox(c.displayGroup, "resetPlacementBox",
                                        "Reset window position (applies next startup)", {8, 96, 249, 17});
}

void BuildCheckingGroup(PreferencesControls& c, QDialog& dialog) {
    c.checkingGroup = PlaceGroup(&dialog, "checkingGroup", "Checking", {8, 312, 297, 65});
    c.liveCheckBox = PlaceCheckBox(c.checkingGroup, "liveCheckBox", "Check while typing", {8, 20, 153, 17});
    c.extraChecksBox = PlaceCheckBox(c.checkingGroup, "extraChecksBox", "Extra checks", {8, 40, 153, 17});
}

} // namespace

PreferencesControls BuildPreferencesControls(QDialog& dialog) {
    PreferencesControls c;
    c.okButton = PlaceCaptioned<QPushButton>(&dialog, "okButton", "OK", {152, 384, 75, 23});
    c.cancelButton = PlaceCaptioned<QPushButton>(&dialog, "cancelButton", "Cancel", {232, 384, 75, 23});
    BuildDirectoryGroup(c, dialog);
    BuildDisplayGroup(c, dialog);
    BuildCheckingGroup(c, dialog);
    QWidget* const order[] = {c.okButton,          c.cancelButton, c.addonDirEdit,   c.sodDirEdit,
                              c.fontBox,           c.fontSizeEdit, c.fontSizeUpDown, c.wordWrapBox,
                              c.resetPlacementBox, c.liveCheckBox, c.extraChecksBox};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return c;
}

} // namespace varko::pref
