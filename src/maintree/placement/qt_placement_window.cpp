#include "varko/maintree/placement/qt_placement_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace varko::maintree {

namespace {

const QScreen* ScreenOf(const QWidget* window) {
    const QScreen* screen = window ? window->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

int QtPlacementWindow::showCmd() const {
    if (m_window && m_window->isMinimized())
        return kShowMinimized;
    if (m_window && m_window->isMaximized())
        return kShowMaximized;
    return kShowNormal;
}

// The client area: it is what Qt places exactly on every window manager, so a saved placement
// comes back the same size however thick the frame is.
PlacementRect QtPlacementWindow::normalRect() const {
    if (!m_window)
        return {};
    const QRect normal =
        m_window->normalGeometry().isValid() ? m_window->normalGeometry() : m_window->geometry();
    return {normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height()};
}

bool QtPlacementWindow::resizable() const {
    return m_window && m_window->minimumSize() != m_window->maximumSize();
}

bool QtPlacementWindow::applicationMinimized() const {
    return QGuiApplication::applicationState() == Qt::ApplicationHidden;
}

ScreenMetrics QtPlacementWindow::screen() const {
    const QScreen* screen = ScreenOf(m_window);
    if (!screen)
        return {};
    return {screen->size().width(), screen->size().height(), qRound(screen->logicalDotsPerInch())};
}

int QtPlacementWindow::frameWidth() const {
    return m_window ? m_window->geometry().left() - m_window->frameGeometry().left() : 0;
}

int QtPlacementWindow::frameHeight() const {
    return m_window ? m_window->frameGeometry().bottom() - m_window->geometry().bottom() : 0;
}

void QtPlacementWindow::setPlacement(int flags, const MinMaxPositions& positions,
                                     const PlacementRect& normal) {
    m_flags = flags;
    m_positions = positions;
    if (m_window)
        m_window->setGeometry(normal.left, normal.top, normal.right - normal.left,
                              normal.bottom - normal.top);
}

void QtPlacementWindow::setShowState(ShowState state) {
    if (!m_window)
        return;
    const Qt::WindowStates others = m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    m_window->setWindowState(state == ShowState::Maximized ? others | Qt::WindowMaximized : others);
    // A window minimized before it is up would never be shown; it goes down once it is.
    if (state == ShowState::Minimized)
        QTimer::singleShot(0, m_window, [window = m_window] {
            if (window)
                window->showMinimized();
        });
}

void QtPlacementWindow::setMaximizedPosition(int x, int y) {
    m_positions.maxX = x;
    m_positions.maxY = y;
}

} // namespace varko::maintree
