#include "app/flowview/FlowView.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <thread>

#include "mission/ShipgroupRecord.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"

namespace quendar::app {

namespace {

namespace sg = mission::sg;
namespace msg = settings::msg;
namespace goal = settings::goal;
using map::Colour;

// The fills of the DOT text, as colours: pale by IFF, so the text stays readable.
constexpr Colour kIffFill[6] = {0xFFC6ECC6, 0xFFF4C6C6, 0xFFC6D6F4,
                                0xFFF2E4B4, 0xFFE0CCF0, 0xFFD8D8D8};
constexpr Colour kMessageFill = 0xFFFFFFFF, kGoalFill = 0xFFFFF4CC;
constexpr Colour kInk = 0xFF202020, kEdgeInk = 0xFF707070, kNeverInk = 0xFFD00000;
constexpr int kBezierSteps = 8;
const map::Font kFont{"", 8};

int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

flow::LayoutPoint cubic(const flow::LayoutPoint* p, double t) {
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x,
            a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y};
}

}  // namespace

FlowView::FlowView(Editor& editor, FlowPort& port, Layouter layouter)
    : m_editor(editor), m_port(port), m_layouter(std::move(layouter)) {
    m_journalConn = m_editor.journal.changed.connect([this] { noteChange(); });
    m_replacedConn = m_editor.missionReplaced.connect([this] { noteChange(); });
}

FlowView::~FlowView() = default;

void FlowView::noteChange() {
    m_stale = true;
    m_dueAt = steadyMs() + kSettleMs;
    m_port.schedule(kSettleMs);
}

void FlowView::tick() {
    if (m_job) {
        {
            std::lock_guard<std::mutex> hold(m_job->lock);
            if (!m_job->done) {
                m_port.schedule(kPollMs);
                return;
            }
            m_layout = std::move(m_job->layout);
        }
        m_job.reset();
        changed.notify();
        if (std::exchange(m_again, false)) startLayout();
    }
    if (m_stale) {
        const int64_t left = m_dueAt - steadyMs();
        if (left > 0) {
            m_port.schedule(static_cast<int>(left));
        } else {
            refresh();
        }
    }
}

void FlowView::refresh() {
    flow::analyse(m_editor.store, m_analysis);
    m_stale = false;
    if (m_job) {
        m_again = true;  // the running layout's analysis is older: lay out again after it
        return;
    }
    startLayout();
}

void FlowView::startLayout() {
    std::vector<bool> shown(m_analysis.nodes.size(), true);
    const std::string wanted = lower(m_filter);
    if (!wanted.empty())
        for (size_t i = 0; i < shown.size(); ++i)
            shown[i] = lower(flow::nodeName(m_analysis, m_editor.store, static_cast<int>(i)))
                           .find(wanted) != std::string::npos;
    // The worker gets its own copy of the text; the store stays on this thread.
    std::string dot = flow::dotText(m_analysis, m_editor.store, &shown);
    m_job = std::make_shared<Job>();
    std::thread([job = m_job, layouter = m_layouter, dot = std::move(dot)] {
        flow::Layout laid = layouter ? layouter(dot) : flow::Layout{};
        std::lock_guard<std::mutex> hold(job->lock);
        job->layout = std::move(laid);
        job->done = true;
    }).detach();
    m_port.schedule(kPollMs);
    changed.notify();  // the window says that a layout is under way
}

void FlowView::setFilter(const std::string& text) {
    if (text == m_filter) return;
    m_filter = text;
    if (m_job)
        m_again = true;
    else
        startLayout();
}

void FlowView::paint(map::Canvas& c, int sx, int sy) const {
    c.fill(0xFFFFFFFF);
    auto px = [&](double v, int scroll) { return static_cast<int>(std::lround(v)) - scroll; };
    const auto& nodes = m_analysis.nodes;
    const auto& edges = m_analysis.edges;
    for (const flow::LaidEdge& le : m_layout.edges) {
        if (le.edge < 0 || le.edge >= static_cast<int>(edges.size())) continue;
        const flow::Edge& e = edges[le.edge];
        const bool leaving =
            e.kind == flow::EdgeKind::Departure || e.kind == flow::EdgeKind::DepartureHangar;
        c.setPen({kEdgeInk, e.kind == flow::EdgeKind::Hangar ? 2 : 1,
                  leaving ? map::PenStyle::Dashed : map::PenStyle::Solid});
        flow::LayoutPoint last = le.curve.empty() ? flow::LayoutPoint{} : le.curve.front();
        for (size_t k = 0; k + 3 < le.curve.size(); k += 3)
            for (int step = 1; step <= kBezierSteps; ++step) {
                const flow::LayoutPoint p =
                    cubic(&le.curve[k], static_cast<double>(step) / kBezierSteps);
                c.line(px(last.x, sx), px(last.y, sy), px(p.x, sx), px(p.y, sy));
                last = p;
            }
        if (le.arrow) {
            c.setPen({kEdgeInk, 1, map::PenStyle::Solid});
            c.line(px(last.x, sx), px(last.y, sy), px(le.head.x, sx), px(le.head.y, sy));
            const double dx = le.head.x - last.x, dy = le.head.y - last.y;
            const double len = std::max(1.0, std::hypot(dx, dy));
            for (const double turn : {0.45, -0.45}) {
                const double bx = -(dx * std::cos(turn) - dy * std::sin(turn)) / len * 8;
                const double by = -(dx * std::sin(turn) + dy * std::cos(turn)) / len * 8;
                c.line(px(le.head.x, sx), px(le.head.y, sy), px(le.head.x + bx, sx),
                       px(le.head.y + by, sy));
            }
        }
        if (le.labelled) {
            const std::string label = flow::edgeLabel(e);
            c.text(px(le.label.x - 2.6 * static_cast<double>(label.size()), sx),
                   px(le.label.y - 6, sy), label, kEdgeInk, kFont);
        }
    }
    for (const flow::LaidNode& ln : m_layout.nodes) {
        if (ln.node < 0 || ln.node >= static_cast<int>(nodes.size())) continue;
        const flow::Node& n = nodes[ln.node];
        Colour fill = n.kind == flow::NodeKind::Message ? kMessageFill : kGoalFill;
        if (n.kind == flow::NodeKind::Shipgroup) {
            const int iff = mission::ShipgroupView(m_editor.store, n.index).iff();
            fill = kIffFill[iff < 6 ? iff : 5];
        }
        const int x1 = px(ln.centre.x - ln.width / 2, sx), y1 = px(ln.centre.y - ln.height / 2, sy);
        const int x2 = px(ln.centre.x + ln.width / 2, sx), y2 = px(ln.centre.y + ln.height / 2, sy);
        c.setBrush(map::Brush::of(fill));
        c.setPen({n.never ? kNeverInk : kInk, n.never ? 2 : 1, map::PenStyle::Solid});
        c.rectangle(x1, y1, x2, y2);
        if (n.never) {  // the double border of the DOT text
            c.setBrush(map::Brush::none());
            c.rectangle(x1 - 4, y1 - 4, x2 + 4, y2 + 4);
        }
        const std::string name = flow::nodeName(m_analysis, m_editor.store, ln.node);
        const std::string when = flow::whenText(m_analysis, m_editor.store, ln.node);
        c.text(x1 + 6, (y1 + y2) / 2 - 15, name, kInk, kFont);
        c.text(x1 + 6, (y1 + y2) / 2 + 1, when, n.never ? kNeverInk : kInk, kFont);
    }
}

