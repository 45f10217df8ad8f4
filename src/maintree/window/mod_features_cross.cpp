// The views across files: where the document's properties are set, and the tech tree as a graph.
#include "varko/compiler/check_pipeline.h"
#include "varko/maintree/crossview/other_sites_text.h"
#include "varko/maintree/crossview/properties_view.h"
#include "varko/maintree/crossview/tech_tree_graph_window.h"
#include "varko/language/document_check.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/navigation/navigation_panel.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/mod_features.h"
#include "varko/maintree/window/mod_icons.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

namespace varko::maintree {

namespace {

// The properties are gathered again this long after the typing stops.
constexpr int kPropertiesDelayMs = 400;

bool IsTechTree(const QString& path) {
    return compiler::KindOfPath(QFile::encodeName(path).toStdString()) == compiler::DocumentKind::TechTree;
}

// The property a "name = value" line sets; empty for other lines.
QString PropertyOfLine(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals <= 0 || line.front().isSpace() || line.startsWith(QLatin1String("//")))
        return {};
    return line.left(equals).trimmed();
}

} // namespace

void ModFeatures::createCrossViews() {
    m_properties = new maintree::PropertiesView;
    m_properties->setObjectName(QStringLiteral("propertiesView"));
    m_window.layout().navigationPanel->addPage(m_properties);
    m_propertiesPage =
        AddPageButton(m_window.toolBar(), "propertiesPage", "Properties", DrawPropertiesIcon());
    m_window.navigation().addPage(m_propertiesPage, QStringLiteral("Properties"), m_properties);
    connect(m_properties, &maintree::PropertiesView::openLocation, this,
            [this](const QString& file, int line) { guarded([&] { openProperty(file, line); }); });
    m_propertiesTimer = new QTimer(this);
    m_propertiesTimer->setSingleShot(true);
    m_propertiesTimer->setInterval(kPropertiesDelayMs);
    connect(m_propertiesTimer, &QTimer::timeout, this, &ModFeatures::refreshProperties);
    connect(m_window.editor().document(), &QTextDocument::contentsChange, m_propertiesTimer,
            [this](int, int removed, int added) {
                if (removed > 0 || added > 0)
                    m_propertiesTimer->start();
            });
    m_menu.menu->addSeparator();
    m_techTreeGraph = m_menu.menu->addAction(QStringLiteral("Tech Tree Graph"));
    m_techTreeGraph->setObjectName(QStringLiteral("techTreeGraphAction"));
    m_graphWindow = new maintree::TechTreeGraphWindow(&m_window);
    m_graphWindow->setObjectName(QStringLiteral("techTreeGraphWindow"));
    connect(m_techTreeGraph, &QAction::triggered, this, [this] { guarded([this] { showTechTreeGraph(); }); });
    connect(m_graphWindow, &maintree::TechTreeGraphWindow::entrySelected, this,
            &ModFeatures::showGraphEntry);
}

// On a worker, from a copy of the text; a tech tree sets no properties.
void ModFeatures::refreshProperties() {
    const QString document = currentFile();
    if (IsTechTree(document)) {
        m_properties->clear();
        return;
    }
    m_properties->showDocument(document, m_window.editor().document()->toRawText(),
                               language::AddonOdfSource(m_window.environment()));
}

// The document's own lines come with its path; an included file with the name its include gives.
void ModFeatures::openProperty(const QString& file, int line) {
    if (file == currentFile()) {
        showLine(line);
        return;
    }
    const std::optional<std::string> path = m_window.environment().FindOdfPath(file.toStdString());
    if (!path) {
        showStatus(QStringLiteral("File not found: %1").arg(file));
        return;
    }
    openAt(QFile::decodeName(QByteArray::fromStdString(*path)), line);
}

void ModFeatures::showTechTreeGraph() {
    if (!IsTechTree(currentFile())) {
        showStatus(QStringLiteral("The tech tree graph is drawn for tech-tree (.tt) documents"));
        return;
    }
    m_graphWindow->showGraph(m_window.editor().document()->toRawText());
    m_graphWindow->raise();
    m_graphWindow->activateWindow();
}

void ModFeatures::showGraphEntry(int line) {
    m_window.activateWindow();
    showLine(line);
}

QString ModFeatures::lineTip(int line) const {
    EditorPane& editor = m_window.editor();
    const QTextBlock block = editor.document()->findBlockByNumber(line);
    const QString faults = editor.faultTextOf(block);
    const QString name = IsTechTree(currentFile()) ? QString() : PropertyOfLine(block.text());
    const QString others =
        name.isEmpty() ? QString()
                       : maintree::OtherSitesText(m_properties->sites(), name, currentFile(), line + 1);
    if (faults.isEmpty() || others.isEmpty())
        return faults + others;
    return faults + QLatin1Char('\n') + others;
}

} // namespace varko::maintree
