#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <random>

#include "app/files/MissionIO.h"
#include "briefing/BriefingModel.h"
#include "mission/FileIO.h"
#include "shipgroup/ShipgroupList.h"
#include "support/LargestMission.h"
#include "text/MissionText.h"

namespace {

using namespace quendar;
using mission::Table;
using nlohmann::json;

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
std::string exported(const app::Editor& e) {
    return text::exportMission(e.store, e.briefing, &e.craftList);
}
std::unique_ptr<app::Editor> imported(const std::string& doc,
                                      std::optional<text::ImportError>* error = nullptr) {
    auto e = freshEditor();
    auto err = text::importMission(doc, e->store, e->briefing);
    if (error)
        *error = err;
    else
        EXPECT_FALSE(err) << err->text();
    return e;
}
std::vector<uint8_t> sample() {
    return *mission::readWholeFile(QUENDAR_DATA_DIR "/samples/lantern-run.tie");
}
std::vector<uint8_t> randomFile(uint32_t seed, int groups, int messages, bool briefing) {
    mission::MissionStore s;
    quendar::testing::fillRandomMission(s, seed, groups, messages);
    if (briefing) quendar::testing::fillFullBriefing(s);
    return mission::writeMission(s);
}
std::string document(const std::string& members) {
    return R"({"format": "quendar-mission", "version": 1)" +
           (members.empty() ? "" : ", " + members) + "}";
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
        EXPECT_TRUE(app::buildMissionImage(*copy) == resaved)
            << "import(export(x)) differs from resave(x)";
    }
}

