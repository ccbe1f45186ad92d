#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/editor/Editor.h"
#include "core/Notifier.h"
#include "flow/Flow.h"
#include "flow/GraphLayout.h"
#include "flow/References.h"
#include "lint/Problem.h"
#include "map/Canvas.h"

namespace quendar::app {

// What the Flow view and the references list ask of the frame.
class FlowPort {
  public:
    virtual ~FlowPort() = default;
    // Makes the shipgroup current and shows its region on the map.
    virtual void selectShipgroup(int index) = 0;
    // Opens the form that edits the field, as a double-click on a problem does.
    virtual void goTo(const lint::Location& where) = 0;
    // Lists the places that name the shipgroup (Edit > Find References).
    virtual void findReferences(int shipgroup) = 0;
    // Calls tick() again after this many milliseconds.
    virtual void schedule(int ms) = 0;
};

// The Flow view without its window: the analysis of the open mission, laid out
// off the interface thread, drawn through the canvas, a filter by name, and
// where a click and a double-click go. It looks again kSettleMs after the last
// change, as the Problems panel does, so typing never waits for it.
class FlowView {
  public:
    static constexpr int kSettleMs = 400;
    static constexpr int kPollMs = 30;
    using Layouter = std::function<flow::Layout(const std::string& dot)>;

    FlowView(Editor& editor, FlowPort& port, Layouter layouter);
    ~FlowView();

    void noteChange();
    // The timer fired: looks again when due, takes a finished layout.
    void tick();
    // Works the analysis out now and starts its layout.
    void refresh();
    bool layoutRunning() const { return m_job != nullptr; }

    // Only nodes whose name holds the text (any case) are drawn, with the
    // edges between them.
    void setFilter(const std::string& text);
    const std::string& filter() const { return m_filter; }

    const flow::Analysis& analysis() const { return m_analysis; }
    const flow::Layout& layout() const { return m_layout; }
    // The picture: layout points are pixels, shifted by the scroll position.
    void paint(map::Canvas& canvas, int scrollX, int scrollY) const;
    // The node under a point of the picture (layout coordinates), -1 if none.
    int nodeAt(double x, double y) const;
    // The shipgroup a node stands for, -1 for a message or goal.
    int shipgroupOf(int node) const;

    void click(int node);
    void doubleClick(int node);
    // Where a double-click on the node goes.
    lint::Location locationOf(int node) const;

    // Sent when a layout starts and when it is in (the window redraws and resizes).
    core::Notifier<> changed;

  private:
    void startLayout();

    Editor& m_editor;
    FlowPort& m_port;
    Layouter m_layouter;
    flow::Analysis m_analysis;
    flow::Layout m_layout;
    std::string m_filter;
    // The layout in progress: a worker thread fills it and lets go of it; a
    // window that closes meanwhile does not wait for it.
    struct Job {
        std::mutex lock;
        bool done = false;
        flow::Layout layout;
    };
    std::shared_ptr<Job> m_job;
    bool m_again = false;  // a change came in while a layout ran
    bool m_stale = true;
    int64_t m_dueAt = 0;
    core::Notifier<>::Connection m_journalConn;
    core::Notifier<>::Connection m_replacedConn;
};

// Edit > Find References: every field that names one shipgroup (those a
// deletion renumbers or clears), in the Problems panel's columns; a
// double-click opens the form that edits it.
class ReferenceList {
  public:
    ReferenceList(Editor& editor, FlowPort& port);

    void find(int shipgroup);
    // Finds again for the same shipgroup (the mission changed).
    void refresh();
    int shipgroup() const { return m_shipgroup; }
    int size() const { return static_cast<int>(m_rows.size()); }
    // Two columns: what it is, and where ("shipgroup #1 \"Brine\" region1.order2.target1").
    std::vector<std::string> row(int index) const;
    const lint::Location& location(int index) const { return m_rows[index].where; }
    void goTo(int index);
    // "References to #2 \"Cinder\": 3" (or why there are none).
    std::string title() const;

    core::Notifier<> changed;

  private:
    struct Row {
        lint::Location where;
        std::string what;
    };
    Editor& m_editor;
    FlowPort& m_port;
    int m_shipgroup = -1;
    std::vector<Row> m_rows;
};

}  // namespace quendar::app
