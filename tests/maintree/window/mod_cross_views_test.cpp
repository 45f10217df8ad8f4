#include "mod_window_fixture.h"
#include "varko/maintree/crossview/properties_view.h"
#include "varko/maintree/crossview/tech_tree_graph_window.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/navigation/navigation_panel.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace varko::maintree {
namespace {

class ModCrossViews : public ModWindowFixture {
protected:
    void SetUp() override {
        ModWindowFixture::SetUp();
        WriteModFile("unit.odf", "#include \"base.odf\"\r\nhull = 2\r\nunitName = \"U\"\r\n");
        WriteModFile("tree.tt", "a.odf 0\r\nb.odf 1 a.odf\r\n");
    }
    QString Current() const { return m_window->documents().currentFile(); }
    int CaretLine() const { return Editor().textCursor().blockNumber() + 1; }
};

// The Properties page lists where the document and its includes set each property; Return on a
// row opens its file at its line, and the hover over a line names the other places.
TEST_F(ModCrossViews, PropertiesPageShowsWhereEachPropertyIsSet) {
    Start();
    maintree::PropertiesView& view = Features().properties();
    QSignalSpy shown(&view, &maintree::PropertiesView::sitesShown);
    Open("unit.odf");
    ASSERT_TRUE(shown.wait(10000));
    QStringList sites;
    for (const compiler::PropertySite& site : view.sites())
        sites << QStringLiteral("%1 %2:%3").arg(site.name.c_str(), site.file.c_str()).arg(site.line);
    EXPECT_EQ(sites, QStringList({"hull base.odf:1", "hull unit.odf:2", "unitName unit.odf:3"}));

    m_window->navigation().toggleNavigationPanel();
    Features().propertiesPage()->trigger();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(m_window->layout().navigationPanel->titleBar->text(), "Properties");
    EXPECT_FALSE(m_window->toolBar().hierarchyPage->isChecked());

    // Past the end of the line "hull = 2".
    const QRect lineStart = Editor().cursorRect(QTextCursor(Editor().document()->findBlockByNumber(1)));
    const QPoint pastTheEnd(Editor().viewport()->width() - 4, lineStart.center().y());
    EXPECT_EQ(Features().hoverTips().textAt(pastTheEnd), "Also set in: base.odf line 1");
    view.setCurrentIndex(view.model()->index(0, 0));
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(Current(), PathOf("base.odf"));
    EXPECT_EQ(CaretLine(), 1);
}

// A tech tree has no properties; a changed document is gathered again after the typing stops.
TEST_F(ModCrossViews, PropertiesFollowTheDocument) {
    Start();
    maintree::PropertiesView& view = Features().properties();
    QSignalSpy shown(&view, &maintree::PropertiesView::sitesShown);
    Open("unit.odf");
    ASSERT_TRUE(shown.wait(10000));
    QTest::keyClick(&Editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&Editor(), "maxHealth = 3");
    ASSERT_TRUE(shown.wait(10000));
    EXPECT_EQ(view.sites().back().name, "maxHealth");
    m_desktop.QueueAnswer(platform::Answer::No);
    Open("tree.tt");
    EXPECT_EQ(Current(), PathOf("tree.tt"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.sites().empty(); }, 10000));
}

TEST_F(ModCrossViews, TechTreeGraphDrawsTheTreeAndLeadsBackToAnEntry) {
    Start();
    QAction* item = Features().techTreeGraph();
    EXPECT_EQ(item->text(), "Tech Tree Graph");
    maintree::TechTreeGraphWindow& graph = Features().graphWindow();
    item->trigger();
    EXPECT_FALSE(graph.isVisible());
    EXPECT_EQ(StatusMessage(), "The tech tree graph is drawn for tech-tree (.tt) documents");

    Open("tree.tt");
    QSignalSpy drawn(&graph, &maintree::TechTreeGraphWindow::graphShown);
    item->trigger();
    ASSERT_TRUE(drawn.wait(10000));
    EXPECT_TRUE(graph.isVisible());
    EXPECT_EQ(graph.accessibleName(), "Tech Tree Graph");
    EXPECT_EQ(graph.treeList().model()->rowCount(), 2);
    emit graph.entrySelected(2);
    EXPECT_EQ(CaretLine(), 2);
    EXPECT_EQ(Current(), PathOf("tree.tt"));
}

} // namespace
} // namespace varko::maintree
