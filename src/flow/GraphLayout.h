#pragma once

// The graph laid out for drawing: positions and edge curves in points, y
// growing downwards, as Graphviz's "dot" engine places them.
#include <string>
#include <vector>

namespace quendar::flow {

struct LayoutPoint {
    double x = 0, y = 0;
};

struct LaidNode {
    int node = -1;  // the analysis node
    LayoutPoint centre;
    double width = 0, height = 0;
};

struct LaidEdge {
    int edge = -1;  // the analysis edge
    // A cubic Bézier curve: the start, then three points per segment.
    std::vector<LayoutPoint> curve;
    bool arrow = false;  // an arrow head from the curve's end to `head`
    LayoutPoint head;
    bool labelled = false;
    LayoutPoint label;
};

struct Layout {
    double width = 0, height = 0;
    std::vector<LaidNode> nodes;
    std::vector<LaidEdge> edges;
    bool ok = false;  // false: Graphviz could not read or lay out the text
};

// Lays out DOT text whose nodes are named "n<node>" and whose edges carry
// id="e<edge>" (dotText writes them so). Safe to run on a worker thread, one
// layout at a time.
Layout layoutGraph(const std::string& dot);

}  // namespace quendar::flow
