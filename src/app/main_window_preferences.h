#pragma once

#include "varko/maintree/window/main_window.h"
#include "varko/pref/preferences_target.h"

namespace varko::app {

// What the preferences dialog changes in the running program: the main window's directories,
// editor settings, checks of its own, check environment and placement store.
class MainWindowPreferences : public pref::PreferencesTarget {
public:
    explicit MainWindowPreferences(maintree::MainWindow& window) : m_window(window) {}

    compiler::GameDirs gameDirs() const override;
    void setGameDirs(const compiler::GameDirs& dirs) override;
    QString editorFontName() const override;
    int editorFontSize() const override;
    bool editorWordWrap() const override;
    void setEditorFontName(const QString& name) override;
    void setEditorFontSize(int points) override;
    void setEditorWordWrap(bool wrap) override;
    bool checkWhileTyping() const override;
    bool extraChecks() const override;
    void setCheckWhileTyping(bool on) override;
    void setExtraChecks(bool on) override;
    void refreshCatalogues() override;
    void switchPlacementOff() override;

private:
    maintree::MainWindow& m_window;
};

} // namespace varko::app
