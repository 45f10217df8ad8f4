#include "main_window_preferences.h"

#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/placement/form_placement.h"

namespace varko::app {

compiler::GameDirs MainWindowPreferences::gameDirs() const {
    return m_window.gameDirs();
}

void MainWindowPreferences::setGameDirs(const compiler::GameDirs& dirs) {
    m_window.setGameDirs(dirs);
}

QString MainWindowPreferences::editorFontName() const {
    return m_window.editor().fontName();
}

int MainWindowPreferences::editorFontSize() const {
    return m_window.editor().fontSize();
}

bool MainWindowPreferences::editorWordWrap() const {
    return m_window.editor().wordWrap();
}

void MainWindowPreferences::setEditorFontName(const QString& name) {
    m_window.editor().setFontName(name);
}

void MainWindowPreferences::setEditorFontSize(int points) {
    m_window.editor().setFontSize(points);
}

void MainWindowPreferences::setEditorWordWrap(bool wrap) {
    m_window.editor().setWordWrap(wrap);
}

void MainWindowPreferences::refreshCatalogues() {
    m_window.refreshCatalogues();
}

void MainWindowPreferences::switchPlacementOff() {
    m_window.placement().setActive(false);
}

} // namespace varko::app
