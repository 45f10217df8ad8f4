#include "varko/maintree/controls/edge_splitter.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/navigation/navigation_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

// What the user sees and a screen reader hears of the panel in one state.
struct PanelView {
    QString arrow;
    QString spoken;
    int width;
    QString title;
    bool hierarchyShown;
    bool browserShown;
    bool splitterShown;
    bool spacerShown;

    bool operator==(const PanelView&) const = default;
};

void PrintTo(const PanelView& state, std::ostream* out) {
    *out << "arrow " << state.arrow.toStdString() << " \"" << state.spoken.toStdString() << "\", width "
         << state.width << ", title \"" << state.title.toStdString() << "\", hierarchy "
         << state.hierarchyShown << ", browser " << state.browserShown << ", splitter " << state.splitterShown
         << ", spacer " << state.spacerShown;
}

const PanelView kCollapsed{"4", "Show navigation panel", 19, "", false, false, false, true};
const PanelView kHierarchyPage{"3",  "Hide navigation panel", 180, "Script Hierarchy", true, false, true,
                               false};
const PanelView kBrowserPage{"3", "Hide navigation panel", 180, "Object Browser", false, true, true, false};

// The panel laid out as in the main window, with the two page buttons.
class NavigationControllerTest : public ::testing::Test {
protected:
    NavigationControllerTest() {
        m_window.resize(600, 400);
        m_panel = new NavigationPanel(&m_window);
        m_splitter = new EdgeSplitter(EdgeSplitter::Side::Left, m_panel, &m_window);
        m_splitter->hide();
        m_spacer = new QWidget(&m_window);
        m_spacer->setFixedWidth(EdgeSplitter::kThickness);
        auto* row = new QHBoxLayout(&m_window);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        row->addWidget(m_panel);
        row->addWidget(m_splitter);
        row->addWidget(m_spacer);
        row->addStretch(1);
        auto* pages = new QActionGroup(&m_window);
        for (QAction* page : {m_hierarchyPage, m_browserPage}) {
            page->setCheckable(true);
            pages->addAction(page);
        }
        m_hierarchyPage->setChecked(true);
        m_control = std::make_unique<NavigationController>(
            NavigationWidgets{m_panel, m_splitter, m_spacer, m_hierarchyPage, m_browserPage});
        m_window.show();
    }

    PanelView State() const {
        return {m_panel->arrow->text(),
                m_panel->arrow->accessibleName(),
                m_panel->width(),
                m_panel->titleBar->text(),
                m_panel->hierarchyTree->isVisible(),
                m_panel->browserTree->isVisible(),
                m_splitter->isVisible(),
                m_spacer->isVisible()};
    }

    void ClickArrow() { QTest::mouseClick(m_panel->arrow, Qt::LeftButton); }

    // Each event is made just before it is sent: events of one pointer share their point.
    void SendMouse(QEvent::Type type, QPointF local, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, m_splitter->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(m_splitter, &event);
    }

    void DragSplitter(int by) {
        m_window.layout()->activate(); // the splitter stands where the last drag put it
        const QPointF from(1, 10);
        const QPointF to = from + QPointF(by, 0);
        SendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        SendMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        SendMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    QWidget m_window;
    NavigationPanel* m_panel = nullptr;
    EdgeSplitter* m_splitter = nullptr;
    QWidget* m_spacer = nullptr;
    QAction* m_hierarchyPage = new QAction(QStringLiteral("Script Hierachy"), &m_window);
    QAction* m_browserPage = new QAction(QStringLiteral("Object Browser"), &m_window);
    std::unique_ptr<NavigationController> m_control;
};

TEST_F(NavigationControllerTest, StatesFollowTheArrowAndThePageButtons) {
    enum Step { Arrow, Hie, Obj };
    const struct {
        const char* name;
        std::vector<Step> steps;
        PanelView state;
    } rows[] = {
        {"at start", {}, kCollapsed},
        {"first expansion opens the hierarchy", {Arrow}, kHierarchyPage},
        {"browser chosen while collapsed changes nothing", {Obj}, kCollapsed},
        {"next expansion opens the chosen page", {Obj, Arrow}, kBrowserPage},
        {"switch to the browser while expanded", {Arrow, Obj}, kBrowserPage},
        {"and back to the hierarchy", {Arrow, Obj, Hie}, kHierarchyPage},
        {"clicking the page on show", {Arrow, Hie}, kHierarchyPage},
        {"collapse hides both trees and the title", {Arrow, Obj, Arrow}, kCollapsed},
        {"hierarchy chosen while collapsed", {Arrow, Obj, Arrow, Hie, Arrow}, kHierarchyPage},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (m_control->state() == PanelState::Expanded)
            ClickArrow();
        m_hierarchyPage->trigger();
        for (Step step : row.steps) {
            if (step == Arrow)
                ClickArrow();
            else
                (step == Hie ? m_hierarchyPage : m_browserPage)->trigger();
        }
        EXPECT_EQ(State(), row.state);
    }
}

TEST_F(NavigationControllerTest, DraggedWidthIsKeptAcrossCollapses) {
    ClickArrow();
    DragSplitter(70);
    EXPECT_EQ(m_panel->width(), 250);
    ClickArrow();
    EXPECT_EQ(m_control->expandedWidth(), 250);
    EXPECT_EQ(m_panel->width(), 19);
    ClickArrow();
    EXPECT_EQ(m_panel->width(), 250);
}

TEST_F(NavigationControllerTest, SplitterTakesTheWidthOnReleaseAndClosesAtTheMinimum) {
    ClickArrow();
    m_window.layout()->activate();
    const QPointF from(1, 10);
    SendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(QEvent::MouseMove, from + QPointF(40, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m_panel->width(), 180) << "only the line follows the pointer during the drag";
    SendMouse(QEvent::MouseButtonRelease, from + QPointF(40, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(m_panel->width(), 220);

    auto settled = [this] {
        m_window.layout()->activate();
        return m_panel->width();
    };
    DragSplitter(-190); // 30 pixels: closed
    EXPECT_EQ(settled(), 0);
    DragSplitter(31);
    EXPECT_EQ(settled(), 31) << "a closed panel opens again with a further drag";
    DragSplitter(100000);
    EXPECT_EQ(settled(), m_window.width() - 30 - 2 * EdgeSplitter::kThickness);
}

} // namespace
} // namespace varko::maintree