int FlowView::nodeAt(double x, double y) const {
    for (const flow::LaidNode& ln : m_layout.nodes)
        if (std::abs(x - ln.centre.x) <= ln.width / 2 && std::abs(y - ln.centre.y) <= ln.height / 2)
            return ln.node;
    return -1;
}

int FlowView::shipgroupOf(int node) const {
    if (node < 0 || node >= static_cast<int>(m_analysis.nodes.size())) return -1;
    const flow::Node& n = m_analysis.nodes[node];
    return n.kind == flow::NodeKind::Shipgroup && n.index < m_editor.store.shipgroupCount ? n.index
                                                                                          : -1;
}

lint::Location FlowView::locationOf(int node) const {
    lint::Location at;
    if (node < 0 || node >= static_cast<int>(m_analysis.nodes.size())) return at;
    const flow::Node& n = m_analysis.nodes[node];
    switch (n.kind) {
        case flow::NodeKind::Shipgroup:
            return {lint::Area::Shipgroup, n.index, sg::arrivalTrigger1, -1, -1, -1, "arrival"};
        case flow::NodeKind::Message:
            return {lint::Area::Message, n.index, msg::triggers[0], -1, -1, -1, "triggers"};
        case flow::NodeKind::Goal: {
            const int g = n.waitsFor >= 0 ? n.waitsFor : 0;
            const int team = n.index / 3, kind = n.index % 3;
            return {lint::Area::GlobalGoal,
                    (team * 3 + kind) * 4 + g,
                    goal::blockStart + goal::blockSize * kind + goal::triggerOffsets[g],
                    -1,
                    -1,
                    -1,
                    {}};
        }
    }
    return at;
}

void FlowView::click(int node) {
    if (const int g = shipgroupOf(node); g >= 0) m_port.selectShipgroup(g);
}

void FlowView::doubleClick(int node) {
    if (node < 0 || node >= static_cast<int>(m_analysis.nodes.size())) return;
    if (m_analysis.nodes[node].kind == flow::NodeKind::Shipgroup && shipgroupOf(node) < 0) return;
    m_port.goTo(locationOf(node));
}

// --- Find References ------------------------------------------------------------

ReferenceList::ReferenceList(Editor& editor, FlowPort& port) : m_editor(editor), m_port(port) {}

void ReferenceList::find(int shipgroup) {
    m_shipgroup = shipgroup;
    refresh();
}

void ReferenceList::refresh() {
    m_rows.clear();
    for (const flow::Reference& r : flow::findReferences(m_editor.store, m_shipgroup)) {
        lint::Location at;
        at.offset = r.offset;
        at.field = flow::referenceField(r);
        if (r.table == mission::Table::Messages) {
            at.area = lint::Area::Message;
            at.index = r.slot;
        } else if (r.table == mission::Table::GlobalGoals) {
            at.area = lint::Area::GlobalGoal;
            at.index = (r.slot * 3 + r.goalKind) * 4 + r.which;
        } else {
            at.area = lint::Area::Shipgroup;
            at.index = r.slot;
            at.region = r.region;
            at.slot = r.order;
        }
        m_rows.push_back({at, flow::referenceWhat(r)});
    }
    changed.notify();
}

std::vector<std::string> ReferenceList::row(int index) const {
    if (index < 0 || index >= size()) return {};
    return {m_rows[index].what, lint::locationText(m_rows[index].where, m_editor.store)};
}

void ReferenceList::goTo(int index) {
    if (index >= 0 && index < size()) m_port.goTo(m_rows[index].where);
}

std::string ReferenceList::title() const {
    if (m_shipgroup < 0 || m_shipgroup >= m_editor.store.shipgroupCount)
        return "References: no shipgroup";
    const std::string name = "#" + std::to_string(m_shipgroup) + " \"" +
                             mission::ShipgroupView(m_editor.store, m_shipgroup).name() + "\"";
    return m_rows.empty() ? "Nothing names " + name
                          : "References to " + name + ": " + std::to_string(size());
}

}  // namespace quendar::app
