#include "varko/pref/pref_controls.h"

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

void BuildDirectoryGroup(PrefControls& c, QDialog& dialog) {
    c.GroupBox1 = PlaceGroup(&dialog, "GroupBox1", "Search Directories", {8, 8, 297, 161});
    c.Label4 = PlaceLabel(c.GroupBox1, "Label4", "Please enter your Corvan Addon and SOD directory", {8, 16});
    c.Label3 = PlaceLabel(c.GroupBox1, "Label3", "These are the current settings:", {8, 32});
    c.Label1 = PlaceLabel(c.GroupBox1, "Label1", "Addon search directory:", {8, 56});
    c.Edit1 = PlaceLabelled<QLineEdit>(c.Label1, "Edit1", {8, 72, 281, 21});
    c.Label2 = PlaceLabel(c.GroupBox1, "Label2", "SOD search directory:", {8, 104});
    c.Edit2 = PlaceLabelled<QLineEdit>(c.Label2, "Edit2", {8, 120, 281, 21});
}

void BuildDisplayGroup(PrefControls& c, QDialog& dialog) {
    c.GroupBox2 = PlaceGroup(&dialog, "GroupBox2", "Display Settings", {8, 176, 297, 129});
    c.Label5 = PlaceLabel(c.GroupBox2, "Label5", "Editor font:", {8, 24});
    c.Label6 = PlaceLabel(c.GroupBox2, "Label6", "Size", {216, 24});
    c.FontBox = PlaceLabelled<QComboBox>(c.Label5, "FontBox", {8, 40, 201, 20});
    c.FontBox->setEditable(false);
    c.FontBox->addItems(SortedFamilies());
    c.EditFontSize = PlaceLabelled<QLineEdit>(c.Label6, "EditFontSize", {216, 40, 49, 21});
    c.SizeUp = PlaceControl<UpDown>(c.GroupBox2, "SizeUp", {265, 40, 16, 21});
    c.SizeUp->setAccessibleName(c.Label6->text());
    c.SizeUp->SetRange(kSizeMinimum, kSizeMaximum);
    c.SizeUp->SetAssociate(c.EditFontSize);
    c.CB_wrap = PlaceCheckBox(c.GroupBox2, "CB_wrap", "Word Wrap", {8, 72, 97, 17});
    c.cb_resetpos = PlaceCheckBox(c.GroupBox2, "cb_resetpos", "Reset window position (applies next startup)",
                                  {8, 96, 249, 17});
}

} // namespace

PrefControls BuildPrefControls(QDialog& dialog) {
    PrefControls c;
    c.Button1 = PlaceCaptioned<QPushButton>(&dialog, "Button1", "OK", {152, 312, 75, 23});
    c.Button2 = PlaceCaptioned<QPushButton>(&dialog, "Button2", "Cancel", {232, 312, 75, 23});
    BuildDirectoryGroup(c, dialog);
    BuildDisplayGroup(c, dialog);
    QWidget* const order[] = {c.Button1,      c.Button2, c.Edit1,   c.Edit2,      c.FontBox,
                              c.EditFontSize, c.SizeUp,  c.CB_wrap, c.cb_resetpos};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return c;
}

} // namespace varko::pref
