#include "varko/maintree/window/startup_settings.h"

#include "varko/maintree/editor/editor_pane.h"

namespace varko::maintree {

namespace settings = compiler::settings;

namespace {

constexpr qsizetype kMaxFontNameLength = 31;

} // namespace

StartupSettings ReadStartupSettings(const textrules::TIniFile& prefs, const std::string& appDir,
                                    const std::string& productVersion) {
    StartupSettings read;
    read.showPrefsAtStart = prefs.ReadText(settings::kApplication, settings::kVersion,
                                           settings::kVersionDefault) != productVersion;
    read.dirs = compiler::ReadGameDirs(prefs, appDir);
    read.fontSize = prefs.ReadNumber(settings::kDisplay, settings::kFontSize, settings::kFontSizeDefault);
    read.fontName = prefs.ReadText(settings::kDisplay, settings::kFont, settings::kFontDefault);
    read.wordWrap = prefs.ReadFlag(settings::kDisplay, settings::kWordWrap, settings::kWordWrapDefault);
    return read;
}

void ApplyEditorSettings(EditorPane& editor, const StartupSettings& settings) {
    editor.setFontSize(settings.fontSize);
    if (!settings.fontName.empty())
        editor.setFontName(QString::fromStdString(settings.fontName).left(kMaxFontNameLength));
    editor.setWordWrap(settings.wordWrap);
}

void RefreshCatalogues(compiler::CheckEnvironment& environment, const compiler::GameDirs& dirs,
                       platform::Desktop& desktop) {
    for (const std::string& failure : environment.SetGameDirs({dirs.addon}, {dirs.sod}))
        desktop.ShowError(QString::fromStdString(failure));
}

} // namespace varko::maintree
