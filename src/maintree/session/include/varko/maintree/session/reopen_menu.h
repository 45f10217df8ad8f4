#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QWidget;

namespace varko::maintree {

class RecentFiles;

// The File menu's "Reopen" submenu. It is filled each time it opens, so it shows the list as it
// is then (files added by another editor, gone files left out). Entries show the full path; an
// empty list shows one disabled entry "(empty)", so the submenu is still there to be found.
class ReopenMenu : public QObject {
    Q_OBJECT

public:
    ReopenMenu(RecentFiles& recent, QWidget* parent);

    QMenu* menu() const { return m_menu; }
    // Fills the menu from the list now.
    void refresh();

signals:
    // An entry was chosen (by a click, the keyboard or its accessibility action).
    void fileChosen(const QString& path);

private:
    RecentFiles& m_recent;
    QMenu* m_menu;
};

} // namespace varko::maintree
