#include "shipgroup/CodeTables.h"

#include <initializer_list>
#include <utility>

namespace quendar::shipgroup {

namespace {

// A table of `count` codes where only some have a name.
Labels sparse(int count, std::initializer_list<std::pair<int, const char*>> named) {
    Labels out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) out.push_back(unknownLabel(i));
    for (const auto& [code, label] : named) out[code] = label;
    return out;
}

Labels withNumbers(Labels head, int first, int last) {
    for (int i = first; i <= last; ++i) head.push_back(std::to_string(i));
    return head;
}

Labels repeated(Labels head, int times, const char* label) {
    for (int i = 0; i < times; ++i) head.push_back(label);
    return head;
}

Labels conditionsWith(const char* c0, const char* c1, const char* c2, const char* c3,
                      const char* c4, const char* c5, const char* c6, const char* c7,
                      const char* c8, const char* c10) {
    return sparse(kConditions, {{0, c0},
                                {1, c1},
                                {2, c2},
                                {3, c3},
                                {4, c4},
                                {5, c5},
                                {6, c6},
                                {7, c7},
                                {8, c8},
                                {10, c10},
                                {12, "Completed its mission"},
                                {19, "Be dropped off"},
                                {20, "Be reinforced"},
                                {21, "At 0% shields"},
                                {22, "At 50% hull"},
                                {25, "Be dropped off"},
                                {32, "Initiated docking"},
                                {45, "Withdrawn"},
                                {47, "Arrived in sector"}});
}

}  // namespace

std::string unknownLabel(int code) { return "Unknown - " + std::to_string(code); }

Labels numberLabels(int first, int last) { return withNumbers({}, first, last); }

const Labels& conditionLabels() {
    static const Labels t =
        conditionsWith("TRUE - No condition", "Arrive", "Be destroyed", "Be attacked",
                       "Be captured", "Be inspected", "Be boarded", "Finished docking",
                       "Be disabled", "FALSE - Impossible condition");
    return t;
}

const Labels& goalConditionLabels() {
    static const Labels t = conditionsWith(
        "-Always completed-", "arrive", "be destroyed", "be attacked", "be captured",
        "be inspected", "be boarded", "finish boarding", "be disabled", "-Never completed-");
    return t;
}

const Labels& subjectTypeLabels(LabelSet set) {
    static const Labels arrival = sparse(kSubjectTypes, {{0, "None"},
                                                         {1, "Flightgroup"},
                                                         {2, "Ship type"},
                                                         {3, "Ship category"},
                                                         {4, "Object category"},
                                                         {5, "IFF code"},
                                                         {8, "Global group"},
                                                         {23, "Global unit"}});
    static const Labels departure = [] {
        Labels t = arrival;
        t[23] = "Global Unit";
        return t;
    }();
    static const Labels target = [] {
        Labels t = departure;
        t[6] = "Craft with orders";
        t[12] = "Team";
        t[21] = "All teams, except";
        return t;
    }();
    switch (set) {
        case LabelSet::Arrival: return arrival;
        case LabelSet::Departure: return departure;
        case LabelSet::OrderTarget: return target;
    }
    return arrival;
}

const Labels& amountLabels() {
    static const Labels t = sparse(kAmounts, {{0, "100 %"},
                                              {1, "75 %"},
                                              {2, "50 %"},
                                              {3, "25 %"},
                                              {4, "At least one"},
                                              {5, "All except one"},
                                              {6, "Special craft"},
                                              {7, "All non-special craft"},
                                              {8, "All non-player craft"},
                                              {9, "All player craft"},
                                              {17, "66 %"},
                                              {18, "33 %"}});
    return t;
}

namespace {
const char* parameterNone(LabelSet set) {
    // The arrival form's caption has two blanks before the dash.
    return set == LabelSet::Departure ? "Parameter - None" : "Parameter  - None";
}
}  // namespace

