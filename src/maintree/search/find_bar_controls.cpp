#include "varko/maintree/search/find_bar_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varko::maintree {

namespace {

template <typename Control> Control* Named(Control* control, const char* name, const QString& spoken) {
    control->setObjectName(QString::fromLatin1(name));
    control->setAccessibleName(spoken);
    return control;
}

QPushButton* Button(QWidget& bar, const char* name, const char* caption) {
    const QString text = QString::fromLatin1(caption);
    auto* button = Named(new QPushButton(text, &bar), name, text);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QCheckBox* CheckBox(QWidget& bar, const char* name, const char* caption) {
    const QString text = QString::fromLatin1(caption);
    auto* box = Named(new QCheckBox(text, &bar), name, text);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

QLineEdit* Field(QWidget& bar, const char* name, const char* caption, QLabel*& label) {
    const QString text = QString::fromLatin1(caption);
    auto* field = Named(new QLineEdit(&bar), name, text);
    label = new QLabel(text, &bar);
    label->setBuddy(field);
    return field;
}

void CreateControls(QWidget& bar, FindBarControls& c) {
    c.findEdit = Field(bar, "FindEdit", "Find", c.findLabel);
    c.findLabel->setObjectName(QStringLiteral("FindLabel"));
    c.findNext = Button(bar, "FindNextButton", "Find Next");
    c.findPrevious = Button(bar, "FindPreviousButton", "Find Previous");
    c.matchCase = CheckBox(bar, "MatchCaseBox", "Match case");
    c.wholeWords = CheckBox(bar, "WholeWordsBox", "Whole words");
    c.regularExpression = CheckBox(bar, "RegularExpressionBox", "Regular expression");
    c.status = new QLabel(&bar);
    c.status->setObjectName(QStringLiteral("MatchStatus"));
    c.close = Button(bar, "CloseButton", "Close");
    c.replaceEdit = Field(bar, "ReplaceEdit", "Replace with", c.replaceLabel);
    c.replaceLabel->setObjectName(QStringLiteral("ReplaceLabel"));
    c.replace = Button(bar, "ReplaceButton", "Replace");
    c.replaceAll = Button(bar, "ReplaceAllButton", "Replace All");
}

void LayOut(QWidget& bar, const FindBarControls& c) {
    auto* grid = new QGridLayout(&bar);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->addWidget(c.findLabel, 0, 0);
    grid->addWidget(c.findEdit, 0, 1);
    auto* findRow = new QHBoxLayout;
    QWidget* const findControls[] = {c.findNext,   c.findPrevious,      c.matchCase,
                                     c.wholeWords, c.regularExpression, c.status};
    for (QWidget* control : findControls)
        findRow->addWidget(control);
    findRow->addStretch(1);
    findRow->addWidget(c.close);
    grid->addLayout(findRow, 0, 2);
    grid->addWidget(c.replaceLabel, 1, 0);
    grid->addWidget(c.replaceEdit, 1, 1);
    auto* replaceRow = new QHBoxLayout;
    replaceRow->addWidget(c.replace);
    replaceRow->addWidget(c.replaceAll);
    replaceRow->addStretch(1);
    grid->addLayout(replaceRow, 1, 2);
    grid->setColumnStretch(1, 1);
}

void SetTabOrder(const FindBarControls& c) {
    QWidget* const order[] = {c.findEdit,          c.findNext,    c.findPrevious, c.matchCase,  c.wholeWords,
                              c.regularExpression, c.replaceEdit, c.replace,      c.replaceAll, c.close};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace

void FindBarControls::ShowReplaceRow(bool shown) const {
    QWidget* const row[] = {replaceLabel, replaceEdit, replace, replaceAll};
    for (QWidget* control : row)
        control->setVisible(shown);
}

FindBarControls BuildFindBarControls(QWidget& bar) {
    FindBarControls controls;
    CreateControls(bar, controls);
    LayOut(bar, controls);
    SetTabOrder(controls);
    return controls;
}

} // namespace varko::maintree
