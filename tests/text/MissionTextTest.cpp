#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>

#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "shipgroup/ShipgroupList.h"
#include "support/LargestMission.h"
#include "text/MissionText.h"

namespace {

using namespace quendar;
using nlohmann::json;
using mission::Table;

std::unique_ptr<app::Editor> freshEditor() {
    auto e = std::make_unique<app::Editor>();
    e->craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
    e->settings.runEccBeforeSave = 0;
    app::resetEditorToNewMission(*e);
    return e;
}
std::unique_ptr<app::Editor> opened(const std::vector<uint8_t>& file) {
    auto e = freshEditor();
    app::loadMissionBytes(*e, file);
    return e;
}
std::string exported(const app::Editor& e) { return text::exportMission(e.store, e.briefing, &e.craftList); }
std::unique_ptr<app::Editor> imported(const std::string& doc, std::optional<text::ImportError>* error = nullptr) {
    auto e = freshEditor();
    auto err = text::importMission(doc, e->store, e->briefing);
    if (error) *error = err;
    else EXPECT_FALSE(err) << err->text();
    return e;
}
std::vector<uint8_t> sample() { return *mission::readWholeFile(QUENDAR_DATA_DIR "/samples/lantern-run.tie"); }
std::vector<uint8_t> randomFile(uint32_t seed, int groups, int messages, bool briefing) {
    mission::MissionStore s;
    quendar::testing::fillRandomMission(s, seed, groups, messages);
    if (briefing) quendar::testing::fillFullBriefing(s);
    return mission::writeMission(s);
}
std::string document(const std::string& members) {
    return R"({"format": "quendar-mission", "version": 1)" + (members.empty() ? "" : ", " + members) + "}";
}

TEST(MissionText, ExportThenImportSavesWhatResaveSaves) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases = {
        {"sample", sample()},
        {"largest", quendar::testing::largestMissionFile()},
        {"random, damaged briefing", randomFile(11, 3, 2, false)},
        {"random, no shipgroups", randomFile(12, 0, 0, true)},
        {"random, full tables", randomFile(13, 255, 255, true)},
    };
    auto shortFile = sample();
    shortFile.resize(shortFile.size() * 3 / 5);
    cases.push_back({"cut short", shortFile});
    auto highCount = sample();
    highCount[3] = 1;  // count 0x010A: only the low byte counts, the high one stays
    highCount[5] = 7;
    cases.push_back({"count high bytes", highCount});
    auto overfull = quendar::testing::largestMissionFile();
    cases.push_back({"event area full", overfull});

    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        auto original = opened(file);
        const std::string doc = exported(*original);
        EXPECT_EQ(doc, exported(*original)) << "export is not deterministic";
        const auto resaved = app::buildMissionImage(*original);
        auto copy = imported(doc);
        EXPECT_EQ(exported(*copy), doc) << "the imported mission exports differently";
        EXPECT_TRUE(app::buildMissionImage(*copy) == resaved) << "import(export(x)) differs from resave(x)";
    }
}

TEST(MissionText, HandWrittenMinimalDocumentTakesTheEmptyRecordForTheRest) {
    auto e = imported(document(R"("shipgroups": [{"name": "Vessa Picket", "craftType": 5}])"));
    auto reopened = opened(app::buildMissionImage(*e));
    const auto& s = reopened->store;
    EXPECT_EQ(s.shipgroupCount, 1);
    EXPECT_EQ(s.messageCount, 0);
    EXPECT_EQ(s.text(Table::Shipgroups, 0, 0, 20), "Vessa Picket");
    EXPECT_EQ(s.byte(Table::Shipgroups, 0, 107), 5);
    EXPECT_EQ(s.byte(Table::Shipgroups, 0, 108), 1);    // one craft
    EXPECT_EQ(s.byte(Table::Shipgroups, 0, 114), 2);    // AI skill of a new mission
    EXPECT_EQ(s.byte(Table::Shipgroups, 0, 25), 255);   // no special cargo
    EXPECT_EQ(s.text(Table::RegionNames, 0, 0, 132), "Region 1");
    EXPECT_EQ(reopened->briefing.briefingEndTime(), 3000);
}

