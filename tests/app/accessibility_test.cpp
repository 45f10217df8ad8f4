#include "dialog_fixture.h"
#include "varko/about/about_box.h"
#include "varko/maintree/assist/mod_files_view.h"
#include "varko/maintree/crossview/properties_view.h"
#include "varko/maintree/crossview/tech_tree_graph_window.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/mod_features.h"
#include "varko/maintree/window/mod_problems_dock.h"
#include "varko/pref/preferences_dialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QTest>

namespace varko {
namespace {

// What a screen reader hears for each control a user can reach: every visible widget that takes
// the focus, and every button, must have a name.
QStringList UnnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window))
            continue;
        if (control->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton*>(control))
            continue;
        // The focus goes on to the proxy (a view's viewport to its view), which is heard instead.
        if (control->focusProxy())
            continue;
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
        if (!spoken || spoken->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << control->objectName() + QStringLiteral(" (") + control->metaObject()->className() +
                           ')';
    }
    return unnamed;
}

using Accessibility = testing::DialogFixture;

TEST_F(Accessibility, EveryReachableControlOfEveryWindowHasAName) {
    maintree::StartupOptions options;
    options.appDir = AppDir();
    maintree::MainWindow mainWindow(m_desktop, options);
    pref::PreferencesDialog preferencesDialog(m_desktop, {*m_prefs, AppDir().toStdString(), "1.1"},
                                              *m_program);
    about::AboutBox aboutBox(m_desktop, "1.1", "1.1.1.9");
    QWidget* const windows[] = {&mainWindow, &preferencesDialog, &aboutBox};
    for (QWidget* window : windows) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name).isEmpty());
        EXPECT_EQ(UnnamedControls(*window), QStringList()) << window->objectName().toStdString();
        window->close();
    }
}

// The pages and the dock the Mod menu and the toolbar bring up have names too.
TEST_F(Accessibility, TheModViewsHaveNames) {
    maintree::StartupOptions options;
    options.appDir = AppDir();
    maintree::MainWindow mainWindow(m_desktop, options);
    mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    mainWindow.navigation().toggleNavigationPanel();
    mainWindow.modFeatures().modFilesPage()->trigger();
    mainWindow.modFeatures().problems().begin(QStringLiteral("Checking the mod..."));
    ASSERT_TRUE(mainWindow.modFeatures().modFiles().isVisible());
    ASSERT_TRUE(mainWindow.modFeatures().problems().isVisible());
    EXPECT_EQ(UnnamedControls(mainWindow), QStringList());
    mainWindow.modFeatures().propertiesPage()->trigger();
    ASSERT_TRUE(mainWindow.modFeatures().properties().isVisible());
    EXPECT_EQ(UnnamedControls(mainWindow), QStringList());
    maintree::TechTreeGraphWindow& graph = mainWindow.modFeatures().graphWindow();
    graph.showGraph(textrules::LineList{"a.odf 0", "b.odf 1 a.odf"});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    EXPECT_EQ(UnnamedControls(graph), QStringList());
}

// The walk above hears what a screen reader hears: a field without a name or a label is caught.
TEST_F(Accessibility, AnUnnamedFieldIsCaught) {
    about::AboutBox aboutBox(m_desktop, "1.1", "1.1.1.9");
    auto* stray = new QLineEdit(&aboutBox);
    stray->setObjectName(QStringLiteral("stray"));
    aboutBox.show();
    EXPECT_EQ(UnnamedControls(aboutBox), QStringList{QStringLiteral("stray (QLineEdit)")});
    stray->setAccessibleName(QStringLiteral("Search"));
    EXPECT_EQ(UnnamedControls(aboutBox), QStringList());
}

} // namespace
} // namespace varko
