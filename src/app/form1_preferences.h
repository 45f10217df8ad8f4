#pragma once

#include "varko/maintree/t_form1.h"
#include "varko/pref/preferences_target.h"

namespace varko::app {

// What the preferences dialog changes in the running program: the main window's directories,
// editor settings, catalogues and placement store.
class Form1Preferences : public pref::PreferencesTarget {
public:
    explicit Form1Preferences(maintree::TForm1& form1) : m_form1(form1) {}

    compiler::GameDirs GameDirs() const override;
    void SetGameDirs(const compiler::GameDirs& dirs) override;
    QString EditorFontName() const override;
    int EditorFontSize() const override;
    bool EditorWordWrap() const override;
    void SetEditorFontName(const QString& name) override;
    void SetEditorFontSize(int points) override;
    void SetEditorWordWrap(bool wrap) override;
    void RefreshCatalogues() override;
    void SwitchPlacementOff() override;

private:
    maintree::TForm1& m_form1;
};

} // namespace varko::app
