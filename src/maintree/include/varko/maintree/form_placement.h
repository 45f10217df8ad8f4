#pragma once

#include "varko/maintree/placement_window.h"

#include <exception>
#include <functional>
#include <string>

namespace varko::textrules {
class TIniFile;
}

namespace varko::maintree {

// Keeps the main window's position, size and show state in the [Window] section of prefs.ini
// from one run to the next: restored when the window is shown, saved once when it closes.
class FormPlacement {
public:
    // Shows a failure to read or write the file; the window's show or close goes on.
    using FailureReport = std::function<void(const std::exception& failure)>;

    FormPlacement(PlacementWindow& window, std::string iniFileName, FailureReport reportFailure);

    // While off, nothing is restored or saved.
    bool Active() const { return m_active; }
    void SetActive(bool active) { m_active = active; }
    const std::string& IniFileName() const { return m_iniFileName; }
    bool Restored() const { return m_restored; }
    bool Saved() const { return m_saved; }

    // The window is being shown, before its own show handler.
    void FormShow();
    // After the window's own close check, with its verdict.
    void FormCloseQuery(bool canClose);
    // The window is being destroyed.
    void FormDestroy();

private:
    void Restore();
    void RestorePosition(const textrules::TIniFile& ini);
    void RestoreShowState(const textrules::TIniFile& ini);
    void Save(bool destroying);
    void Guarded(const std::function<void()>& action);

    PlacementWindow& m_window;
    std::string m_iniFileName;
    FailureReport m_reportFailure;
    bool m_active = true;
    bool m_restored = false;
    bool m_saved = false;
};

} // namespace varko::maintree
