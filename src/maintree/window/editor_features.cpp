#include "varko/maintree/window/editor_features.h"

#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/main_layout.h"
#include "varko/maintree/window/main_menu.h"
#include "varko/maintree/window/session_wiring.h"
#include "varko/maintree/window/status_panels.h"
#include "varko/maintree/search/find_bar.h"
#include "varko/maintree/search/go_to_line_dialog.h"

#include <QAction>
#include <QBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace varko::maintree {

namespace {

// The menu bar's entry for the Help menu, which the Search menu goes before.
QAction* HelpMenuEntry(QMenuBar& bar) {
    for (QAction* entry : bar.actions()) {
        if (entry->objectName() == QLatin1String("helpMenu"))
            return entry;
    }
    return nullptr;
}

// The File menu, which holds the Save As item.
QMenu* MenuHolding(QAction* item) {
    for (QObject* holder : item->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(holder))
            return menu;
    }
    return nullptr;
}

} // namespace

QString FaultPanelText(const QString& messages) {
    QString text = messages;
    return text.replace(QLatin1Char('\n'), QStringLiteral("; "));
}

EditorFeatures::EditorFeatures(const Parts& parts) : m_layout(parts.layout) {
    buildSearch(parts);
    m_session = std::make_unique<SessionWiring>(SessionWiring::Parts{
        *parts.layout.editor, parts.documents, *parts.layout.statusPanels, parts.desktop, parts.appDir});
    if (QMenu* file = MenuHolding(parts.menu.saveAs))
        m_session->addReopenMenu(*file, parts.menu.saveAs);
    followDocument(parts.documents);
}

EditorFeatures::~EditorFeatures() = default;

void EditorFeatures::buildSearch(const Parts& parts) {
    EditorPane& editor = *m_layout.editor;
    QMenuBar& bar = *parts.window.menuBar();
    m_searchMenu = maintree::BuildSearchMenu(bar, HelpMenuEntry(bar));
    // Below the editor, above the message list.
    m_findBar = new maintree::FindBar(editor, m_layout.editorArea);
    m_findBar->hide();
    if (auto* column = qobject_cast<QBoxLayout*>(m_layout.editorArea->layout()))
        column->insertWidget(column->indexOf(&editor) + 1, m_findBar);
    bindSearchMenu();
    // The caret starts in the text, so typing goes there from the first moment.
    editor.setFocus();
    StatusPanels& status = *m_layout.statusPanels;
    connect(&editor, &EditorPane::caretFaultChanged, &status, [&status](const QString& text) {
        status.setPanelText(StatusPanel::FaultAtCaret, FaultPanelText(text));
    });
}

void EditorFeatures::bindSearchMenu() {
    EditorPane& editor = *m_layout.editor;
    maintree::FindBar& bar = *m_findBar;
    const maintree::SearchMenuItems& items = m_searchMenu;
    connect(items.find, &QAction::triggered, &bar, &maintree::FindBar::OpenFind);
    connect(items.replace, &QAction::triggered, &bar, &maintree::FindBar::OpenReplace);
    connect(items.findNext, &QAction::triggered, &bar, &maintree::FindBar::FindNext);
    connect(items.findPrevious, &QAction::triggered, &bar, &maintree::FindBar::FindPrevious);
    connect(items.goToLine, &QAction::triggered, &editor, [&editor] { maintree::OpenGoToLine(editor); });
    connect(items.nextFault, &QAction::triggered, &editor, &EditorPane::nextFault);
    connect(items.previousFault, &QAction::triggered, &editor, &EditorPane::previousFault);
}

// A document read or begun anew has no faults yet: the marks belong to the text they were found in.
void EditorFeatures::followDocument(Documents& documents) {
    DocumentEvents events;
    events.loaded = [this](const QString& path) {
        forgetFaults();
        m_session->documentLoaded(path);
    };
    events.created = [this](const QString&) {
        forgetFaults();
        m_session->documentCreated();
    };
    events.saved = [this](const QString& path) { m_session->documentSaved(path); };
    documents.setEvents(std::move(events));
}

void EditorFeatures::forgetFaults() {
    m_layout.editor->setFindings({});
}

void EditorFeatures::start() {
    m_session->offerRecovery();
}

void EditorFeatures::windowClosed() {
    m_session->documentClosed();
}

} // namespace varko::maintree
