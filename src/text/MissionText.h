#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendar::mission {
class MissionStore;
class CraftList;
}
namespace quendar::briefing {
class BriefingModel;
}

namespace quendar::text {

// The mission as a JSON document: every field under its own name, codes as
// numbers with their list entry beside them ("craftType" and
// "craftTypeName"), texts as strings (bytes 0x80..0xFF as U+0080..U+00FF),
// and the bytes no field names as "rest": runs of hex bytes by offset, kept
// where they differ from the empty record. Key order is fixed, so the same
// mission always gives the same text.
//
// The store and the briefing lists are read as Open leaves them; importing
// the text and saving gives the same file as saving the mission itself.
std::string exportMission(const mission::MissionStore& store,
                          const briefing::BriefingModel& briefing,
                          const mission::CraftList* craftList);

// What import refuses: the JSON path of the offending value and its line.
struct ImportError {
    std::string path;  // "shipgroups[3].orders[0][1].throttle"; empty for the document
    int line = 0;      // 1-based; 0 when unknown
    std::string message;
    std::string text() const;  // "shipgroups[3].name (line 12): ..."
};

// Fills a store and briefing model that are in the new-mission state from a
// document. Fields left out keep the new mission's values. On an error the
// store may hold part of the document: the caller throws it away.
std::optional<ImportError> importMission(std::string_view json, mission::MissionStore& store,
                                         briefing::BriefingModel& briefing);

// The JSON reader's buffers, kept between imports: reading a large document
// into fresh ones costs several times the reading itself.
class ImportReader {
public:
    ImportReader();
    ~ImportReader();
    ImportReader(const ImportReader&) = delete;
    ImportReader& operator=(const ImportReader&) = delete;
    struct Parser;
    std::unique_ptr<Parser> parser;
};
std::optional<ImportError> importMission(std::string_view json, mission::MissionStore& store,
                                         briefing::BriefingModel& briefing, ImportReader& reader);
// A document in a string with kImportPadding bytes of room reserved behind
// its end is read where it lies; any other is first copied into the reader.
inline constexpr size_t kImportPadding = 64;
std::optional<ImportError> importMission(const std::string& json, mission::MissionStore& store,
                                         briefing::BriefingModel& briefing, ImportReader& reader);

// One difference between two missions, in the document's paths.
struct Difference {
    std::string path;    // "shipgroups[3] \"Korvane Guard\" .orders[0][1].target1"
    std::string before;  // value with its name; empty when the item was added
    std::string after;   // empty when the item was removed
};

struct MissionRef {
    const mission::MissionStore& store;
    const briefing::BriefingModel& briefing;
    const mission::CraftList* craftList;
};

// Field by field: shipgroups and messages aligned by their sequence (an
// inserted one shows as one addition; references that moved only because of
// it are not reported), briefing commands compared as lists per kind.
std::vector<Difference> diffMissions(const MissionRef& a, const MissionRef& b);

}  // namespace quendar::text
