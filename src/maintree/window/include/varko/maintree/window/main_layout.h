#pragma once

class QListWidget;
class QMainWindow;
class QWidget;

namespace varko::maintree {

class EdgeSplitter;
class EditorPane;
class NavigationPanel;
class StatusPanels;

// The window's controls below the toolbar, from the left edge in.
struct MainLayout {
    NavigationPanel* navigationPanel = nullptr;
    EdgeSplitter* navigationSplitter = nullptr;
    // Stands where the splitter stands while the panel is collapsed.
    QWidget* navigationSpacer = nullptr;
    QWidget* editorArea = nullptr;
    EditorPane* editor = nullptr;
    EdgeSplitter* messageSplitter = nullptr;
    QListWidget* messageList = nullptr;
    StatusPanels* statusPanels = nullptr;
};

// The navigation panel collapsed at the left, the editor filling the rest above the status bar;
// the message list and both splitters hidden.
MainLayout BuildMainLayout(QMainWindow& window);

} // namespace varko::maintree
