#pragma once

namespace varko::maintree {

// A rectangle in screen coordinates; right and bottom lie just outside it.
struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the window goes when minimized and when maximized.
struct MinMaxPositions {
    int minX = -1;
    int minY = -1;
    int maxX = -1;
    int maxY = -1;
};

enum class ShowState { Normal, Minimized, Maximized };

// The show commands the placement record stores.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;

struct ScreenMetrics {
    int width = 0;
    int height = 0;
    int pixelsPerInch = 96;
};

// What the placement store needs of a top-level window and its screen.
class PlacementWindow {
public:
    virtual ~PlacementWindow() = default;

    virtual int flags() const = 0;
    // kShowNormal, kShowMinimized or kShowMaximized.
    virtual int showCmd() const = 0;
    virtual MinMaxPositions positions() const = 0;
    // The rectangle the window has when neither minimized nor maximized.
    virtual PlacementRect normalRect() const = 0;
    virtual bool resizable() const = 0;
    // The whole program is minimized (no window of it on screen).
    virtual bool applicationMinimized() const = 0;
    virtual ScreenMetrics screen() const = 0;
    // Width and height of the sizing frame.
    virtual int frameWidth() const = 0;
    virtual int frameHeight() const = 0;

    // Applied without showing the window. A window centred on the screen stays where it is put.
    virtual void setPlacement(int flags, const MinMaxPositions& positions, const PlacementRect& normal) = 0;
    // Minimized takes effect once the window is up; until then it shows normal.
    virtual void setShowState(ShowState state) = 0;
    virtual void setMaximizedPosition(int x, int y) = 0;
};

} // namespace varko::maintree
