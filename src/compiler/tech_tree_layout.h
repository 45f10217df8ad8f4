#pragma once

#include "directed_graph.h"
#include "varko/compiler/tech_tree_graph.h"

namespace varko::compiler {

// Marks the edges that close a cycle and gives each node its layer and its order within the layer.
void LayOutTechTree(TechTreeGraph& graph, const graph::Adjacency& adjacency);

} // namespace varko::compiler
