#pragma once

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace varko::maintree {

// The controls of the find bar, each named for screen readers after its caption. The replace row
// (its label, field and two buttons) is shown only when the bar is opened for replacing.
struct FindBarControls {
    QLineEdit* findEdit = nullptr;
    QLineEdit* replaceEdit = nullptr;
    QCheckBox* matchCase = nullptr;
    QCheckBox* wholeWords = nullptr;
    QCheckBox* regularExpression = nullptr;
    QPushButton* findNext = nullptr;
    QPushButton* findPrevious = nullptr;
    QPushButton* replace = nullptr;
    QPushButton* replaceAll = nullptr;
    QPushButton* close = nullptr;
    QLabel* status = nullptr;
    QLabel* findLabel = nullptr;
    QLabel* replaceLabel = nullptr;

    void ShowReplaceRow(bool shown) const;
};

// Lays the controls out on the bar in two rows, in the order Tab visits them.
FindBarControls BuildFindBarControls(QWidget& bar);

} // namespace varko::maintree
