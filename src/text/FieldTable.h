#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mission/MissionStore.h"

namespace quendar::mission {
class CraftList;
}

namespace quendar::text {

// How a field's bytes read as a value.
enum class Form : uint8_t {
    Byte,        // one byte, 0..255
    Word,        // 16-bit little-endian, 0..65535
    Signed,      // 16-bit little-endian, two's complement
    Text,        // `width` bytes of 8-bit text; trailing zeros are padding
    Bytes,       // `width` single bytes as a list; trailing zeros are padding
    StringSlot,  // a 64-byte text kept in a table of its own (see Node::ext)
    Derived,     // rewritten by the writer (the header counts): owned, never shown
    Group,       // a record inside the record, or a list of them
};

// The code list that names a field's values for readers. Import reads only
// the number; the name beside it is there for people.
enum class Codes : uint8_t {
    None,
    CraftType,
    Condition,
    GoalCondition,
    SubjectType,
    Subject,  // named by the subject type at Node::typeOffset
    TargetType,
    Target,  // named by the target type at Node::typeOffset
    Amount,
    Param1,       // "None", the region names, numbers
    OrderParam1,  // by the order code at Node::typeOffset
    OrderParam2,
    Order,
    Throttle,
    Status,
    Warhead,
    Beam,
    Countermeasure,
    Marking,
    AiSkill,
    CraftCount,
    Pilot,
    GoalArgument,
    AdditionalInfo,
    Method,
    Shipgroup,
    Iff,
    Team,
    Radio,
    ShipMode,
};

// One entry of a record's description: a field, or a group of fields.
//
// A group is one nested object (count 0) or a list of `count` elements, each
// laid out by `element`, at `offset` + i × `stride` (or at `offsets[i]` when
// the spacing is irregular). A group whose element is a single field without
// a name is a list of plain values. `trim` leaves trailing elements that equal
// the empty record out of the text (a reader takes them as empty).
struct Node {
    std::string_view name;
    int offset = 0;
    int width = 1;
    Form form = Form::Byte;
    Codes codes = Codes::None;
    // Subject, Target and order parameters: where the byte that decides their
    // meaning sits, relative to the same element.
    int typeOffset = 0;
    // Group
    std::span<const Node> element{};
    int count = 0;
    int stride = 0;
    std::span<const int> offsets{};
    bool trim = false;
    // StringSlot: the table and the slot of the text, from the record's index
    // and the indices of the groups around the field (outermost first).
    mission::Table ext = mission::Table::Count;
    int (*extSlot)(int record, std::span<const int> indices) = nullptr;
    // A nested object (count 0) pushes this number as its index.
    int tag = 0;

    bool isGroup() const { return form == Form::Group; }
    int elements() const { return offsets.empty() ? count : static_cast<int>(offsets.size()); }
    int elementOffset(int i) const {
        return offset + (offsets.empty() ? i * stride : offsets[static_cast<size_t>(i)]);
    }
};

// The most entries one list of nodes (a record's or a group element's) holds.
inline constexpr size_t kMostNodes = 96;

// The description of one record table: its fields and, for the bytes no field
// names, the record the text compares them with.
struct RecordLayout {
    std::string_view name;  // the key of the record (or list of records) in the document
    mission::Table table;
    std::span<const Node> nodes;
    // Bytes covered by some field: a byte outside every field travels in the
    // record's "rest" when it differs from the empty record.
    std::vector<bool> owned;
};

const RecordLayout& headerLayout();
const RecordLayout& specialCargoLayout();
const RecordLayout& missionOptionsLayout();
const RecordLayout& shipgroupLayout();
const RecordLayout& messageLayout();
const RecordLayout& globalGoalLayout();
const RecordLayout& teamLayout();

// A field reached by walking a record: its node, its byte offset inside the
// record, the offset of the element around it (for typeOffset) and the
// indices of the groups around it.
struct FieldAt {
    const Node* node;
    int offset;
    int elementBase;
    std::array<int, 4> indices{};
    int depth = 0;
    std::span<const int> path() const { return {indices.data(), static_cast<size_t>(depth)}; }
};

// Every field of a record in document order with its path ("orders[0][1].throttle").
struct FlatField {
    std::string path;
    FieldAt at;
};
const std::vector<FlatField>& flatFields(const RecordLayout& layout);
// The field (not a text kept in a table of its own) that holds the byte at
// `offset` of a record; null for a byte no field names.
const FlatField* fieldAtOffset(const RecordLayout& layout, int offset);

// The value of a number field in a record.
int numberAt(std::span<const uint8_t> rec, const Node& node, int offset);
// Where a field that is not inside the record keeps its text.
std::span<const uint8_t> stringSlotOf(const mission::MissionStore& store, const FieldAt& f,
                                      int record);

// Names of codes in the context of one mission (its shipgroups, IFF, team and
// region names and the craft list).
class CodeNames {
  public:
    CodeNames(const mission::MissionStore& store, const mission::CraftList* craftList);
    // The list entry of `value`, or empty when the list has none or when the
    // entry just repeats the number.
    std::string_view name(Codes codes, int value, int typeValue) const;
    // Whether the value names a shipgroup by its number.
    static bool namesShipgroup(Codes codes, int typeValue);

  private:
    const mission::MissionStore& m_store;
    const mission::CraftList* m_craft;
    std::array<std::string, 4> m_regions;
    std::vector<std::string> m_param1, m_additionalInfo, m_iff, m_iffSubjects, m_radio, m_teams,
        m_groups;
};

}  // namespace quendar::text
