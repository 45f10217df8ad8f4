#include "varko/maintree/controls/edge_splitter.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

TEST(EdgeSplitter, MessageListSplitterResizesTheListBelowIt) {
    QWidget window;
    window.resize(400, 300);
    QWidget list(&window);
    list.setGeometry(0, 251, 400, 49);
    list.setFixedHeight(49);
    EdgeSplitter splitter(EdgeSplitter::Side::Below, &list, &window);
    splitter.setGeometry(0, 248, 400, EdgeSplitter::kThickness);
    auto send = [&](QEvent::Type type, int y, Qt::MouseButton button, Qt::MouseButtons buttons) {
        const QPointF local(10, 1);
        QMouseEvent event(type, local, local, QPointF(10, y), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&splitter, &event);
    };
    send(QEvent::MouseButtonPress, 500, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, 400, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, 400, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(list.height(), 149) << "dragging up by 100 pixels makes the list 100 pixels higher";
    send(QEvent::MouseButtonPress, 400, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, 600, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(list.height(), EdgeSplitter::kMinimumSize) << "the list keeps its minimum height";
}

} // namespace
} // namespace varko::maintree
