#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>

namespace quendar::app {

// Every command of the menus and toolbars. The numbers are the command ids the
// editor has always used (the toolbar layout and the window's actions are keyed
// by them); code names a command only through this type.
enum class CommandId : int {
    None = 0,
    // File
    New = 57600,
    Open = 32888,
    Save = 57603,
    SaveAs = 32890,
    Exit = 57665,
    // Edit
    Undo = 57643,
    Redo = 57644,
    Cut = 57635,
    Copy = 57634,
    Paste = 57637,
    // View
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ViewControlBar = 32795,
    ViewShipgroups = 32796,
    ViewBriefingBar = 32805,
    AutoBriefingBars = 32898,
    Coordinates = 32775,
    MapProperties = 32776,
    AxisProperties = 32783,
    Preferences = 32930,
    // Map
    System1 = 32771,
    System2 = 32772,
    System3 = 32773,
    System4 = 32774,
    ZoomIn = 32778,
    ZoomOut = 32779,
    ViewXY = 32780,
    ViewYZ = 32781,
    ViewXZ = 32782,
    Centre = 32784,
    // Add: the map tools
    StartPoint1 = 32872,
    StartPoint2 = 32873,
    StartPoint3 = 32874,
    StartPoint4 = 32875,
    Order1Waypoints = 32908,
    Order2Waypoints = 32905,
    Order3Waypoints = 32906,
    Order4Waypoints = 32907,
    Waypoint1 = 32876,
    Waypoint2 = 32877,
    Waypoint3 = 32878,
    Waypoint4 = 32879,
    Waypoint5 = 32880,
    Waypoint6 = 32881,
    Waypoint7 = 32882,
    Waypoint8 = 32883,
    HyperspacePoint = 32884,
    RendezvousPoint = 32885,
    HyperbuoyWizard = 32886,
    OrdersWizard = 32925,
    // The shipgroup selector bar and the control bar
    ShowOnMap = 32798,
    MapMode = 32785,
    BriefingMode = 32791,
    Shipgroups = 32786,
    ShipgroupsView = 32790,
    Basic = 32787,
    Arrival = 32788,
    Departure = 32789,
    Orders = 32792,
    Waypoints = 32793,
    Advanced = 32794,
    Options = 32931,
    Goals = 32899,
    // Mission, Globals, Teams, Messages
    MissionProperties = 32833,
    Systems = 32848,
    Cargoes = 32838,
    Validate = 32835,
    GlobalGroups = 32900,
    GlobalGoals = 32924,
    Team1 = 32822,
    Team2 = 32823,
    Team3 = 32824,
    Team4 = 32825,
    Team5 = 32826,
    Team6 = 32827,
    Team7 = 32828,
    Team8 = 32829,
    Team9 = 32830,
    Team10 = 32831,
    Messages = 32834,
    // Briefing menu
    Introduction = 32820,
    Debriefing = 32821,
    Hints = 32902,
    BriefingTexts = 32818,
    BriefingTags = 32819,
    ResetBriefing1 = 32936,
    ResetBriefing2 = 32937,
    // Briefing toolbars: playback
    Play = 32800,
    Stop = 32801,
    StepForward = 32802,
    StepBackward = 32803,
    GoToEnd = 32804,
    NextAction = 32854,
    LastAction = 32855,
    SlowSpeed = 32850,
    NormalSpeed = 32851,
    FastSpeed = 32852,
    Step1 = 32856,
    Step2 = 32857,
    Step3 = 32858,
    Step4 = 32859,
    Step5 = 32860,
    LockBriefing = 32921,
    // Briefing toolbars: the tools
    SelectMove = 32849,
    ShowShip = 32839,
    MoveShip = 32891,
    TechData = 32892,
    AddSelection = 32840,
    RotateCraft = 32871,
    AddInstruction = 32870,
    AddTexts = 32841,
    MoveBriefing = 32842,
    ZoomBriefing = 32843,
    HideShip = 32844,
    HideSelections = 32853,
    DeleteTexts = 32845,
    ChangeRegion = 32847,
    SkipTo = 32846,
    EndMark = 32865,
    ToggleImages = 32864,
    ToggleHints = 32922,
    // Briefing toolbars: editing
    BriefingUndo = 32926,
    BriefingRedo = 32928,
    AssignTeams = 32935,
    NextBriefing = 32934,
    DeleteCommands = 32861,
    BriefingWizard = 32862,
    BriefingLength = 32923,
    // Help
    Info = 57664,
    // The mission's logic: Edit > Find References (the View menu's Mission Flow
    // is its dock's own toggle, as Problems is).
    FindReferences = 33330,
    // Menu items no command handles; numbered above the program's command range.
    AllTeams = 33001,
    ManualOverride = 33002,
    Plugins = 33003,
    Contents = 33004,
    Tutorials = 33005,
};

// A short name for the ids: cmd::Save.
using cmd = CommandId;

// The number behind an id (window action names, diagnostics); printed as it.
constexpr int idNumber(CommandId id) { return static_cast<int>(id); }
std::ostream& operator<<(std::ostream& out, CommandId id);

// Runs of commands that stand for slot 1, 2, ... of one thing.
inline constexpr std::array<CommandId, 4> kSystemCommands{cmd::System1, cmd::System2, cmd::System3,
                                                          cmd::System4};
inline constexpr std::array<CommandId, 4> kStartPointCommands{cmd::StartPoint1, cmd::StartPoint2,
                                                              cmd::StartPoint3, cmd::StartPoint4};
inline constexpr std::array<CommandId, 4> kOrderWaypointCommands{
    cmd::Order1Waypoints, cmd::Order2Waypoints, cmd::Order3Waypoints, cmd::Order4Waypoints};
inline constexpr std::array<CommandId, 8> kWaypointCommands{
    cmd::Waypoint1, cmd::Waypoint2, cmd::Waypoint3, cmd::Waypoint4,
    cmd::Waypoint5, cmd::Waypoint6, cmd::Waypoint7, cmd::Waypoint8};
inline constexpr std::array<CommandId, 10> kTeamCommands{
    cmd::Team1, cmd::Team2, cmd::Team3, cmd::Team4, cmd::Team5,
    cmd::Team6, cmd::Team7, cmd::Team8, cmd::Team9, cmd::Team10};
inline constexpr std::array<CommandId, 5> kStepCommands{cmd::Step1, cmd::Step2, cmd::Step3,
                                                        cmd::Step4, cmd::Step5};
inline constexpr std::array<CommandId, 3> kSpeedCommands{cmd::SlowSpeed, cmd::NormalSpeed,
                                                         cmd::FastSpeed};

// The position of `id` in one of the runs above, -1 when it is not there.
template <std::size_t N>
constexpr int indexIn(const std::array<CommandId, N>& run, CommandId id) {
    for (std::size_t k = 0; k < N; ++k)
        if (run[k] == id) return static_cast<int>(k);
    return -1;
}

}  // namespace quendar::app
