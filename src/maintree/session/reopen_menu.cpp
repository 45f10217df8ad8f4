#include "varko/maintree/session/reopen_menu.h"

#include "varko/maintree/session/recent_files.h"

#include <QMenu>

namespace varko::maintree {

namespace {

// A single "&" in an action's text marks a shortcut letter; a path shows each one as it is.
QString MenuText(QString path) {
    return path.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

ReopenMenu::ReopenMenu(RecentFiles& recent, QWidget* parent)
    : QObject(parent), m_recent(recent), m_menu(new QMenu(QStringLiteral("Reopen"), parent)) {
    m_menu->setObjectName(QStringLiteral("ReopenMenu"));
    m_menu->setAccessibleName(QStringLiteral("Reopen"));
    connect(m_menu, &QMenu::aboutToShow, this, &ReopenMenu::refresh);
    refresh();
}

void ReopenMenu::refresh() {
    // Later, not now: refresh may run from an entry's own triggered signal.
    for (QAction* old : m_menu->actions()) {
        m_menu->removeAction(old);
        old->deleteLater();
    }
    const QStringList files = m_recent.files();
    if (files.isEmpty()) {
        m_menu->addAction(QStringLiteral("(empty)"))->setEnabled(false);
        return;
    }
    for (const QString& path : files) {
        QAction* entry = m_menu->addAction(MenuText(path));
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { emit fileChosen(path); });
    }
}

} // namespace varko::maintree
