#pragma once

#include "varko/pref/fixed_dialog.h"
#include "varko/pref/pref_controls.h"
#include "varko/pref/preferences_target.h"

namespace varko::platform {
class Desktop;
}

namespace varko::pref {

// The preferences dialog: the game directories, the editor's font, size and word wrap, and the
// reset of the main window's placement. Every field except the reset box is refilled from the
// running program each time the dialog is shown; OK stores the fields in prefs.ini and applies
// them at once. Open it with exec().
class TPrefFrm : public FixedDialog {
    Q_OBJECT

public:
    TPrefFrm(platform::Desktop& desktop, SettingsFile settings, PreferencesTarget& target,
             QWidget* parent = nullptr);

    const PrefControls& Controls() const { return m_controls; }

    void FormShow();
    // OK: a failure to write prefs.ini ends it with the dialog still open.
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString ChosenFontName() const;
    void StoreDirectories();
    void StoreDisplay();
    void ResetPlacement();

    platform::Desktop& m_desktop;
    SettingsFile m_settings;
    PreferencesTarget& m_target;
    PrefControls m_controls;
};

} // namespace varko::pref
