#pragma once

#include "varko/maintree/placement/placement_window.h"

#include <QPointer>
#include <QWidget>

namespace varko::maintree {

// A top-level Qt window as the placement store sees it. Qt has no placement flags nor minimized
// and maximized positions: the ones restored are kept and written back as they came.
class QtPlacementWindow : public PlacementWindow {
public:
    explicit QtPlacementWindow(QWidget& window) : m_window(&window) {}

    int flags() const override { return m_flags; }
    int showCmd() const override;
    MinMaxPositions positions() const override { return m_positions; }
    PlacementRect normalRect() const override;
    bool resizable() const override;
    bool applicationMinimized() const override;
    ScreenMetrics screen() const override;
    int frameWidth() const override;
    int frameHeight() const override;

    void setPlacement(int flags, const MinMaxPositions& positions, const PlacementRect& normal) override;
    void setShowState(ShowState state) override;
    void setMaximizedPosition(int x, int y) override;

private:
    QPointer<QWidget> m_window;
    int m_flags = 0;
    MinMaxPositions m_positions;
};

} // namespace varko::maintree
