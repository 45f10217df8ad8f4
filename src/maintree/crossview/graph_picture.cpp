#include "varko/maintree/crossview/graph_picture.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

namespace varko::maintree {

namespace {

constexpr double kColumnGap = 24;
constexpr double kLayerGap = 56;
constexpr double kMargin = 40;
constexpr double kHeadLength = 9;
constexpr double kHeadHalfWidth = 4.5;

// Layers are centred on the widest one, so a narrow layer sits under the middle of a wide one.
std::vector<QRectF> PlaceBoxes(const compiler::TechTreeGraph& graph) {
    std::vector<int> layerSize;
    for (const compiler::TechTreeNode& node : graph.nodes) {
        const auto layer = static_cast<std::size_t>(node.layer);
        if (layerSize.size() <= layer)
            layerSize.resize(layer + 1, 0);
        layerSize[layer] = std::max(layerSize[layer], node.order + 1);
    }
    const int widest = layerSize.empty() ? 0 : *std::max_element(layerSize.begin(), layerSize.end());
    std::vector<QRectF> boxes;
    boxes.reserve(graph.nodes.size());
    for (const compiler::TechTreeNode& node : graph.nodes) {
        const double indent = (widest - layerSize[static_cast<std::size_t>(node.layer)]) / 2.0;
        boxes.emplace_back((indent + node.order) * (kBoxWidth + kColumnGap),
                           node.layer * (kBoxHeight + kLayerGap), kBoxWidth, kBoxHeight);
    }
    return boxes;
}

// An open head, so the path needs no fill.
void AddHead(QPainterPath& path, QPointF from, QPointF tip) {
    QLineF back(tip, from);
    if (back.length() <= 0)
        return;
    back.setLength(kHeadLength);
    const QPointF base = back.p2();
    const QPointF side = QPointF(-(base - tip).y(), (base - tip).x()) * (kHeadHalfWidth / kHeadLength);
    path.moveTo(base + side);
    path.lineTo(tip);
    path.lineTo(base - side);
}

QPainterPath Arrow(QPointF start, QPointF control1, QPointF control2, QPointF tip) {
    QPainterPath path(start);
    path.cubicTo(control1, control2, tip);
    AddHead(path, control2, tip);
    return path;
}

// Down from the requirement's bottom to the object's top; an arrow that closes a circle goes back
// up, so it bends out to the right of both boxes; a self-requirement loops on the box's right.
QPainterPath ArrowOf(const QRectF& requirement, const QRectF& object, bool closesCycle) {
    if (requirement == object) {
        const QPointF start(object.right(), object.top() + 6);
        const QPointF tip(object.right(), object.bottom() - 6);
        return Arrow(start, start + QPointF(36, -14), tip + QPointF(36, 14), tip);
    }
    if (closesCycle) {
        const QPointF start(requirement.right(), requirement.center().y());
        const QPointF tip(object.right(), object.center().y());
        const double bend = std::clamp(std::abs(start.y() - tip.y()) / 4, 40.0, 400.0);
        return Arrow(start, start + QPointF(bend, 0), tip + QPointF(bend, 0), tip);
    }
    const QPointF start(requirement.center().x(), requirement.bottom());
    const QPointF tip(object.center().x(), object.top());
    const double reach = (tip.y() - start.y()) / 2;
    return Arrow(start, start + QPointF(0, reach), tip - QPointF(0, reach), tip);
}

void MarkCircles(GraphPicture& picture) {
    const compiler::TechTreeGraph& graph = picture.graph;
    picture.nodeOnCircle.assign(graph.nodes.size(), 0);
    picture.edgeOnCircle.assign(graph.edges.size(), 0);
    std::vector<std::size_t> next(graph.nodes.size(), graph.nodes.size());
    for (const compiler::TechTreeCircle& circle : graph.circles) {
        for (std::size_t i = 0; i < circle.nodes.size(); ++i) {
            picture.nodeOnCircle[circle.nodes[i]] = 1;
            next[circle.nodes[i]] = circle.nodes[(i + 1) % circle.nodes.size()];
        }
    }
    for (std::size_t e = 0; e < graph.edges.size(); ++e)
        picture.edgeOnCircle[e] = next[graph.edges[e].object] == graph.edges[e].requirement;
}

} // namespace

GraphPicture MakeGraphPicture(const textrules::LineList& lines) {
    GraphPicture picture;
    picture.graph = compiler::BuildTechTreeGraph(lines);
    const compiler::TechTreeGraph& graph = picture.graph;
    picture.boxes = PlaceBoxes(graph);
    picture.requirements.resize(graph.nodes.size());
    picture.arrows.reserve(graph.edges.size());
    QRectF bounds;
    for (const QRectF& box : picture.boxes)
        bounds |= box;
    for (std::size_t e = 0; e < graph.edges.size(); ++e) {
        const compiler::TechTreeEdge& edge = graph.edges[e];
        picture.requirements[edge.object].push_back(e);
        picture.arrows.push_back(
            ArrowOf(picture.boxes[edge.requirement], picture.boxes[edge.object], edge.closesCycle));
        bounds |= picture.arrows.back().controlPointRect();
    }
    MarkCircles(picture);
    picture.bounds = bounds.adjusted(-kMargin, -kMargin, kMargin, kMargin);
    return picture;
}

} // namespace varko::maintree
