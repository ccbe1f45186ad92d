#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <variant>

namespace quendar::app {

// What a plain left click on the map does. The map-editing room owns the map
// tools, the briefing room the briefing tools; the editor holds the one tool
// that is armed (none: the select tool). The numbers are the tools' old codes.
enum class MapTool : int {
    StartPoint1 = 1,
    StartPoint2 = 2,
    StartPoint3 = 3,
    StartPoint4 = 4,
    Waypoint1 = 5,
    Waypoint2 = 6,
    Waypoint3 = 7,
    Waypoint4 = 8,
    Waypoint5 = 9,
    Waypoint6 = 10,
    Waypoint7 = 11,
    Waypoint8 = 12,
    Rendezvous = 20,
    Hyperspace = 30,
    // The hyperbuoy wizard's two clicks: the beacon, then the entry point.
    BeaconStep = 100,
    EntryStep = 101,
};

enum class BriefingTool : int {
    ShowShip = 200,
    SelectionSlot = 201,
    Rotate = 202,
    TextSlot = 204,
    HideShip = 207,
    MoveShip = 214,
    TechData = 215,
    // A selection or a tag waiting for its click, by slot 1..8.
    Selection1 = 401,
    Selection2,
    Selection3,
    Selection4,
    Selection5,
    Selection6,
    Selection7,
    Selection8,
    Tag1 = 411,
    Tag2,
    Tag3,
    Tag4,
    Tag5,
    Tag6,
    Tag7,
    Tag8,
};

// The armed tool, tagged with the room it belongs to.
class CurrentTool {
  public:
    CurrentTool() = default;                          // the select tool
    CurrentTool(MapTool tool) : m_tool(tool) {}       // NOLINT: a map tool is a tool
    CurrentTool(BriefingTool tool) : m_tool(tool) {}  // NOLINT: so is a briefing tool

    bool isSelect() const { return std::holds_alternative<std::monostate>(m_tool); }
    std::optional<MapTool> mapTool() const {
        if (auto* t = std::get_if<MapTool>(&m_tool)) return *t;
        return std::nullopt;
    }
    std::optional<BriefingTool> briefingTool() const {
        if (auto* t = std::get_if<BriefingTool>(&m_tool)) return *t;
        return std::nullopt;
    }
    // The tool's code (0 for the select tool), for messages.
    int code() const;

    bool operator==(const CurrentTool&) const = default;

  private:
    std::variant<std::monostate, MapTool, BriefingTool> m_tool;
};

std::ostream& operator<<(std::ostream& out, const CurrentTool& tool);

// The position of the armed tool in a run of tools (slot 1, 2, ... of one
// thing), -1 when it is none of them.
template <typename Tool, std::size_t N>
int indexOf(const std::array<Tool, N>& run, const CurrentTool& tool) {
    for (std::size_t k = 0; k < N; ++k)
        if (tool == run[k]) return static_cast<int>(k);
    return -1;
}

}  // namespace quendar::app