TEST(MissionText, HandWrittenMinimalDocumentTakesTheEmptyRecordForTheRest) {
    // A byte-order mark in front of the document is no error.
    auto e = imported("\xEF\xBB\xBF" +
                      document(R"("shipgroups": [{"name": "Vessa Picket", "craftType": 5}])"));
    auto reopened = opened(app::buildMissionImage(*e));
    const auto& s = reopened->store;
    EXPECT_EQ(s.shipgroupCount, 1);
    EXPECT_EQ(s.messageCount, 0);
    EXPECT_EQ(s.text(Table::Shipgroups, 0, 0, 20), "Vessa Picket");
    EXPECT_EQ(s.byte(Table::Shipgroups, 0, 107), 5);
    EXPECT_EQ(s.byte(Table::Shipgroups, 0, 108), 1);   // one craft
    EXPECT_EQ(s.byte(Table::Shipgroups, 0, 114), 2);   // AI skill of a new mission
    EXPECT_EQ(s.byte(Table::Shipgroups, 0, 25), 255);  // no special cargo
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
        {R"("shipgroups": [{"craftType": 23}])",
         "/shipgroups/0/craftType",
         23,
         Table::Shipgroups,
         0,
         107,
         {23}},
        {R"("shipgroups": [{"waves": 255}])",
         "/shipgroups/0/waves",
         255,
         Table::Shipgroups,
         0,
         122,
         {255}},
        {R"("shipgroups": [{"optionalBeams": [0, 255]}])",
         "/shipgroups/0/optionalBeams/1",
         255,
         Table::Shipgroups,
         0,
         3541,
         {255}},
        {R"("header": {"formatNumber": 65535})",
         "/header/formatNumber",
         65535,
         Table::Header,
         0,
         0,
         {0xFF, 0xFF}},
        {R"("shipgroups": [{"startPoints": [{"x": -32768}]}])",
         "/shipgroups/0/startPoints/0/x",
         -32768,
         Table::Shipgroups,
         0,
         3466,
         {0x00, 0x80}},
        {R"("shipgroups": [{"startPoints": [{"z": 32767}]}])",
         "/shipgroups/0/startPoints/0/z",
         32767,
         Table::Shipgroups,
         0,
         3470,
         {0xFF, 0x7F}},
        {R"("shipgroups": [{"arrivalTriggers": [{}, {}, {"condition": 7}]}])",
         "/shipgroups/0/arrivalTriggers/2/condition",
         7,
         Table::Shipgroups,
         0,
         152,
         {7}},
        {R"("shipgroups": [{"departureTriggers": [{}, {"subject": 9}]}])",
         "/shipgroups/0/departureTriggers/1/subject",
         9,
         Table::Shipgroups,
         0,
         180,
         {9}},
        {R"("shipgroups": [{"departureMethod2": 1}])",
         "/shipgroups/0/departureMethod2",
         1,
         Table::Shipgroups,
         0,
         201,
         {1}},
        {R"("shipgroups": [{"orders": [[], [{}, {}, {"throttle": 4}]]}])",
         "/shipgroups/0/orders/1/2/throttle",
         4,
         Table::Shipgroups,
         0,
         1091,
         {4}},
        {R"("shipgroups": [{"orders": [[], [], [], [{}, {}, {}, {"waypoints": [{}, {}, {}, {}, {}, {}, {}, {"y": -2}]}]]}])",
         "/shipgroups/0/orders/3/3/waypoints/7/y",
         -2,
         Table::Shipgroups,
         0,
         2500,
         {0xFE, 0xFF}},
        {R"("shipgroups": [{"orders": [[{"target2": 6}]]}])",
         "/shipgroups/0/orders/0/0/target2",
         6,
         Table::Shipgroups,
         0,
         217,
         {6}},
        {R"("shipgroups": [{"goals": [{}, {}, {}, {}, {}, {}, {}, {"goalPoints": 40}]}])",
         "/shipgroups/0/goals/7/goalPoints",
         40,
         Table::Shipgroups,
         0,
         3389,
         {40}},
        {R"("shipgroups": [{"startPoints": [{}, {}, {}, {"enabled": 1}]}])",
         "/shipgroups/0/startPoints/3/enabled",
         1,
         Table::Shipgroups,
         0,
         3496,
         {1, 0}},
        {R"("shipgroups": [{"optionalShipWaves": [0, 0, 5]}])",
         "/shipgroups/0/optionalShipWaves/2",
         5,
         Table::Shipgroups,
         0,
         3573,
         {5}},
        {R"("shipgroups": [{"backdrop": 3}])",
         "/shipgroups/0/backdrop",
         3,
         Table::Shipgroups,
         0,
         3602,
         {3}},
        {R"("shipgroups": [{}, {"orders": [[], [], [{}, {"text": "Hold"}]]}])",
         "/shipgroups/1/orders/2/1/text",
         "Hold",
         Table::OrderStrings,
         25,
         0,
         {'H', 'o', 'l', 'd', 0}},
        {R"("shipgroups": [{"goals": [{}, {}, {}, {}, {}, {"messages": ["", "", "Done"]}]}])",
         "/shipgroups/0/goals/5/messages/2",
         "Done",
         Table::ShipgroupGoalStrings,
         17,
         0,
         {'D', 'o', 'n', 'e', 0}},
        {R"("messages": [{"triggers": [{}, {}, {}, {"amount": 4}]}])",
         "/messages/0/triggers/3/amount",
         4,
         Table::Messages,
         0,
         117,
         {4}},
        {R"("messages": [{"colour": 3}])", "/messages/0/colour", 3, Table::Messages, 0, 142, {3}},
        {R"("globalGoals": [{}, {}, {}, {}, {}, {}, {}, {}, {}, {"secondary": {"goals": [{}, {}, {}, {"texts": ["", "", "Last"]}]}}])",
         "/globalGoals/9/secondary/goals/3/texts/2",
         "Last",
         Table::GlobalGoalStrings,
         359,
         0,
         {'L', 'a', 's', 't', 0}},
        {R"("globalGoals": [{"prevent": {"points": 40}}])",
         "/globalGoals/0/prevent/points",
         40,
         Table::GlobalGoals,
         0,
         175,
         {40}},
        {R"("globalGoals": [{"primary": {"goals": [{}, {}, {"param1": 2}]}}])",
         "/globalGoals/0/primary/goals/2/param1",
         2,
         Table::GlobalGoals,
         0,
         22,
         {2}},
        {R"("teams": [{}, {}, {}, {}, {"failureMessage2": "Lost"}])",
         "/teams/4/failureMessage2",
         "Lost",
         Table::Teams,
         4,
         228,
         {'L', 'o', 's', 't', 0}},
        {R"("header": {"iffNames": ["", "", "", "Ashen"]})",
         "/header/iffNames/3",
         "Ashen",
         Table::Header,
         0,
         80,
         {'A', 's', 'h', 'e', 'n', 0}},
        {R"("briefing": {"teams": [1, 1, 1, 1, 1, 1, 1, 0]})",
         "/briefing/teams/7",
         0,
         Table::Briefing1,
         0,
         17425,
         {0}},
        {R"("missionOptions": {"startingHangar": 4})",
         "/missionOptions/startingHangar",
         4,
         Table::MissionOptions,
         0,
         0,
         {4}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pointer);
        auto e = imported(document(r.members));
        for (size_t k = 0; k < r.bytes.size(); ++k)
            EXPECT_EQ(e->store.byte(r.table, r.slot, r.offset + static_cast<int>(k)), r.bytes[k])
                << "byte " << k;
        EXPECT_EQ(json::parse(exported(*e)).at(json::json_pointer(r.pointer)), r.value);
    }
}

