#pragma once

#include "varko/platform/desktop.h"
#include "varko/maintree/search/search_menu.h"

#include <QObject>
#include <QString>

#include <memory>

class QMainWindow;

namespace varko::maintree {
class FindBar;
} // namespace varko::maintree

namespace varko::maintree {

class Documents;
class SessionWiring;
struct MainLayout;
struct MainMenu;

// What the main window offers around its editor beyond the classic menus: the Search menu with
// the find bar below the editor, Go to Line and the walk over the last run's faults; the "Fault at
// caret" status panel; and, through SessionWiring, the Reopen menu, the watch on the open file
// and crash recovery. It follows the document through the Documents part's events.
class EditorFeatures : public QObject {
    Q_OBJECT

public:
    struct Parts {
        QMainWindow& window;
        const MainLayout& layout;
        const MainMenu& menu;
        Documents& documents;
        platform::Desktop& desktop;
        // The program's directory, which holds prefs.ini and the hidden recovery folder.
        QString appDir;
    };

    explicit EditorFeatures(const Parts& parts);
    ~EditorFeatures() override;

    // Once the window's start-up (the command line's file included) is done: offers what editors
    // that did not end normally left unsaved.
    void start();
    // The window closes: its document was saved or its changes given up.
    void windowClosed();

    const maintree::SearchMenuItems& searchMenu() const { return m_searchMenu; }
    maintree::FindBar& findBar() const { return *m_findBar; }
    SessionWiring& session() const { return *m_session; }

private:
    void buildSearch(const Parts& parts);
    void bindSearchMenu();
    void followDocument(Documents& documents);
    void forgetFaults();

    const MainLayout& m_layout;
    maintree::SearchMenuItems m_searchMenu;
    maintree::FindBar* m_findBar = nullptr;
    std::unique_ptr<SessionWiring> m_session;
};

// The caret line's fault messages in one line, as the status panel shows them.
QString FaultPanelText(const QString& messages);

} // namespace varko::maintree
