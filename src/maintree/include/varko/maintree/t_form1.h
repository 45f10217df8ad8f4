#pragma once

#include "varko/compiler/check_pipeline.h"
#include "varko/compiler/settings.h"
#include "varko/maintree/main_layout.h"
#include "varko/maintree/main_menu.h"
#include "varko/maintree/tool_bar.h"
#include "varko/platform/desktop.h"
#include "varko/textrules/profile_file.h"

#include <QMainWindow>
#include <QStringList>

class QTimer;

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace varko::maintree {

class CheckRun;
class Documents;
class EditorPane;
class FormPlacement;
class MessageList;
class NavPanelControl;
class ObjectBrowser;
class QtPlacementWindow;
class ScriptHierarchy;
class StatusPanels;

// Where the program runs from and what it was started with.
struct StartupOptions {
    // The executable's directory; a missing trailing separator is added.
    QString appDir;
    // The command-line arguments after the program's name.
    QStringList arguments;
};

// The main window. Each handler keeps the program's name for its command and hands the work to
// the collaborator that owns it.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    TForm1(platform::Desktop& desktop, StartupOptions options, QWidget* parent = nullptr);
    ~TForm1() override;

    // The windows created after this one: how FormShow and the Help menu open them.
    void SetPreferencesDialog(std::function<void()> show) { m_showPreferences = std::move(show); }
    void SetAboutBox(std::function<void()> show) { m_showAbout = std::move(show); }

    void FormShow();
    bool FormCloseQuery();

    void tb_NewClick(QObject* sender);
    void tb_openClick();
    void tb_SaveClick();
    void mi_SaveAsClick();
    void mi_ByeClick();
    void WMDropFiles(const QStringList& files);
    void LoadFile(const QString& fileName);
    bool SaveFile(const QString& fileName);
    bool CheckFileSave();

    void EditorSelectionChange();
    void EditorChange();
    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void SelectAll1Click();

    void tb_RunClick();
    void MsgListDblClick();
    void Timer1Timer();
    void TreeHieDblClick();
    void TreeObjDblClick();
    void Spd_arrClick();
    void tb_HieClick();
    void tb_ObjClick();
    void Preferences1Click();
    void About1Click();
    void m_HelpClick();
    void VisitWebsite1Click();

    const std::string& AppDir() const { return m_appDir; }
    const QString& CurrentFile() const;
    textrules::TIniFile& PrefsIni() { return *m_prefsIni; }
    bool ShowPrefsAtStart() const { return m_showPrefsAtStart; }
    const compiler::GameDirs& GameDirs() const { return m_dirs; }
    // AddonDir and SodDir, as the preferences dialog's OK sets them.
    void SetGameDirs(const compiler::GameDirs& dirs) { m_dirs = dirs; }
    // Points the check environment at the game directories, with an error box for each one that
    // cannot be reached.
    void RefreshCatalogues();
    int NavWidth() const { return m_navWidth; }
    // What check runs read: declarations, ignore list and the game directories' catalogues.
    compiler::CheckEnvironment& Environment() { return *m_environment; }
    bool HierarchyDirty() const;
    maintree::FormPlacement& FormPlacement() { return *m_formPlacement; }
    maintree::CheckRun& CheckRuns() { return *m_checkRun; }
    maintree::ScriptHierarchy& Hierarchy() { return *m_hierarchy; }
    NavPanelControl& Navigation() { return *m_nav; }
    QTimer* Timer1 = nullptr;

    EditorPane* Editor() const { return m_layout.Editor; }
    StatusPanels* StatusBar() const { return m_layout.StatusBar; }
    const MainLayout& Layout() const { return m_layout; }
    const MenuItems& Menu() const { return m_menu; }
    const PopupItems& Popup() const { return m_popup; }
    const ToolBarItems& ToolBar() const { return m_toolBar; }
    const Documents& Document() const { return *m_documents; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate(const QStringList& arguments);
    void ReadSettings();
    void Bind(QAction* action, void (TForm1::*handler)());
    void BindNew(QAction* action);
    void ConnectCommands();
    void ConnectEditor();
    void ConnectRuns();
    void ConnectNavigation();
    void ConnectHelpMenu();
    void CreateCollaborators();
    void Guarded(const std::function<void()>& command);

    platform::Desktop& m_desktop;
    std::string m_appDir;
    std::unique_ptr<textrules::TIniFile> m_prefsIni;
    bool m_showPrefsAtStart = false;
    compiler::GameDirs m_dirs;
    int m_navWidth = 0;
    std::unique_ptr<compiler::CheckEnvironment> m_environment;
    std::function<void()> m_showPreferences;
    std::function<void()> m_showAbout;

    ToolBarItems m_toolBar;
    MenuItems m_menu;
    MainLayout m_layout;
    PopupItems m_popup;
    std::unique_ptr<Documents> m_documents;
    // Declared last so they go first: they stop their workers while the widgets still exist.
    std::unique_ptr<QtPlacementWindow> m_placementWindow;
    std::unique_ptr<maintree::FormPlacement> m_formPlacement;
    std::unique_ptr<NavPanelControl> m_nav;
    std::unique_ptr<ObjectBrowser> m_objectBrowser;
    std::unique_ptr<ScriptHierarchy> m_hierarchy;
    std::unique_ptr<MessageList> m_messageList;
    std::unique_ptr<maintree::CheckRun> m_checkRun;
};

} // namespace varko::maintree
