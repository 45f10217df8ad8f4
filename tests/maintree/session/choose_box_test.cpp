#include "session_fixture.h"
#include "varko/platform/qt_desktop.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace varko::platform {
namespace {

struct SeenBox {
    QString caption;
    QString text;
    QStringList buttons; // left to right
    QStringList names;   // as a screen reader announces them
    QString defaultButton;
};

// Reads the open box, then answers it with `answer` (a button's caption, or "Return").
void AnswerWhenShown(SeenBox& seen, const QString& answer) {
    QTimer::singleShot(0, qApp, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.caption = box->windowTitle();
        seen.text = box->text();
        QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
        std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
            return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
        });
        for (QPushButton* button : buttons) {
            seen.buttons << button->text();
            seen.names << QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
            if (button->isDefault())
                seen.defaultButton = button->text();
        }
        if (answer == "Return") {
            QTest::keyClick(box, Qt::Key_Return);
            return;
        }
        for (QPushButton* button : buttons) {
            if (button->text() == answer)
                QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
        }
    });
}

TEST(QtDesktopChoose, ButtonsInOrderNamedAndAnsweredByIndex) {
    struct Row {
        const char* name;
        int defaultButton;
        QString answer;
        int result;
    };
    const Row rows[] = {
        {"first button", 0, "Restore", 0},
        {"second button", 0, "Discard", 1},
        {"Return takes the default", 1, "Return", 1},
        {"Return takes the other default", 0, "Return", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QtDesktop desktop;
        SeenBox seen;
        AnswerWhenShown(seen, row.answer);
        const int result = desktop.Choose("Recovery", "Varko found unsaved changes.", {"Restore", "Discard"},
                                          row.defaultButton);
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(seen.caption, "Recovery");
        EXPECT_EQ(seen.text, "Varko found unsaved changes.");
        EXPECT_EQ(seen.buttons, QStringList({"Restore", "Discard"}));
        EXPECT_EQ(seen.names, QStringList({"Restore", "Discard"}));
        EXPECT_EQ(seen.defaultButton, row.defaultButton == 0 ? "Restore" : "Discard");
    }
}

} // namespace
} // namespace varko::platform
