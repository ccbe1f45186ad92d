// The only file that speaks to Graphviz: it reads the DOT text, lets the
// "dot" engine place nodes and route edges, and copies the result out.
#include "flow/GraphLayout.h"

#include <graphviz/gvc.h>

#include <cstdlib>
#include <mutex>

namespace quendar::flow {

namespace {

// Graphviz keeps state of its own between calls: one layout at a time.
std::mutex& graphvizLock() {
    static std::mutex m;
    return m;
}

int numberAfter(const char* name, char prefix) {
    if (!name || name[0] != prefix) return -1;
    char* end = nullptr;
    const long v = std::strtol(name + 1, &end, 10);
    return end && *end == 0 && v >= 0 ? static_cast<int>(v) : -1;
}

}  // namespace

Layout layoutGraph(const std::string& dot) {
    Layout out;
    std::lock_guard<std::mutex> hold(graphvizLock());
    GVC_t* gvc = gvContext();
    if (!gvc) return out;
    Agraph_t* g = agmemread(dot.c_str());
    if (!g) {
        gvFreeContext(gvc);
        return out;
    }
    if (gvLayout(gvc, g, "dot") == 0) {
        const boxf bb = GD_bb(g);
        out.width = bb.UR.x - bb.LL.x;
        out.height = bb.UR.y - bb.LL.y;
        // Graphviz counts y upwards from the bottom; the window downwards.
        auto at = [&](pointf p) { return LayoutPoint{p.x - bb.LL.x, bb.UR.y - p.y}; };
        for (Agnode_t* n = agfstnode(g); n; n = agnxtnode(g, n)) {
            out.nodes.push_back({numberAfter(agnameof(n), 'n'), at(ND_coord(n)), ND_width(n) * 72.0,
                                 ND_height(n) * 72.0});
            for (Agedge_t* e = agfstout(g, n); e; e = agnxtout(g, e)) {
                LaidEdge le;
                le.edge = numberAfter(agget(e, const_cast<char*>("id")), 'e');
                if (const splines* spl = ED_spl(e); spl && spl->size > 0) {
                    const bezier& bz = spl->list[0];
                    for (int k = 0; k < bz.size; ++k) le.curve.push_back(at(bz.list[k]));
                    le.arrow = bz.eflag != 0;
                    if (le.arrow) le.head = at(bz.ep);
                }
                for (const textlabel_t* l : {ED_label(e), ED_xlabel(e)})
                    if (l && l->set && !le.labelled) {
                        le.labelled = true;
                        le.label = at(l->pos);
                    }
                out.edges.push_back(std::move(le));
            }
        }
        out.ok = true;
        gvFreeLayout(gvc, g);
    }
    agclose(g);
    gvFreeContext(gvc);
    return out;
}

}  // namespace quendar::flow
