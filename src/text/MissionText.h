#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendar::mission {
class MissionStore;
class CraftList;
}  // namespace quendar::mission
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

// A value in a difference, in the field's own form.
struct FieldValue {
    enum class Kind : uint8_t { None, Number, Text, Numbers, Hex, Command };
    Kind kind = Kind::None;
    int number = 0;
    std::vector<uint8_t> bytes;  // Text: 8-bit text; Numbers: one per entry; Hex: raw bytes
    std::string name;            // the list entry of a code (8-bit text), when it has one
    struct Member {
        std::string_view key;  // "time", a parameter's name or "codeHigh"
        int value;
        std::string name;
    };
    std::vector<Member> members;  // Command
};

// One difference between two missions, in the document's paths.
struct Difference {
    enum class Change : uint8_t { Changed, Added, Removed };
    std::string path;    // "shipgroups[3].orders[0][1].target1"
    std::string record;  // on a shipgroup's path, its name (8-bit text); else empty
    Change change = Change::Changed;
    FieldValue before, after;  // Kind::None on the side that lacks an added or removed record
};

// One line per difference: the path (a shipgroup's name in quotes behind its
// index), then the values ("... .name: \"Hauler Sixx\" \u2192 \"Hauler Nine\"",
// "...: added"). Texts are quoted; a control byte, 0x7F and 0x80..0x9F are
// written as \x and two hex digits.
std::string differenceLine(const Difference& d);
// The differences as a JSON list of {"path", "shipgroup" (when named),
// "before", "after" with their "beforeName" and "afterName"}, an added or
// removed record as {"path", "added": true} or {"path", "removed": true}.
std::string differencesAsJson(const std::vector<Difference>& list);

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