Labels param1Labels(const std::array<std::string, 4>& regionNames, LabelSet set) {
    Labels t{parameterNone(set)};
    for (const auto& r : regionNames) t.push_back(r);
    return withNumbers(std::move(t), 5, 20);
}

const Labels& param2Labels(LabelSet set) {
    static const Labels arrival = withNumbers({parameterNone(LabelSet::Arrival)}, 1, 20);
    static const Labels departure = withNumbers({parameterNone(LabelSet::Departure)}, 1, 20);
    return set == LabelSet::Departure ? departure : arrival;
}

const Labels& methodLabels() {
    static const Labels t = sparse(kMethods, {{0, "Hyperspace"}, {1, "Hangar"}});
    return t;
}

const Labels& orderLabels() {
    static const Labels t = [] {
        Labels o{"Hold steady",
                 "Fly home",
                 "Circle waypoints",
                 "Circle and evade",
                 "Rendezvous",
                 "Disabled",
                 "Await boarding",
                 "Destroy targets",
                 "Attack escort of",
                 "Protect",
                 "Escort",
                 "Disable targets",
                 "Board to give/reload",
                 "Board to take",
                 "Board to exchange",
                 "Board to capture",
                 "Board to destroy",
                 "Pick up",
                 "Drop off",
                 "Wait",
                 "Wait",
                 "SS Circle",
                 "SS Await return",
                 "SS Await launch",
                 "SS Patrol and protect",
                 "SS Patrol and protect",
                 "SS Patrol and destroy",
                 "SS Patrol and disable",
                 "SS Hold steady",
                 "SS Fly home",
                 "SS Hold steady",
                 "Board to ",
                 "Board to repair",
                 "SS Hold steady",
                 "SS Hold steady",
                 "SS Hold steady",
                 "Self-destruct",
                 "Kamikaze attack",
                 "Permanently disabled",
                 "Await boarding (disabled)"};
        o = withNumbers(std::move(o), 40, 48);
        o.push_back("Beacon (used by hyperbouys)");
        o.push_back("Hyperspace");
        return withNumbers(std::move(o), 51, 60);
    }();
    return t;
}

const Labels& throttleLabels() {
    static const Labels t = [] {
        Labels o;
        for (int i = 0; i <= 10; ++i) o.push_back("Throttle at " + std::to_string(i * 10) + "%");
        return withNumbers(std::move(o), 11, 30);
    }();
    return t;
}

const Labels& targetCategoryLabels() {
    static const Labels t = withNumbers({"Fighters", "Transport crafts", "Freighters/Containers",
                                         "Starships", "Utility crafts", "Platforms", "Mines"},
                                        7, 30);
    return t;
}

const Labels& statusLabels() {
    static const Labels t = [] {
        Labels o{"Default",       "Double warhead",   "Half warhead",  "No shields",
                 "50% shields",   "No lasers",        "No hyperdrive", "Shields recharging",
                 "Shields added", "Hyperdrive added", "Unused",        "Unused",
                 "200% shields"};
        o = repeated(std::move(o), 5, "Unused");     // 13..17
        o.push_back("200% shields");                 // 18
        o.push_back("Unused");                       // 19
        o.push_back("Invulnerable");                 // 20
        o.push_back("Infinite warheads");            // 21
        return repeated(std::move(o), 9, "Unused");  // 22..30
    }();
    return t;
}

const Labels& warheadLabels() {
    static const Labels t =
        repeated({"None", "Space Bomb", "Heavy Rocket", "Missile", "Torpedo", "Advanced Missile",
                  "Advanced Torpedo", "Mag Pulse", "Ion Pulse"},
                 5, "Unused");
    return t;
}

const Labels& beamLabels() {
    static const Labels t =
        repeated({"None", "Tractor", "Jamming", "Decoy", "Energy"}, 6, "Unused");
    return t;
}

