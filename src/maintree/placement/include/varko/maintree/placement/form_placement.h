#pragma once

#include "varko/maintree/placement/placement_window.h"

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
    bool active() const { return m_active; }
    void setActive(bool active) { m_active = active; }
    const std::string& iniFileName() const { return m_iniFileName; }
    bool restored() const { return m_restored; }
    bool saved() const { return m_saved; }

    // The window is being shown, before its own show handler.
    void restore();
    // After the window's own close check, with its verdict.
    void saveOnClose(bool canClose);
    // The window is being destroyed.
    void saveOnDestroy();

private:
    void restoreFromFile();
    void restorePosition(const textrules::TIniFile& ini);
    void restoreShowState(const textrules::TIniFile& ini);
    void save(bool destroying);
    void guarded(const std::function<void()>& action);

    PlacementWindow& m_window;
    std::string m_iniFileName;
    FailureReport m_reportFailure;
    bool m_active = true;
    bool m_restored = false;
    bool m_saved = false;
};

} // namespace varko::maintree
