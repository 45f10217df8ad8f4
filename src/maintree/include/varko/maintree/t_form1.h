#pragma once

#include "varko/compiler/file_catalogue.h"
#include "varko/compiler/settings.h"
#include "varko/maintree/main_layout.h"
#include "varko/maintree/main_menu.h"
#include "varko/maintree/tool_bar.h"
#include "varko/platform/desktop.h"
#include "varko/textrules/profile_file.h"

#include <QMainWindow>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace varko::maintree {

class Documents;
class EditorPane;
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

    // How FormShow opens the preferences dialog, which is created after this window.
    void SetPreferencesDialog(std::function<void()> show) { m_showPreferences = std::move(show); }

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

    const std::string& AppDir() const { return m_appDir; }
    const QString& CurrentFile() const;
    textrules::TIniFile& PrefsIni() { return *m_prefsIni; }
    bool ShowPrefsAtStart() const { return m_showPrefsAtStart; }
    const compiler::GameDirs& GameDirs() const { return m_dirs; }
    int NavWidth() const { return m_navWidth; }
    compiler::FileCatalogue& OdfCatalogue() { return m_flbadd; }
    compiler::FileCatalogue& SodCatalogue() { return m_flbsod; }
    textrules::LineList& Declarations() { return m_declarations; }
    std::atomic<bool>& HierarchyDirty() { return m_hierarchyDirty; }

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
    void Guarded(const std::function<void()>& command);

    platform::Desktop& m_desktop;
    std::string m_appDir;
    std::unique_ptr<textrules::TIniFile> m_prefsIni;
    bool m_showPrefsAtStart = false;
    compiler::GameDirs m_dirs;
    int m_navWidth = 0;
    textrules::LineList m_declarations;
    std::atomic<bool> m_hierarchyDirty{false};
    compiler::FileCatalogue m_flbadd;
    compiler::FileCatalogue m_flbsod;
    std::function<void()> m_showPreferences;

    ToolBarItems m_toolBar;
    MenuItems m_menu;
    MainLayout m_layout;
    PopupItems m_popup;
    std::unique_ptr<Documents> m_documents;
};

} // namespace varko::maintree
