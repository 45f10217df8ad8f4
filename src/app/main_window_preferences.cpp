#include "main_window_preferences.h"

#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/placement/form_placement.h"
#include "varko/maintree/window/mod_features.h"

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

bool MainWindowPreferences::checkWhileTyping() const {
    return m_window.modFeatures().checkWhileTyping();
}

bool MainWindowPreferences::extraChecks() const {
    return m_window.modFeatures().extraChecks();
}

void MainWindowPreferences::setCheckWhileTyping(bool on) {
    m_window.modFeatures().setCheckWhileTyping(on);
}

void MainWindowPreferences::setExtraChecks(bool on) {
    m_window.modFeatures().setExtraChecks(on);
}

void MainWindowPreferences::refreshCatalogues() {
    m_window.refreshCatalogues();
}

void MainWindowPreferences::switchPlacementOff() {
    m_window.placement().setActive(false);
}

} // namespace varko::app