// Where each named field lies, written from the record layouts: a document
// that sets the field puts its bytes there, and the export reads them back
// under the same name.
TEST(MissionText, NamedFieldsSitAtTheirRecordPositions) {
    struct Row {
        const char* members;
        const char* pointer;
        json value;
        Table table;
        int slot, offset;
        std::vector<uint8_t> bytes;
    };
    const Row rows[] = {
        {R"("shipgroups": [{"craftType": 23}])", "/shipgroups/0/craftType", 23, Table::Shipgroups, 0, 107, {23}},
        {R"("shipgroups": [{"arrivalTriggers": [{}, {}, {"condition": 7}]}])",
         "/shipgroups/0/arrivalTriggers/2/condition", 7, Table::Shipgroups, 0, 152, {7}},
        {R"("shipgroups": [{"departureTriggers": [{}, {"subject": 9}]}])",
         "/shipgroups/0/departureTriggers/1/subject", 9, Table::Shipgroups, 0, 180, {9}},
        {R"("shipgroups": [{"departureMethod2": 1}])", "/shipgroups/0/departureMethod2", 1, Table::Shipgroups, 0, 201, {1}},
        {R"("shipgroups": [{"orders": [[], [{}, {}, {"throttle": 4}]]}])",
         "/shipgroups/0/orders/1/2/throttle", 4, Table::Shipgroups, 0, 1091, {4}},
        {R"("shipgroups": [{"orders": [[], [], [], [{}, {}, {}, {"waypoints": [{}, {}, {}, {}, {}, {}, {}, {"y": -2}]}]]}])",
         "/shipgroups/0/orders/3/3/waypoints/7/y", -2, Table::Shipgroups, 0, 2500, {0xFE, 0xFF}},
        {R"("shipgroups": [{"orders": [[{"target2": 6}]]}])", "/shipgroups/0/orders/0/0/target2", 6, Table::Shipgroups, 0, 217, {6}},
        {R"("shipgroups": [{"goals": [{}, {}, {}, {}, {}, {}, {}, {"goalPoints": 40}]}])",
         "/shipgroups/0/goals/7/goalPoints", 40, Table::Shipgroups, 0, 3389, {40}},
        {R"("shipgroups": [{"startPoints": [{}, {}, {}, {"enabled": 1}]}])",
         "/shipgroups/0/startPoints/3/enabled", 1, Table::Shipgroups, 0, 3496, {1, 0}},
        {R"("shipgroups": [{"optionalShipWaves": [0, 0, 5]}])", "/shipgroups/0/optionalShipWaves/2", 5,
         Table::Shipgroups, 0, 3573, {5}},
        {R"("shipgroups": [{"backdrop": 3}])", "/shipgroups/0/backdrop", 3, Table::Shipgroups, 0, 3602, {3}},
        {R"("shipgroups": [{}, {"orders": [[], [], [{}, {"text": "Hold"}]]}])", "/shipgroups/1/orders/2/1/text", "Hold",
         Table::OrderStrings, 25, 0, {'H', 'o', 'l', 'd', 0}},
        {R"("shipgroups": [{"goals": [{}, {}, {}, {}, {}, {"messages": ["", "", "Done"]}]}])",
         "/shipgroups/0/goals/5/messages/2", "Done", Table::ShipgroupGoalStrings, 17, 0, {'D', 'o', 'n', 'e', 0}},
        {R"("messages": [{"triggers": [{}, {}, {}, {"amount": 4}]}])", "/messages/0/triggers/3/amount", 4,
         Table::Messages, 0, 117, {4}},
        {R"("messages": [{"colour": 3}])", "/messages/0/colour", 3, Table::Messages, 0, 142, {3}},
        {R"("globalGoals": [{}, {}, {}, {}, {}, {}, {}, {}, {}, {"secondary": {"goals": [{}, {}, {}, {"texts": ["", "", "Last"]}]}}])",
         "/globalGoals/9/secondary/goals/3/texts/2", "Last", Table::GlobalGoalStrings, 359, 0, {'L', 'a', 's', 't', 0}},
        {R"("globalGoals": [{"prevent": {"points": 40}}])", "/globalGoals/0/prevent/points", 40, Table::GlobalGoals, 0, 175, {40}},
        {R"("globalGoals": [{"primary": {"goals": [{}, {}, {"param1": 2}]}}])", "/globalGoals/0/primary/goals/2/param1", 2,
         Table::GlobalGoals, 0, 22, {2}},
        {R"("teams": [{}, {}, {}, {}, {"failureMessage2": "Lost"}])", "/teams/4/failureMessage2", "Lost", Table::Teams, 4,
         228, {'L', 'o', 's', 't', 0}},
        {R"("header": {"iffNames": ["", "", "", "Ashen"]})", "/header/iffNames/3", "Ashen", Table::Header, 0, 80,
         {'A', 's', 'h', 'e', 'n', 0}},
        {R"("briefing": {"teams": [1, 1, 1, 1, 1, 1, 1, 0]})", "/briefing/teams/7", 0, Table::Briefing1, 0, 17425, {0}},
        {R"("missionOptions": {"startingHangar": 4})", "/missionOptions/startingHangar", 4, Table::MissionOptions, 0, 0, {4}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pointer);
        auto e = imported(document(r.members));
        for (size_t k = 0; k < r.bytes.size(); ++k)
            EXPECT_EQ(e->store.byte(r.table, r.slot, r.offset + static_cast<int>(k)), r.bytes[k]) << "byte " << k;
        EXPECT_EQ(json::parse(exported(*e)).at(json::json_pointer(r.pointer)), r.value);
    }
}