const Labels& countermeasureLabels() {
    static const Labels t = {"None", "Chaff", "Flare", "(Cluster mine)", "Unused", "Unused"};
    return t;
}

const Labels& markingLabels() {
    // The blanks inside the labels line the two columns up.
    static const Labels t = {"Red (Darts)   or None (Orbs)", "Gold (Darts)  or Red (Orbs)",
                             "Blue (Darts)  or Gold (Orbs)", "Green (Darts) or Blue (Orbs)"};
    return t;
}

const Labels& aiSkillLabels() {
    static const Labels t =
        repeated({"Novice", "Officer", "Veteran", "Ace", "Top Ace", "Super Ace"}, 10, "Unused");
    return t;
}

const Labels& craftCountLabels() {
    static const Labels t = {"Unused", "One",   "Two",  "Three", "Four",   "Five",  "Six",
                             "Seven",  "Eight", "Nine", "Ten",   "Eleven", "Twelve"};
    return t;
}

const Labels& wavesLabels() {
    static const Labels t = numberLabels(1, 29);
    return t;
}

const Labels& pilotLabels() {
    static const Labels t = [] {
        Labels o{"Computer"};
        for (int i = 1; i <= 12; ++i) o.push_back("Player in craft " + std::to_string(i));
        return o;
    }();
    return t;
}

const Labels& goalArgumentLabels() {
    static const Labels t = {"must", "must not", "bonus must", "bonus must not"};
    return t;
}

Labels additionalInfoLabels(const std::array<std::string, 4>& regionNames) {
    Labels o{"Command Ship",           "Base",           "Station",
             "Mission Critical Craft", "Convoy Craft",   "Strike Craft",
             "Rearming Craft",         "Primary Target", "Secondary Target",
             "Tertiary Target",        "Res Center",     "Facility"};
    for (const auto& r : regionNames) o.push_back("Entry point from " + r);
    for (const auto& r : regionNames) o.push_back("Hyper to " + r);
    return withNumbers(std::move(o), 20, 60);
}

const Labels& optionalWarheadLabels() {
    static const Labels t = {"Space Bomb",       "Heavy Rocket",     "Missile",   "Torpedo",
                             "Advanced Missile", "Advanced Torpedo", "Mag Pulse", "Ion Pulse"};
    return t;
}

const Labels& optionalBeamLabels() {
    static const Labels t = {"Tractor", "Jamming", "Decoy", "(Energy)"};
    return t;
}

const Labels& optionalCountermeasureLabels() {
    static const Labels t = {"Chaff", "Flare", "(Cluster mine)"};
    return t;
}

const Labels& optionalShipModeLabels() {
    static const Labels t = {"No other ship", "All friendly flyable ship", "All rebel fighters",
                             "All flyable transports", "USER DEFINED"};
    return t;
}

OrderParams orderParams(int code) {
    switch (code) {
        case 2:
        case 3:
        case 21: return {"Number of loops:", ParamList::Loops, "Unused", ParamList::Numbers};
        case 4:
        case 6: return {"Number of dockings:", ParamList::Numbers, "Unused", ParamList::Numbers};
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
        case 31:
        case 32:
            return {"Docking time (5 secs):", ParamList::Numbers,
                    "Number of dockings:", ParamList::Numbers};
        case 17:
            return {"Docking time (5 secs):", ParamList::Numbers, "Unused", ParamList::Numbers};
        case kOrderDropOff:
            return {"Deploy time (5 secs):", ParamList::Numbers, "Shipgroup to be deployed",
                    ParamList::Shipgroups};
        case 19:
        case 20: return {"Wait time (5 secs):", ParamList::Numbers, "Unused", ParamList::Numbers};
        case 50:
        case 51: return {"Hyperspace to", ParamList::Regions, "Unused", ParamList::Numbers};
        default: return {"Unused", ParamList::Numbers, "Unused", ParamList::Numbers};
    }
}

}  // namespace quendar::shipgroup
