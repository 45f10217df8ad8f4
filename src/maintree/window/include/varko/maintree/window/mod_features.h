#pragma once

#include "varko/maintree/assist/check_mod_job.h"
#include "varko/maintree/assist/completion.h"
#include "varko/maintree/assist/file_navigator.h"
#include "varko/maintree/assist/hover_tips.h"
#include "varko/maintree/assist/live_checker.h"
#include "varko/maintree/assist/mod_menu.h"
#include "varko/maintree/assist/quick_fix.h"
#include "varko/compiler/odf_source.h"
#include "varko/language/property_catalog.h"
#include "varko/maintree/window/reference_search.h"
#include "varko/platform/desktop.h"
#include "varko/textrules/profile_file.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QAction;
class QTimer;

namespace varko::maintree {
class ModFilesView;
}

namespace varko::maintree {
class PropertiesView;
class TechTreeGraphWindow;
} // namespace varko::maintree

namespace varko::maintree {

class MainWindow;
class ModProblemsDock;

// What the editor knows about the game, in the main window: the "Mod" menu, checks while the user
// types, completion, hover tips, going to files and back, quick fixes, the "Mod Files" and
// "Properties" pages of the navigation panel, the "Mod Problems" of a check of the whole mod or a
// search for references, and the "Tech Tree Graph" window.
class ModFeatures : public QObject {
    Q_OBJECT

public:
    ModFeatures(MainWindow& window, platform::Desktop& desktop);
    ~ModFeatures() override;

    const maintree::ModMenuItems& menu() const { return m_menu; }
    QAction* modFilesPage() const { return m_modFilesPage; }
    QAction* propertiesPage() const { return m_propertiesPage; }
    QAction* techTreeGraph() const { return m_techTreeGraph; }
    maintree::PropertiesView& properties() const { return *m_properties; }
    maintree::TechTreeGraphWindow& graphWindow() const { return *m_graphWindow; }
    maintree::ModFilesView& modFiles() const { return *m_modFiles; }
    ModProblemsDock& problems() const { return *m_problems; }
    maintree::LiveChecker& liveChecker() const { return *m_liveChecker; }
    maintree::Completion& completion() const { return *m_completion; }
    maintree::FileNavigator& navigator() const { return *m_navigator; }
    maintree::QuickFix& quickFix() const { return *m_quickFix; }
    maintree::HoverTips& hoverTips() const { return *m_hoverTips; }
    maintree::CheckModJob& checkModJob() const { return *m_checkMod; }
    ReferenceSearch& referenceSearch() const { return *m_references; }

    // [Checking] of prefs.ini.
    void readSettings(const textrules::TIniFile& prefs);
    bool checkWhileTyping() const;
    void setCheckWhileTyping(bool on);
    bool extraChecks() const { return m_extraChecks.load(); }
    void setExtraChecks(bool on);
    // Reads the property catalogue again and lists the mod's files anew, once the game directories
    // or the data files may have changed.
    void refresh();
    // The findings of a check of the document, for the quick fixes and the fault marks.
    void showFindings(const std::vector<compiler::Finding>& findings);

private:
    std::shared_ptr<const language::PropertyCatalog> catalog() const;
    QString currentFile() const;
    void createAssists();
    void createLiveChecker();
    void createModViews();
    void bindMenu();
    void bindContextMenu();
    void guarded(const std::function<void()>& command);
    void showStatus(const QString& text);

    // Opening files (mod_features_open.cpp).
    bool openDocument(const QString& path);
    void openAt(const QString& path, int line);
    void goToFile();
    void openFromNavigator(const QString& path);
    void goBack();
    void showLine(int line);

    // Checks of the whole mod (mod_features_mod.cpp).
    void createSearches();
    maintree::CheckOutcome checkModFile(const textrules::LineList& lines, const std::string& path,
                                      const std::atomic<bool>& stop);
    void checkMod();
    void showCheckedFiles(const std::vector<maintree::ModFileResult>& results);
    void checkModFinished(bool stopped);
    void findReferences();
    void showReferences(const QString& fileName, const std::vector<ReferringFile>& files, bool stopped);
    void stopSearches();
    void listModFiles();

    // The views across files (mod_features_cross.cpp).
    void createCrossViews();
    void refreshProperties();
    void openProperty(const QString& file, int line);
    void showTechTreeGraph();
    void showGraphEntry(int line);
    // What the hover adds for a 0-based line: its faults, then the other places that set its property.
    QString lineTip(int line) const;

    MainWindow& m_window;
    platform::Desktop& m_desktop;
    maintree::ModMenuItems m_menu;
    QAction* m_modFilesPage = nullptr;
    // Widgets of the window, which outlive this.
    maintree::ModFilesView* m_modFiles = nullptr;
    ModProblemsDock* m_problems = nullptr;
    maintree::PropertiesView* m_properties = nullptr;
    maintree::TechTreeGraphWindow* m_graphWindow = nullptr;
    QAction* m_propertiesPage = nullptr;
    QAction* m_techTreeGraph = nullptr;
    QTimer* m_propertiesTimer = nullptr;
    QList<QAction*> m_contextFixes;
    QString m_checkModFailure;
    std::atomic<bool> m_extraChecks = true;
    std::atomic<bool> m_refreshBeforeCheck = false;
    // Written and read only by the check of the mod's worker.
    std::shared_ptr<const compiler::OdfSource> m_modIncludes;
    bool m_showingCheckMod = false;

    mutable std::mutex m_catalogLock;
    std::shared_ptr<const language::PropertyCatalog> m_catalog;

    // Declared last, so they go first: their workers end while what they read still exists.
    std::unique_ptr<maintree::Completion> m_completion;
    std::unique_ptr<maintree::HoverTips> m_hoverTips;
    std::unique_ptr<maintree::QuickFix> m_quickFix;
    std::unique_ptr<maintree::FileNavigator> m_navigator;
    std::unique_ptr<maintree::LiveChecker> m_liveChecker;
    std::unique_ptr<maintree::CheckModJob> m_checkMod;
    std::unique_ptr<ReferenceSearch> m_references;
};

} // namespace varko::maintree