TEST(MissionText, CodesCarryTheirListEntryBesideThem) {
    const json doc = json::parse(exported(*opened(sample())));
    const json& g = doc["shipgroups"][1];
    EXPECT_EQ(g["craftTypeName"], "Kylet Striker");
    EXPECT_EQ(g["aiSkillName"], "Veteran");
    EXPECT_EQ(g["orders"][0][0]["throttleName"], "Throttle at 100%");
    EXPECT_FALSE(g.contains("wavesName")) << "plain numbers get no name";
    // Names are for readers: an edited name beside an unchanged code changes nothing.
    json edited = doc;
    edited["shipgroups"][1]["craftTypeName"] = "Something else";
    EXPECT_EQ(json::parse(exported(*imported(edited.dump()))), doc);
}

TEST(MissionText, TextsKeepEveryByte) {
    auto e = freshEditor();
    const std::string odd = "\x01quote\" back\\ \x7f\xe9\xff";
    e->store.setText(Table::Shipgroups, 0, 0, 20, odd);
    const std::string doc = exported(*e);
    EXPECT_NE(doc.find(R"("\u0001quote\" back\\ \u007fé)" "\xc3\xbf\""), std::string::npos);
    EXPECT_EQ(imported(doc)->store.text(Table::Shipgroups, 0, 0, 20), odd);
}

