#pragma once

#include "varko/maintree/placement_window.h"

#include <QPointer>
#include <QWidget>

namespace varko::maintree {

// A top-level Qt window as the placement store sees it. Qt has no placement flags nor minimized
// and maximized positions: the ones restored are kept and written back as they came.
class QtPlacementWindow : public PlacementWindow {
public:
    explicit QtPlacementWindow(QWidget& window) : m_window(&window) {}

    int Flags() const override { return m_flags; }
    int ShowCmd() const override;
    MinMaxPositions Positions() const override { return m_positions; }
    PlacementRect NormalRect() const override;
    bool Resizable() const override;
    bool ApplicationMinimized() const override;
    ScreenMetrics Screen() const override;
    int FrameWidth() const override;
    int FrameHeight() const override;

    void SetPlacement(int flags, const MinMaxPositions& positions, const PlacementRect& normal) override;
    void SetShowState(ShowState state) override;
    void SetMaximizedPosition(int x, int y) override;

private:
    QPointer<QWidget> m_window;
    int m_flags = 0;
    MinMaxPositions m_positions;
};

} // namespace varko::maintree