// Every field of every record, written from the record layouts: its path,
// offset and width. A mission whose neighbouring bytes all differ is
// exported, and each field must show the bytes at its own place.
TEST(MissionText, EveryFieldReadsItsOwnBytes) {
    enum F : char {
        B = 'B',
        W = 'W',
        S = 'S',
        T = 'T',
        L = 'L'
    };  // byte, word, signed, text, list
    struct Row {
        const char* path;
        int offset, width;
        F form;
    };
    struct Record {
        Table table;
        int slot;
        const char* pointer;
        std::vector<Row> rows;
    };
    const std::vector<Row> trigger = {{"condition", 0, 1, B}, {"subjectType", 1, 1, B},
                                      {"subject", 2, 1, B},   {"amount", 3, 1, B},
                                      {"param1", 4, 1, B},    {"param2", 5, 1, B}};
    std::vector<Row> shipgroup = {{"name", 0, 20, T},
                                  {"additionalInfo1Enable", 20, 1, B},
                                  {"additionalInfo2Enable", 21, 1, B},
                                  {"additionalInfo1", 22, 1, B},
                                  {"additionalInfo2", 23, 1, B},
                                  {"specialCargoIndex", 25, 1, B},
                                  {"cargo", 40, 20, T},
                                  {"comment", 60, 20, T},
                                  {"specialCargoCraft", 105, 1, B},
                                  {"specialCargoRandom", 106, 1, B},
                                  {"craftType", 107, 1, B},
                                  {"craftCount", 108, 1, B},
                                  {"status1", 109, 1, B},
                                  {"warhead", 110, 1, B},
                                  {"beam", 111, 1, B},
                                  {"iff", 112, 1, B},
                                  {"team", 113, 1, B},
                                  {"aiSkill", 114, 1, B},
                                  {"markings", 115, 1, B},
                                  {"radio", 116, 1, B},
                                  {"formation", 118, 1, B},
                                  {"formationDistance", 119, 1, B},
                                  {"globalGroup", 120, 1, B},
                                  {"waves", 122, 1, B},
                                  {"playerCraft", 125, 1, B},
                                  {"arrivalTriggers[0].condition", 136, 1, B},
                                  {"arrivalTriggers[1].condition", 142, 1, B},
                                  {"arrivalValueA", 148, 1, B},
                                  {"arrivalValueB", 149, 1, B},
                                  {"arrivalOr12", 150, 1, B},
                                  {"arrivalTriggers[2].condition", 152, 1, B},
                                  {"arrivalValueC", 164, 1, B},
                                  {"arrivalValueD", 165, 1, B},
                                  {"arrivalOr34", 166, 1, B},
                                  {"arrivalOrConditions", 168, 1, B},
                                  {"arrivalDelayMinutes", 170, 1, B},
                                  {"arrivalDelaySeconds", 171, 1, B},
                                  {"departureTriggers[0].condition", 172, 1, B},
                                  {"departureValueA", 184, 1, B},
                                  {"departureValueB", 185, 1, B},
                                  {"departureOr", 186, 1, B},
                                  {"departureDelayMinutes", 188, 1, B},
                                  {"departureDelaySeconds", 189, 1, B},
                                  {"arrivalMothership1", 194, 1, B},
                                  {"arrivalMethod1", 195, 1, B},
                                  {"arrivalMothership2", 196, 1, B},
                                  {"arrivalMethod2", 197, 1, B},
                                  {"departureMothership1", 198, 1, B},
                                  {"departureMethod1", 199, 1, B},
                                  {"departureMothership2", 200, 1, B},
                                  {"departureMethod2", 201, 1, B},
                                  {"orders[0][1].order", 350, 1, B},
                                  {"orders[1][0].order", 794, 1, B},
                                  {"goals[0].goalCondition", 2827, 1, B},
                                  {"startPoints[0].x", 3466, 2, S},
                                  {"startPointRegion", 3498, 4, L},
                                  {"countermeasure", 3527, 1, B},
                                  {"status2", 3529, 1, B},
                                  {"globalUnit", 3530, 1, B},
                                  {"optionalWarheads", 3532, 8, L},
                                  {"optionalBeams", 3540, 6, L},
                                  {"optionalCountermeasures", 3546, 3, L},
                                  {"optionalShipMode", 3550, 1, B},
                                  {"optionalShipType", 3551, 10, L},
                                  {"optionalShipCount", 3561, 10, L},
                                  {"optionalShipWaves", 3571, 10, L},
                                  {"backdrop", 3602, 1, B}};
    // Whole elements: trigger 4 and departure trigger 2, order (region 3, slot 2)
    // at 202 + 3 × 592 + 2 × 148 with its waypoint 8, goal 8 and start point 4.
    std::vector<std::unique_ptr<std::string>> names;
    const auto add = [&](std::vector<Row>& rows, const std::string& path, int offset, int width,
                         F form) {
        names.push_back(std::make_unique<std::string>(path));
        rows.push_back({names.back()->c_str(), offset, width, form});
    };
    for (const Row& r : trigger) {
        add(shipgroup, "arrivalTriggers[3]." + std::string(r.path), 158 + r.offset, 1, B);
        add(shipgroup, "departureTriggers[1]." + std::string(r.path), 178 + r.offset, 1, B);
    }
    const char* order[] = {"order",        "throttle",    "orderParam1",  "orderParam2",
                           "orderParam3",  "orderParam4", "target3Type",  "target4Type",
                           "target3",      "target4",     "target34Flag", "orderParam5",
                           "target1Type",  "target1",     "target2Type",  "target2",
                           "target12Flag", "orderParam6", "orderParam7",  "orderParam8"};
    for (int k = 0; k < 20; ++k)
        add(shipgroup, std::string("orders[3][2].") + order[k], 2274 + k, 1, B);
    const std::pair<const char*, F> point[] = {{"x", S}, {"y", S}, {"z", S}, {"enabled", W}};
    for (int k = 0; k < 4; ++k) {
        add(shipgroup, std::string("orders[3][2].waypoints[7].") + point[k].first, 2350 + 2 * k, 2,
            point[k].second);
        add(shipgroup, std::string("startPoints[3].") + point[k].first, 3490 + 2 * k, 2,
            point[k].second);
    }
    const char* goal[] = {"goalArgument", "goalCondition", "goalAmount", "goalPoints",
                          "goalEnabled"};
    for (int k = 0; k < 5; ++k) add(shipgroup, std::string("goals[7].") + goal[k], 3386 + k, 1, B);

    std::vector<Row> message = {{"number", 0, 1, B},
                                {"text", 2, 64, T},
                                {"teams", 82, 8, L},
                                {"triggers[0].condition", 92, 1, B},
                                {"triggers[1].condition", 98, 1, B},
                                {"triggers[3].condition", 114, 1, B},
                                {"join12", 106, 1, B},
                                {"join34", 122, 1, B},
                                {"joinConditions", 124, 1, B},
                                {"delaySeconds", 140, 1, B},
                                {"delayMinutes", 141, 1, B},
                                {"colour", 142, 1, B}};
    for (const Row& r : trigger)
        add(message, "triggers[2]." + std::string(r.path), 108 + r.offset, 1, B);

    std::vector<Row> goals = {{"primary.join12", 16, 1, B},
                              {"secondary.points", 297, 1, B},
                              {"primary.goals[0].condition", 2, 1, B},
                              {"secondary.goals[1].amount", 255, 1, B}};
    const std::pair<const char*, int> blockField[] = {
        {"join12", 14}, {"join34", 30}, {"joinPairs", 49}, {"points", 51}};
    for (const auto& [name, at] : blockField)
        add(goals, std::string("prevent.") + name, 124 + at, 1, B);
    const int goalAt[] = {0, 6, 16, 22};
    for (int g = 0; g < 4; ++g)
        for (const Row& r : trigger)
            add(goals, "prevent.goals[" + std::to_string(g) + "]." + r.path,
                124 + goalAt[g] + r.offset, 1, B);

    const std::vector<Record> records = {
        {Table::Header,
         0,
         "/header",
         {{"formatNumber", 0, 2, W},
          {"iffNames[0]", 20, 20, T},
          {"iffNames[1]", 40, 20, T},
          {"iffNames[2]", 60, 20, T},
          {"iffNames[3]", 80, 20, T}}},
        {Table::SpecialCargo, 15, "/specialCargoes/15", {{"name", 0, 20, T}}},
        {Table::MissionOptions, 0, "/missionOptions", {{"startingHangar", 0, 1, B}}},
        {Table::Shipgroups, 1, "/shipgroups/1", shipgroup},
        {Table::Messages, 1, "/messages/1", message},
        {Table::GlobalGoals, 9, "/globalGoals/9", goals},
        {Table::Teams,
         4,
         "/teams/4",
         {{"name", 2, 20, T},
          {"victoryMessage1", 36, 64, T},
          {"victoryMessage2", 100, 64, T},
          {"failureMessage1", 164, 64, T},
          {"failureMessage2", 228, 64, T},
          {"outstandingMessage1", 292, 64, T},
          {"outstandingMessage2", 356, 64, T}}},
    };

    auto e = freshEditor();
    e->store.shipgroupCount = 2;
    e->store.messageCount = 2;
    for (const Record& rec : records) {
        auto bytes = e->store.mutableSlot(rec.table, rec.slot);
        for (size_t o = 0; o < bytes.size(); ++o)
            bytes[o] = static_cast<uint8_t>(bytes[o] ^ (1 + (o * 7) % 255));
    }
    const json doc = json::parse(exported(*e));
    for (const Record& rec : records) {
        const auto bytes = e->store.slot(rec.table, rec.slot);
        for (const Row& r : rec.rows) {
            std::string pointer = std::string(rec.pointer) + "/" + r.path;
            for (char& c : pointer)
                if (c == '.' || c == '[') c = '/';
            std::erase(pointer, ']');
            SCOPED_TRACE(pointer);
            const auto at = [&](int k) {
                return static_cast<int>(bytes[static_cast<size_t>(r.offset + k)]);
            };
            ASSERT_TRUE(doc.contains(json::json_pointer(pointer)));
            const json& v = doc.at(json::json_pointer(pointer));
            std::vector<uint8_t> field(bytes.begin() + r.offset,
                                       bytes.begin() + r.offset + r.width);
            while (!field.empty() && field.back() == 0) field.pop_back();
            switch (r.form) {
                case B: EXPECT_EQ(v, at(0)); break;
                case W: EXPECT_EQ(v, at(0) | at(1) << 8); break;
                case S: EXPECT_EQ(v, static_cast<int16_t>(at(0) | at(1) << 8)); break;
                case L: EXPECT_EQ(v, json(field)); break;
                case T: {
                    std::string utf8;
                    for (uint8_t c : field)
                        utf8 += c < 0x80 ? std::string(1, static_cast<char>(c))
                                         : std::string{static_cast<char>(0xC0 | c >> 6),
                                                       static_cast<char>(0x80 | (c & 0x3F))};
                    EXPECT_EQ(v, utf8);
                }
            }
        }
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
    EXPECT_NE(doc.find(R"("\u0001quote\" back\\ \u007fé)"
                       "\xc3\xbf\""),
              std::string::npos);
    EXPECT_EQ(imported(doc)->store.text(Table::Shipgroups, 0, 0, 20), odd);
}

TEST(MissionText, BadDocumentsAreRefusedWithPathAndLine) {
    struct Row {
        std::string doc;
        std::string path;
        std::string message;
        int line;  // 0: any line; -1: none
    };
    std::string many = "[";
    for (int i = 0; i < 256; ++i) many += i ? ",{}" : "{}";
    std::string skips;
    for (int i = 0; i < 501; ++i)
        skips += std::string(i ? "," : "") + R"({"time": 1, "kind": "BRC_SKIP"})";
    std::string keys;  // refused at its first key, however many follow
    for (int i = 0; i < 100000; ++i) keys += (i ? ",\"k" : "\"k") + std::to_string(i) + "\": 1";
    const Row rows[] = {
        {"", "", "the document is empty", -1},
        {"[]", "", "expected an object, found []", 1},
        {R"("quendar-mission")", "", "expected an object", 1},
        {"\xEF\xBB\xBF[]", "", "expected an object", 1},
        {document("\"header\": {\"formatNumber\":\n1e400}"), "header.formatNumber",
         "1e400 is a number too large", 2},
        {document("\"shipgroups\": [{\"waves\":\n 99999999999999999999999}]"),
         "shipgroups[0].waves", "99999999999999999999999 is a number too large", 2},
        {document(R"("shipgroups": [{"waves": 4.3e1}])"), "shipgroups[0].waves",
         "expected a whole number, found 4.3e1", 0},
        {document(R"("shipgroups": [{"craftType": 256}])"), "shipgroups[0].craftType",
         "256 is out of range 0..255", 0},
        {document(R"("shipgroups": [{"craftType": -1}])"), "shipgroups[0].craftType",
         "-1 is out of range 0..255", 0},
        {document(R"("shipgroups": [{"optionalBeams": [0, 256]}])"),
         "shipgroups[0].optionalBeams[1]", "256 is out of range", 0},
        {document(R"("header": {"formatNumber": 65536})"), "header.formatNumber",
         "65536 is out of range 0..65535", 0},
        {document(R"("shipgroups": [{"startPoints": [{"x": -32769}]}])"),
         "shipgroups[0].startPoints[0].x", "-32769 is out of range -32768..32767", 0},
        {document(R"("shipgroups": [{"startPoints": [{"z": 32768}]}])"),
         "shipgroups[0].startPoints[0].z", "32768 is out of range", 0},
        {document(R"("shipgroups": [{)" + keys + "}]"), "shipgroups[0].k0", "unknown field", 1},
        {document("\"shipgroups\": [{\"craftType\": 5,\n\"craftType\": 7}]"),
         "shipgroups[0].craftType", "given twice", 2},
        {document(
             R"("shipgroups": [{"craftTypeName": "A", "craftType": 7, "craftTypeName": "B"}])"),
         "shipgroups[0].craftTypeName", "given twice", 0},
        {document(R"("shipgroups": [{"rest": {"130": "01"}, "rest": {"131": "02"}}])"),
         "shipgroups[0].rest", "given twice", 0},
        {document(R"("shipgroups": [], "shipgroups": [{}])"), "shipgroups", "given twice", 0},
        {document(R"("briefing": {"commands": [{"time": 1, "kind": "BRC_SKIP", "time": 2}]})"),
         "briefing.commands[0].time", "given twice", 0},
        {document(R"("shipgroups": [{"rest": {"130": "0102", "131": "03"}}])"),
         "shipgroups[0].rest.131", "byte 131 is given twice", 0},
        {document(R"("shipgroups": [{"rest": {"24": "000000"}}])"), "shipgroups[0].rest.24",
         "byte 25 belongs to the field specialCargoIndex", 0},
        {document(R"("shipgroups": [{"rest": {"169": "0000"}}])"), "shipgroups[0].rest.169",
         "byte 170 belongs to the field arrivalDelayMinutes", 0},
        {document(R"("messages": [{"rest": {"104": "000000"}}])"), "messages[0].rest.104",
         "byte 106 belongs to the field join12", 0},
        {document(R"("globalGoals": [{"rest": {"50": "0000"}}])"), "globalGoals[0].rest.50",
         "byte 51 belongs to the field primary.joinPairs", 0},
        {document(R"("header": {"rest": {"2": "00"}})"), "header.rest.2",
         "byte 2 belongs to the writer", 0},
        {document(R"("briefing": {"rest": {"2": "00"}})"), "briefing.rest.2", "briefingLength", 0},
        {document(R"("briefing": {"rest": {"12": "00"}})"), "briefing.rest.12", "the commands", 0},
        {document(R"("briefing": {"rest": {"17425": "00"}})"), "briefing.rest.17425",
         "the field teams", 0},
        {document(R"("shipgroups": [{"rest": {"3645": "0000"}}])"), "shipgroups[0].rest.3645",
         "run past the end", 0},
        {"{\"format\": \n\"quendar-mission\",", "", "not JSON", 2},
        {R"({"format": "other", "version": 1})", "format", "not a mission document", 1},
        {document("\"shipgroups\": [{\n\"name\": 5}]"), "shipgroups[0].name", "expected a text", 2},
        {document("\"shipgroups\": [{},\n {\"orders\": [[{},\n {\"throttle\": 300}]]}]"),
         "shipgroups[1].orders[0][1].throttle", "300 is out of range 0..255", 3},
        {document(R"("shipgroups": [{"startPoints": [{"x": -40000}]}])"),
         "shipgroups[0].startPoints[0].x", "-40000 is out of range -32768..32767", 0},
        {document(R"("shipgroups": [{"waves": 2.5}])"), "shipgroups[0].waves",
         "expected a whole number", 0},
        {document(R"("shipgroups": [{"waves": 18446744073709551615}])"), "shipgroups[0].waves",
         "18446744073709551615 is out of range 0..255", 0},
        {document(R"("shipgroups": [{"colour": 1}])"), "shipgroups[0].colour", "unknown field", 0},
        {document(R"("shipgroups": [{"name": "Ðùñ中"}])"), "shipgroups[0].name", "beyond U+00FF",
         0},
        {document(R"("shipgroups": [{"name": "twenty-one characters"}])"), "shipgroups[0].name",
         "longer than 20", 0},
        {document(R"("shipgroups": [{"rest": {"3646": "00"}}])"), "shipgroups[0].rest.3646",
         "offset out of range", 0},
        {document(R"("shipgroups": [{"rest": {"10": "0g"}}])"), "shipgroups[0].rest.10",
         "hex bytes", 0},
        {document("\"shipgroups\": " + many + "]"), "shipgroups", "has 256 entries", 0},
        {document(R"("shipgroupCount": 2, "shipgroups": [{}])"), "shipgroupCount", "does not match",
         0},
        {document(R"("briefing": {"commands": [)" + skips + "]}"), "briefing.commands[500]",
         "too many BRC_SKIP", 0},
        {document(R"("briefing": {"commands": [{"time": 1, "kind": "BRC_WARP"}]})"),
         "briefing.commands[0].kind", "unknown briefing command kind", 0},
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
        if (r.line)
            EXPECT_EQ(err->line, std::max(r.line, 0));
        else
            EXPECT_GT(err->line, 0);
    }
}

// --- diff

void deleteShipgroup(mission::MissionStore& s, int k) {
    for (int i = k; i + 1 < s.shipgroupCount; ++i) {
        s.copySlot(Table::Shipgroups, i + 1, i);
        for (int n = 0; n < 24; ++n)
            s.copySlot(Table::ShipgroupGoalStrings, (i + 1) * 24 + n, i * 24 + n);
        for (int n = 0; n < 16; ++n) s.copySlot(Table::OrderStrings, (i + 1) * 16 + n, i * 16 + n);
    }
    --s.shipgroupCount;
    shipgroup::renumberReferences(s, s.shipgroupCount, k, shipgroup::Shift::Later);
    shipgroup::renumberOutsideReferences(s, k, shipgroup::Shift::Later);
}

std::vector<std::string> lines(const std::vector<text::Difference>& d) {
    std::vector<std::string> out;
    for (const auto& x : d) out.push_back(text::differenceLine(x));
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
        {"renamed",
         viaText([](json& d) { d["shipgroups"][2]["name"] = "Hauler Nine"; }),
         false,
         {R"(shipgroups[2] "Hauler Nine" .name: "Hauler Sixx" → "Hauler Nine")"}},
        {"order target",
         viaText([](json& d) { d["shipgroups"][3]["orders"][0][0]["target1"] = 4; }),
         false,
         {R"(shipgroups[3] "Korvane Guard" .orders[0][0].target1: 6 "Depot Vesh" → 4 "Blade Ring")"}},
        {"deleted",
         [](app::Editor& e) { deleteShipgroup(e.store, 1); },
         false,
         {R"(shipgroups[1] "Amber Wing": removed)"}},
        {"inserted",
         [](app::Editor& e) { deleteShipgroup(e.store, 1); },
         true,
         {R"(shipgroups[1] "Amber Wing": added)"}},
        {"inserted beside a renamed one",
         [](app::Editor& e) {
             deleteShipgroup(e.store, 1);
             e.store.setText(Table::Shipgroups, 1, 0, 20, "Renamed");
         },
         true,
         {R"(shipgroups[1] "Amber Wing": added)",
          R"(shipgroups[2] "Hauler Sixx" .name: "Renamed" → "Hauler Sixx")"}},
        {"message text",
         [](app::Editor& e) { e.store.setText(Table::Messages, 0, 2, 64, "Go\x85\x9f\xa0\x01"); },
         false,
         {"messages[0].text: \"Lanterns, form up on the hauler.\" → \"Go\\x85\\x9f\u00a0\\x01\""}},
        {"last message deleted",
         [](app::Editor& e) { --e.store.messageCount; },
         false,
         {"messages[" + std::to_string(base->store.messageCount - 1) + "]: removed"}},
        {"unnamed byte",
         [](app::Editor& e) { e.store.setByte(Table::Shipgroups, 2, 130, 7); },
         false,
         {R"(shipgroups[2] "Hauler Sixx" .rest[130]: 00 → 07)"}},
        {"moved command",
         viaText([](json& d) {
             for (json& c : d["briefing"]["commands"])
                 if (c["kind"] == "BRC_ORIENT") {
                     c["time"] = 33;
                     break;
                 }
         }),
         false,
         {"briefing.commands.BRC_ORIENT[0]: time 14, ship 2, direction 1 → time 33, ship 2, "
          "direction 1"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        auto a = opened(file), b = opened(file);
        r.change(*b);
        if (r.reversed) std::swap(a, b);
        const auto d = text::diffMissions({a->store, a->briefing, &a->craftList},
                                          {b->store, b->briefing, &b->craftList});
        EXPECT_EQ(lines(d), r.expected);
    }
}

// A well-formed briefing of random commands in random time order, as a file
// written by hand may hold them, up to a nearly full event area.
std::vector<uint8_t> busyBriefingFile(uint32_t seed) {
    mission::MissionStore s;
    quendar::testing::fillRandomMission(s, seed, 12, 6);
    std::mt19937 rng(seed);
    auto block = s.mutableSlot(Table::Briefing1, 0);
    size_t pos = briefing::kEventAreaStart;
    const auto word = [&](int v) {
        block[pos++] = static_cast<uint8_t>(v & 0xFF);
        block[pos++] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    while (pos + 12 + 4 <= static_cast<size_t>(briefing::kEventAreaEnd) && rng() % 2000 != 0) {
        const auto& info =
            briefing::kindInfo(static_cast<briefing::Kind>(rng() % briefing::kKindCount));
        word(static_cast<int>(rng() % 4000));
        word(info.code);
        for (int k = 0; k < info.paramCount; ++k) word(static_cast<int>(rng() % 200));
    }
    word(5000);
    word(briefing::kEndCode);
    return mission::writeMission(s);
}

// Both sides are read as Open reads them: a mission, its export and its
// resave are the same mission to diff.
TEST(MissionText, DiffCallsAMissionTheSameAsItsExportAndItsResave) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases = {
        {"sample", sample()},
        {"largest", quendar::testing::largestMissionFile()},
        {"random, full briefing", randomFile(21, 30, 20, true)},
    };
    for (uint32_t seed = 1; seed <= 6; ++seed)
        cases.push_back({"busy briefing " + std::to_string(seed), busyBriefingFile(seed)});
    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        auto original = opened(file);
        auto viaText = imported(exported(*original));
        auto resaved = opened(app::buildMissionImage(*opened(file)));
        const text::MissionRef m{original->store, original->briefing, &original->craftList};
        EXPECT_EQ(
            lines(text::diffMissions(m, {viaText->store, viaText->briefing, &viaText->craftList})),
            std::vector<std::string>{});
        EXPECT_EQ(
            lines(text::diffMissions(m, {resaved->store, resaved->briefing, &resaved->craftList})),
            std::vector<std::string>{});
    }
}

}  // namespace