TEST(MissionText, BadDocumentsAreRefusedWithPathAndLine) {
    struct Row {
        std::string doc;
        std::string path;
        std::string message;
        int line;  // 0: any
    };
    std::string many = "[";
    for (int i = 0; i < 256; ++i) many += i ? ",{}" : "{}";
    std::string skips;
    for (int i = 0; i < 501; ++i) skips += std::string(i ? "," : "") + R"({"time": 1, "kind": "BRC_SKIP"})";
    const Row rows[] = {
        {"{\"format\": \n\"quendar-mission\",", "", "not JSON", 2},
        {R"({"format": "other", "version": 1})", "format", "not a mission document", 1},
        {document("\"shipgroups\": [{\n\"name\": 5}]"), "shipgroups[0].name", "expected a text", 2},
        {document("\"shipgroups\": [{},\n {\"orders\": [[{},\n {\"throttle\": 300}]]}]"),
         "shipgroups[1].orders[0][1].throttle", "300 is out of range 0..255", 3},
        {document(R"("shipgroups": [{"startPoints": [{"x": -40000}]}])"), "shipgroups[0].startPoints[0].x",
         "-40000 is out of range -32768..32767", 0},
        {document(R"("shipgroups": [{"waves": 2.5}])"), "shipgroups[0].waves", "expected a whole number", 0},
        {document(R"("shipgroups": [{"waves": 18446744073709551615}])"), "shipgroups[0].waves",
         "18446744073709551615 is out of range 0..255", 0},
        {document(R"("shipgroups": [{"colour": 1}])"), "shipgroups[0].colour", "unknown field", 0},
        {document(R"("shipgroups": [{"name": "Ðùñ中"}])"), "shipgroups[0].name", "beyond U+00FF", 0},
        {document(R"("shipgroups": [{"name": "twenty-one characters"}])"), "shipgroups[0].name", "longer than 20", 0},
        {document(R"("shipgroups": [{"rest": {"3646": "00"}}])"), "shipgroups[0].rest.3646", "offset out of range", 0},
        {document(R"("shipgroups": [{"rest": {"10": "0g"}}])"), "shipgroups[0].rest.10", "hex bytes", 0},
        {document("\"shipgroups\": " + many + "]"), "shipgroups", "has 256 entries", 0},
        {document(R"("shipgroupCount": 2, "shipgroups": [{}])"), "shipgroupCount", "does not match", 0},
        {document(R"("briefing": {"commands": [)" + skips + "]}"), "briefing.commands[500]", "too many BRC_SKIP", 0},
        {document(R"("briefing": {"commands": [{"time": 1, "kind": "BRC_WARP"}]})"), "briefing.commands[0].kind",
         "unknown briefing command kind", 0},
        {document(R"("briefing": {"commands": [{"time": 1, "kind": "BRC_COORD", "z": 1}]})"),
         "briefing.commands[0].z", "unknown field", 0},
        {document(R"("teams": {"name": "x"})"), "teams", "expected a list", 0},
        {document(R"("landing": 1)"), "landing", "unknown field", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path + " / " + r.message);
        std::optional<text::ImportError> err;
        imported(r.doc, &err);
        ASSERT_TRUE(err);
        EXPECT_EQ(err->path, r.path);
        EXPECT_NE(err->message.find(r.message), std::string::npos) << err->message;
        if (r.line) EXPECT_EQ(err->line, r.line);
        else EXPECT_GT(err->line, 0);
    }
}

// A field given twice counts once with its last value, wherever it stands;
// a byte-order mark in front of the document is no error.
TEST(MissionText, RepeatedKeysTakeTheLastValue) {
    struct Row {
        std::string doc;
        int offset;  // in shipgroup 0
        int value;
        int groups;
    };
    const Row rows[] = {
        {document(R"("shipgroups": [{"craftType": 999, "craftType": 7}])"), 107, 7, 1},
        {document(R"("shipgroups": [{"name": "Orla", "craftType": 3, "name": "Bex"}])"), 0, 'B', 1},
        {document(R"("shipgroups": [{"craftTypeName": 5, "craftType": 7, "craftTypeName": "Blade"}])"), 107, 7, 1},
        {document(R"("shipgroups": [{"rest": {"10": "01"}, "rest": {"11": "02"}}])"), 10, 0, 1},
        {document(R"("shipgroups": [{"rest": {"10": "01"}, "rest": {"11": "02"}}])"), 11, 2, 1},
        {document(R"("shipgroups": [{}, {}], "shipgroups": [{"craftType": 4}])"), 107, 4, 1},
        {document(R"("shipgroupCount": 9, "shipgroups": [{"craftType": 3}, {}], "shipgroupCount": 2)"), 107, 3, 2},
        {"\xEF\xBB\xBF" + document(R"("shipgroups": [{"craftType": 6}])"), 107, 6, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.doc);
        auto e = imported(r.doc);
        EXPECT_EQ(e->store.shipgroupCount, r.groups);
        EXPECT_EQ(e->store.byte(Table::Shipgroups, 0, r.offset), r.value);
    }
}

// --- diff

