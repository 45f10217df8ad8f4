#include "form1_preferences.h"

#include "varko/maintree/editor_pane.h"
#include "varko/maintree/form_placement.h"

namespace varko::app {

compiler::GameDirs Form1Preferences::GameDirs() const {
    return m_form1.GameDirs();
}

void Form1Preferences::SetGameDirs(const compiler::GameDirs& dirs) {
    m_form1.SetGameDirs(dirs);
}

QString Form1Preferences::EditorFontName() const {
    return m_form1.Editor()->FontName();
}

int Form1Preferences::EditorFontSize() const {
    return m_form1.Editor()->FontSize();
}

bool Form1Preferences::EditorWordWrap() const {
    return m_form1.Editor()->WordWrap();
}

void Form1Preferences::SetEditorFontName(const QString& name) {
    m_form1.Editor()->SetFontName(name);
}

void Form1Preferences::SetEditorFontSize(int points) {
    m_form1.Editor()->SetFontSize(points);
}

void Form1Preferences::SetEditorWordWrap(bool wrap) {
    m_form1.Editor()->SetWordWrap(wrap);
}

void Form1Preferences::RefreshCatalogues() {
    m_form1.RefreshCatalogues();
}

void Form1Preferences::SwitchPlacementOff() {
    m_form1.FormPlacement().SetActive(false);
}

} // namespace varko::app
