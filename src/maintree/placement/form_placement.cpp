#include "varko/maintree/placement/form_placement.h"

#include "varko/compiler/settings.h"
#include "varko/textrules/profile_file.h"

#include <array>

namespace varko::maintree {

namespace {

using textrules::TIniFile;

constexpr const char* kSection = compiler::settings::kWindow;
constexpr const char* kFormVersion = "FormVersion";
constexpr const char* kFlags = "Flags";
constexpr const char* kShowCmd = "ShowCmd";
constexpr const char* kPixelsPerInch = "PixelsPerInch";
constexpr const char* kMinMaxPos = "MinMaxPos";
constexpr const char* kNormPos = "NormPos";
constexpr const char* kVisible = "Visible";

using Numbers = std::array<int, 4>;

// "(1024x768)": the positions are kept per screen size, with the plain key as the fallback.
std::string ScreenSuffix(const ScreenMetrics& screen) {
    std::string suffix = "(";
    suffix += std::to_string(screen.width);
    suffix += 'x';
    suffix += std::to_string(screen.height);
    suffix += ')';
    return suffix;
}

// The value for this screen size, else the plain key's; empty when neither holds one.
std::string ReadPositionText(const TIniFile& ini, const std::string& key, const std::string& suffix) {
    std::string text = ini.ReadText(kSection, key + suffix, "");
    if (text.empty())
        text = ini.ReadText(kSection, key, "");
    return text;
}

// The words of the text, split at commas and blanks; a missing or malformed word keeps its default.
Numbers ParseNumbers(const std::string& text, Numbers numbers) {
    std::size_t index = 0;
    std::size_t pos = 0;
    while (index < numbers.size() && pos < text.size()) {
        const std::size_t start = text.find_first_not_of(", ", pos);
        if (start == std::string::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(", ", start), text.size());
        if (const auto value = textrules::ParseInt(std::string_view(text).substr(start, end - start)))
            numbers[index] = *value;
        ++index;
        pos = end;
    }
    return numbers;
}

std::string FormatNumbers(const Numbers& numbers) {
    std::string text;
    for (const int number : numbers) {
        if (!text.empty())
            text += ',';
        text += std::to_string(number);
    }
    return text;
}

Numbers ToNumbers(const MinMaxPositions& p) {
    return {p.minX, p.minY, p.maxX, p.maxY};
}

Numbers ToNumbers(const PlacementRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

ShowState StateOfShowCmd(int showCmd) {
    switch (showCmd) {
    case 2:
    case 6:
    case 7:
        return ShowState::Minimized;
    case 3:
        return ShowState::Maximized;
    default:
        return ShowState::Normal;
    }
}

} // namespace

FormPlacement::FormPlacement(PlacementWindow& window, std::string iniFileName, FailureReport reportFailure)
    : m_window(window), m_iniFileName(std::move(iniFileName)), m_reportFailure(std::move(reportFailure)) {}

void FormPlacement::restore() {
    if (m_active)
        guarded([this] { restoreFromFile(); });
}

void FormPlacement::saveOnClose(bool canClose) {
    if (canClose && m_active && !m_saved)
        guarded([this] { save(false); });
}

void FormPlacement::saveOnDestroy() {
    if (m_active && !m_saved)
        guarded([this] { save(true); });
}

void FormPlacement::restoreFromFile() {
    m_saved = false;
    const TIniFile ini(m_iniFileName);
    if (ini.ReadNumber(kSection, kFormVersion, 0) >= 0) {
        restorePosition(ini);
        restoreShowState(ini);
    }
    m_restored = true;
    m_window.setMaximizedPosition(-m_window.frameWidth(), -m_window.frameHeight());
}

void FormPlacement::restorePosition(const TIniFile& ini) {
    const ScreenMetrics screen = m_window.screen();
    const std::string suffix = ScreenSuffix(screen);
    const int flags = ini.ReadNumber(kSection, kFlags, m_window.flags());

    const std::string minMaxText = ReadPositionText(ini, kMinMaxPos, suffix);
    const Numbers minMax =
        minMaxText.empty() ? ToNumbers(m_window.positions()) : ParseNumbers(minMaxText, {});
    const PlacementRect current = m_window.normalRect();
    const std::string normalText = ReadPositionText(ini, kNormPos, suffix);
    const Numbers normal = ParseNumbers(normalText, ToNumbers(current));
    const int pixelsPerInch = ini.ReadNumber(kSection, kPixelsPerInch, screen.pixelsPerInch);

    if ((minMaxText.empty() && normalText.empty()) || pixelsPerInch != screen.pixelsPerInch)
        return;
    PlacementRect rect{normal[0], normal[1], normal[2], normal[3]};
    if (!m_window.resizable()) {
        rect.right = rect.left + (current.right - current.left);
        rect.bottom = rect.top + (current.bottom - current.top);
    }
    if (rect.left < rect.right)
        m_window.setPlacement(flags, MinMaxPositions{minMax[0], minMax[1], minMax[2], minMax[3]}, rect);
}

void FormPlacement::restoreShowState(const TIniFile& ini) {
    m_window.setShowState(StateOfShowCmd(ini.ReadNumber(kSection, kShowCmd, 0)));
}

void FormPlacement::save(bool destroying) {
    if (!m_restored)
        return;
    // A save that fails is not tried again at the window's destruction.
    m_saved = true;
    const ScreenMetrics screen = m_window.screen();
    const std::string suffix = ScreenSuffix(screen);
    const std::string minMax = FormatNumbers(ToNumbers(m_window.positions()));
    const std::string normal = FormatNumbers(ToNumbers(m_window.normalRect()));
    TIniFile ini(m_iniFileName);
    ini.WriteNumber(kSection, kFormVersion, 0);
    ini.WriteNumber(kSection, kFlags, m_window.flags());
    ini.WriteNumber(kSection, kShowCmd,
                    m_window.applicationMinimized() ? kShowMinimized : m_window.showCmd());
    ini.WriteNumber(kSection, kPixelsPerInch, screen.pixelsPerInch);
    ini.WriteText(kSection, kMinMaxPos + suffix, minMax);
    ini.WriteText(kSection, kMinMaxPos, minMax);
    ini.WriteText(kSection, kNormPos + suffix, normal);
    ini.WriteText(kSection, kNormPos, normal);
    ini.WriteFlag(kSection, kVisible, destroying);
}

void FormPlacement::guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        if (m_reportFailure)
            m_reportFailure(failure);
    }
}

} // namespace varko::maintree
