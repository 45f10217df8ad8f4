#pragma once

#include "varko/compiler/check_pipeline.h"
#include "varko/compiler/settings.h"
#include "varko/maintree/window/main_layout.h"
#include "varko/maintree/window/main_menu.h"
#include "varko/maintree/window/tool_bar.h"
#include "varko/platform/desktop.h"
#include "varko/textrules/profile_file.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class QTimer;

namespace varko::maintree {

class CheckRun;
class Documents;
class EditActions;
class EditorFeatures;
class EditorPane;
class FormPlacement;
class MessageList;
class ModFeatures;
class NavigationController;
class ObjectBrowser;
class QtPlacementWindow;
class ScriptHierarchy;
class StatusPanels;

// Where the program runs from and what it was started with.
struct StartupOptions {
    // The folder of the data files (the executable's own, or share/varko when installed); a
    // missing trailing separator is added.
    QString appDir;
    // The command-line arguments after the program's name.
    QStringList arguments;
    // Where prefs.ini (with the recent files) lives; empty: appDir.
    QString settingsDir;
    // Where recovery copies go; empty: ".recovery" in settingsDir.
    QString recoveryFolder;
    // The folder of help.htm; empty: appDir.
    QString helpDir;
};

// The main window: builds its parts and binds each menu command, toolbar button and control to
// the part that does the work (documents, editor, check runs, navigation, placement).
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(platform::Desktop& desktop, StartupOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The windows created after this one: the first show and the Edit and Help menus open them.
    void setPreferencesDialog(std::function<void()> show) { m_showPreferences = std::move(show); }
    void setAboutBox(std::function<void()> show) { m_showAbout = std::move(show); }

    // With its trailing separator.
    const std::string& appDir() const { return m_appDir; }
    textrules::TIniFile& prefsIni() { return *m_prefsIni; }
    // The stored version differs from the program's: the preferences must be confirmed first.
    bool asksForPreferencesAtStart() const { return m_askForPreferences; }
    const compiler::GameDirs& gameDirs() const { return m_dirs; }
    // As the preferences dialog's OK sets them.
    void setGameDirs(const compiler::GameDirs& dirs) { m_dirs = dirs; }
    // Points the check environment at the game directories, with an error box for each one that
    // cannot be reached.
    void refreshCatalogues();
    // What check runs read: declarations, ignore list and the game directories' catalogues.
    compiler::CheckEnvironment& environment() { return *m_environment; }

    EditorPane& editor() const { return *m_layout.editor; }
    StatusPanels& statusPanels() const { return *m_layout.statusPanels; }
    const MainLayout& layout() const { return m_layout; }
    const MainMenu& menu() const { return m_menu; }
    const MainToolBar& toolBar() const { return m_toolBar; }
    EditActions& editActions() const { return *m_editActions; }
    Documents& documents() const { return *m_documents; }
    FormPlacement& placement() const { return *m_placement; }
    CheckRun& checkRun() const { return *m_checkRun; }
    ScriptHierarchy& hierarchy() const { return *m_hierarchy; }
    NavigationController& navigation() const { return *m_navigation; }
    EditorFeatures& editorFeatures() const { return *m_editorFeatures; }
    ModFeatures& modFeatures() const { return *m_modFeatures; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void start(const QStringList& arguments);
    void applyStartupSettings();
    void createParts();
    void createCheckRuns();
    void createNavigation();
    void bindFileCommands();
    void bindHelpMenu();
    // The command runs with the exception box around it.
    void bind(QAction* action, std::function<void()> command);
    void guarded(const std::function<void()>& command);

    platform::Desktop& m_desktop;
    std::string m_appDir;
    std::string m_settingsDir;
    QString m_recoveryFolder;
    QString m_helpDir;
    std::unique_ptr<textrules::TIniFile> m_prefsIni;
    bool m_askForPreferences = false;
    compiler::GameDirs m_dirs;
    std::unique_ptr<compiler::CheckEnvironment> m_environment;
    std::function<void()> m_showPreferences;
    std::function<void()> m_showAbout;

    MainToolBar m_toolBar;
    MainLayout m_layout;
    EditActions* m_editActions = nullptr;
    MainMenu m_menu;
    QTimer* m_hierarchyTimer = nullptr;
    std::unique_ptr<Documents> m_documents;
    std::unique_ptr<EditorFeatures> m_editorFeatures;
    // Declared last so they go first: they stop their workers while the widgets still exist.
    std::unique_ptr<QtPlacementWindow> m_placementWindow;
    std::unique_ptr<FormPlacement> m_placement;
    std::unique_ptr<NavigationController> m_navigation;
    std::unique_ptr<ObjectBrowser> m_objectBrowser;
    std::unique_ptr<ScriptHierarchy> m_hierarchy;
    std::unique_ptr<MessageList> m_messageList;
    std::unique_ptr<CheckRun> m_checkRun;
    std::unique_ptr<ModFeatures> m_modFeatures;
};

} // namespace varko::maintree