void deleteShipgroup(mission::MissionStore& s, int k) {
    for (int i = k; i + 1 < s.shipgroupCount; ++i) {
        s.copySlot(Table::Shipgroups, i + 1, i);
        for (int n = 0; n < 24; ++n) s.copySlot(Table::ShipgroupGoalStrings, (i + 1) * 24 + n, i * 24 + n);
        for (int n = 0; n < 16; ++n) s.copySlot(Table::OrderStrings, (i + 1) * 16 + n, i * 16 + n);
    }
    --s.shipgroupCount;
    shipgroup::renumberReferences(s, s.shipgroupCount, k, shipgroup::Shift::Later);
    shipgroup::renumberOutsideReferences(s, k, shipgroup::Shift::Later);
}

std::vector<std::string> paths(const std::vector<text::Difference>& d) {
    std::vector<std::string> out;
    for (const auto& x : d) out.push_back(x.path + ": " + x.before + " | " + x.after);
    return out;
}

TEST(MissionText, DiffSpeaksInShipgroupsOrdersAndCommands) {
    // Shipgroup 3 targets shipgroup 6 ("Depot Vesh"), so a deletion before
    // both renumbers the reference.
    auto base = opened(sample());
    base->store.setByte(Table::Shipgroups, 3, 202 + 12, 1);
    base->store.setByte(Table::Shipgroups, 3, 202 + 13, 6);
    const auto file = app::buildMissionImage(*base);
    const auto name = [&](int i) { return base->store.text(Table::Shipgroups, i, 0, 20); };
    ASSERT_EQ(name(3), "Korvane Guard");
    ASSERT_EQ(name(6), "Depot Vesh");

    struct Row {
        const char* what;
        std::function<void(app::Editor&)> change;
        bool reversed;  // compare the changed mission with the base
        std::vector<std::string> expected;
    };
    const auto viaText = [&](const std::function<void(json&)>& edit) {
        return [edit](app::Editor& e) {
            json doc = json::parse(exported(e));
            edit(doc);
            auto copy = imported(doc.dump());
            e.store = copy->store;
            app::loadMissionBytes(e, app::buildMissionImage(*copy));
        };
    };
    const Row rows[] = {
        {"identical", [](app::Editor&) {}, false, {}},
        {"renamed", viaText([](json& d) { d["shipgroups"][2]["name"] = "Hauler Nine"; }), false,
         {R"(shipgroups[2] "Hauler Nine" .name: "Hauler Sixx" | "Hauler Nine")"}},
        {"order target", viaText([](json& d) { d["shipgroups"][3]["orders"][0][0]["target1"] = 4; }), false,
         {R"(shipgroups[3] "Korvane Guard" .orders[0][0].target1: 6 "Depot Vesh" | 4 "Blade Ring")"}},
        {"deleted", [](app::Editor& e) { deleteShipgroup(e.store, 1); }, false,
         {R"(shipgroups[1] "Amber Wing": removed | )"}},
        {"inserted", [](app::Editor& e) { deleteShipgroup(e.store, 1); }, true,
         {R"(shipgroups[1] "Amber Wing":  | added)"}},
        {"last message deleted", [](app::Editor& e) { --e.store.messageCount; }, false,
         {"messages[" + std::to_string(base->store.messageCount - 1) + "]: removed | "}},
        {"unnamed byte", [](app::Editor& e) { e.store.setByte(Table::Shipgroups, 2, 130, 7); }, false,
         {R"(shipgroups[2] "Hauler Sixx" .rest[130]: 00 | 07)"}},
        {"moved command", viaText([](json& d) {
             for (json& c : d["briefing"]["commands"])
                 if (c["kind"] == "BRC_ORIENT") { c["time"] = 33; break; }
         }), false,
         {"briefing.commands.BRC_ORIENT[0]: time 14, ship 2, direction 1 | time 33, ship 2, direction 1"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        auto a = opened(file), b = opened(file);
        r.change(*b);
        if (r.reversed) std::swap(a, b);
        const auto d = text::diffMissions({a->store, a->briefing, &a->craftList}, {b->store, b->briefing, &b->craftList});
        EXPECT_EQ(paths(d), r.expected);
    }
}

}  // namespace
