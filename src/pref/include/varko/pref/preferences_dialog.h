#pragma once

#include "varko/pref/fixed_dialog.h"
#include "varko/pref/preferences_controls.h"
#include "varko/pref/preferences_target.h"

namespace varko::platform {
class Desktop;
}

namespace varko::pref {

// The preferences dialog: the game directories, the editor's font, size and word wrap, the
// reset of the main window's placement, and what the editor checks by itself. Every field except the reset
// box is refilled from the running program each time the dialog is shown; OK stores the fields in prefs.ini
// and applies them at once. Open it with exec().
class PreferencesDialog : public FixedDialog {
    Q_OBJECT

public:
    PreferencesDialog(platform::Desktop& desktop, SettingsFile settings, PreferencesTarget& target,
                      QWidget* parent = nullptr);

    const PreferencesControls& controls() const { return m_controls; }

    // The fields show what the running program uses, not what prefs.ini holds.
    void showProgramSettings();
    // OK: a failure to write prefs.ini ends it with the dialog still open.
    void storeAndApply();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString chosenFontName() const;
    void storeDirectories();
    void storeDisplay();
    void storeChecking();
    void resetPlacement();

    platform::Desktop& m_desktop;
    SettingsFile m_settings;
    PreferencesTarget& m_target;
    PreferencesControls m_controls;
};

} // namespace varko::pref
