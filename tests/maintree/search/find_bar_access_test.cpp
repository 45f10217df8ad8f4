#include "search_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace varko::maintree {
namespace {

using testing::FindBarFixture;

QString SpokenName(QWidget* control) {
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
    return spoken ? spoken->text(QAccessible::Name) : QString();
}

// The controls of the bar a screen reader names, in the order Tab visits them.
const char* const kCaptions[] = {
    "Find",         "Find Next", "Find Previous", "Match case", "Whole words", "Regular expression",
    "Replace with", "Replace",   "Replace All",   "Close"};

TEST_F(FindBarFixture, TabVisitsEveryControlByItsName) {
    m_bar->OpenReplace();
    QStringList visited{SpokenName(QApplication::focusWidget())};
    for (std::size_t step = 1; step < std::size(kCaptions); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(m_bar->isAncestorOf(QApplication::focusWidget())) << "step " << step;
        visited << SpokenName(QApplication::focusWidget());
    }
    QStringList expected;
    for (const char* caption : kCaptions)
        expected << QString::fromLatin1(caption);
    EXPECT_EQ(visited, expected);
}

// The outcome of one way of working a button, from the same start each time.
struct Outcome {
    QString text;
    TextSpan selection;
    bool barVisible;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
    *out << outcome.text.toStdString() << " selection (" << outcome.selection.start << ", "
         << outcome.selection.length << ")" << (outcome.barVisible ? " bar shown" : " bar hidden");
}

struct PressCase {
    const char* caption;
    Outcome expected;
};

// "one two one two", the first "one" selected, "one" to be replaced by "1".
const PressCase kPressCases[] = {
    {"Find Next", {"one two one two", {8, 3}, true}}, {"Find Previous", {"one two one two", {8, 3}, true}},
    {"Replace", {"1 two one two", {6, 3}, true}},     {"Replace All", {"1 two 1 two", {1, 0}, true}},
    {"Close", {"one two one two", {0, 3}, false}},
};

class FindBarButtons : public FindBarFixture {
protected:
    QPushButton* Start(const char* caption) {
        OpenReplacing("one two one two", "one", "1");
        SetSelection(0, 3);
        for (QPushButton* button : m_bar->findChildren<QPushButton*>()) {
            if (SpokenName(button) == QLatin1String(caption))
                return button;
        }
        return nullptr;
    }
    Outcome Now() const { return {m_editor->toPlainText(), Selection(), m_bar->isVisible()}; }
};

TEST_F(FindBarButtons, PressingThroughAccessibilityDoesWhatAClickDoes) {
    for (const PressCase& row : kPressCases) {
        SCOPED_TRACE(row.caption);
        QPushButton* button = Start(row.caption);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(Now(), row.expected);

        button = Start(row.caption);
        QAccessibleActionInterface* actions =
            QAccessible::queryAccessibleInterface(button)->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        // A pressed button shows itself down for a moment before it acts.
        EXPECT_TRUE(QTest::qWaitFor([&] { return Now() == row.expected; }, 2000));
        EXPECT_EQ(Now(), row.expected);
    }
}

TEST_F(FindBarFixture, OptionsToggleThroughAccessibility) {
    SetText(QStringLiteral("Beta beta"));
    m_bar->OpenFind();
    TypeSearch(QStringLiteral("beta"));
    ASSERT_EQ(Selection(), (TextSpan{0, 4}));
    QCheckBox* matchCase = m_bar->Controls().matchCase;
    SetSelection(0, 0);
    QAccessible::queryAccessibleInterface(matchCase)->actionInterface()->doAction(
        QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(matchCase->isChecked());
    // The search runs again with the new option.
    EXPECT_EQ(Selection(), (TextSpan{5, 4}));
}

} // namespace
} // namespace varko::maintree
