#pragma once

class QListWidget;
class QMainWindow;
class QWidget;

namespace varko::maintree {

class EdgeSplitter;
class EditorPane;
class NavPanel;
class StatusPanels;

// The window's controls below the toolbar, from the left edge in.
struct MainLayout {
    maintree::NavPanel* NavPanel = nullptr;
    EdgeSplitter* Splitnav = nullptr;
    QWidget* navspcpan = nullptr;
    QWidget* Panel3 = nullptr;
    EditorPane* Editor = nullptr;
    EdgeSplitter* Splitedit = nullptr;
    QListWidget* MsgList = nullptr;
    StatusPanels* StatusBar = nullptr;
};

// The navigation panel collapsed at the left, the editor filling the rest above the status bar;
// the message list and both splitters hidden.
MainLayout BuildMainLayout(QMainWindow& window);

} // namespace varko::maintree
