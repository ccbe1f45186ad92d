#include <simdjson.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cctype>
#include <charconv>
#include <cstring>

#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"
#include "text/CommandFields.h"
#include "text/FieldTable.h"
#include "text/JsonText.h"
#include "text/MissionText.h"

namespace quendar::text {

using mission::MissionStore;
using mission::Table;

namespace {

struct Refusal {
    std::string path;
    std::string message;
    bool spelled = false;  // the value's own spelling goes behind the message
    int skip = 0;          // 1: the path's second place in the document (a repeated key)
};

// Where a value sits in the document; spelled out only when it is refused.
struct Path {
    const Path* parent = nullptr;
    std::string_view key;
    long index = -1;
    std::string str() const {
        std::string s = parent ? parent->str() : std::string();
        if (index >= 0) {
            s += '[';
            s += std::to_string(index);
            s += ']';
        } else if (!key.empty()) {
            if (!s.empty()) s += '.';
            s += key;
        }
        return s;
    }
};
const Path kRoot{};
Path member(const Path& path, std::string_view key) { return {&path, key, -1}; }
Path entry(const Path& path, size_t i) { return {&path, {}, static_cast<long>(i)}; }

[[noreturn]] void refuse(const Path& path, std::string message) {
    throw Refusal{path.str(), std::move(message)};
}
[[noreturn]] void refuse(std::string_view key, std::string message) {
    refuse(member(kRoot, key), std::move(message));
}

// The document as simdjson's tree. The tree keeps a key given twice; the
// readers below refuse it.
using Value = simdjson::dom::element;
using List = simdjson::dom::array;
using Object = simdjson::dom::object;
using Type = simdjson::dom::element_type;

std::string dump(Value v) { return simdjson::to_string(v); }
bool isText(Value v) { return v.type() == Type::STRING; }
std::string_view textIn(Value v) { return v.get_string().value_unsafe(); }

// A refusal whose message ends in the value as the document spells it
// ("found 4.3e1", not the number it stands for).
[[noreturn]] void refuseSpelled(const Path& path, std::string message) {
    throw Refusal{path.str(), std::move(message), true};
}
// A key given a second time, refused where it stands the second time.
[[noreturn]] void refuseRepeated(const Path& path) {
    throw Refusal{path.str(), "given twice; a field takes one value", false, 1};
}

// The keys of one object that name one of a fixed set of members: each is
// taken once. Unknown keys are refused by the caller before the next key, so
// the list never holds more than the known keys and one more.
class KeysOnce {
  public:
    void take(const Path& path, std::string_view key) {
        if (std::find(m_seen.begin(), m_seen.end(), key) != m_seen.end())
            refuseRepeated(member(path, key));
        m_seen.push_back(key);
    }

  private:
    std::vector<std::string_view> m_seen;
};

template <typename F>
void forEachMember(Object obj, const Path& path, F&& f) {
    KeysOnce once;
    for (const auto& [key, v] : obj) {
        once.take(path, key);
        f(key, v);
    }
}

std::optional<Value> memberOf(Object obj, std::string_view key) {
    std::optional<Value> found;
    for (const auto& [k, v] : obj)
        if (k == key) found = v;
    return found;
}

int number(Value v, const Path& path, int lo, int hi) {
    int64_t n = 0;
    if (v.type() == Type::INT64) {
        n = v.get_int64().value_unsafe();
    } else if (v.type() == Type::UINT64) {
        refuse(path,
               dump(v) + " is out of range " + std::to_string(lo) + ".." + std::to_string(hi));
    } else if (v.type() == Type::DOUBLE) {
        refuseSpelled(path, "expected a whole number, found ");
    } else {
        refuse(path, "expected a whole number, found " + dump(v).substr(0, 40));
    }
    if (n < lo || n > hi)
        refuse(path, std::to_string(n) + " is out of range " + std::to_string(lo) + ".." +
                         std::to_string(hi));
    return static_cast<int>(n);
}

// Writes a text into a field (zero-padded) as 8-bit bytes and returns its
// length; refuses characters beyond U+00FF and texts longer than `maxLength`.
size_t putText(std::span<uint8_t> field, Value v, const Path& path, size_t maxLength) {
    if (!isText(v)) refuse(path, "expected a text, found " + dump(v));
    std::fill(field.begin(), field.end(), uint8_t{0});
    const auto length = latin1(textIn(v), field.first(std::min(field.size(), maxLength)));
    if (!length) refuse(path, "holds a character beyond U+00FF, which a mission cannot store");
    const size_t n = *length;
    if (n > maxLength)
        refuse(path, "a text of " + std::to_string(n) + " characters is longer than " +
                         std::to_string(maxLength));
    return n;
}

List arrayOf(Value v, const Path& path, size_t most) {
    if (v.type() != Type::ARRAY) refuse(path, "expected a list, found " + dump(v).substr(0, 40));
    const List list = v.get_array().value_unsafe();
    if (list.size() > most)
        refuse(path, "has " + std::to_string(list.size()) + " entries; at most " +
                         std::to_string(most) + " fit");
    return list;
}
Object objectOf(Value v, const Path& path) {
    if (v.type() != Type::OBJECT)
        refuse(path, "expected an object, found " + dump(v).substr(0, 40));
    return v.get_object().value_unsafe();
}

struct RecordFill {
    MissionStore& store;
    std::span<uint8_t> rec;
    int record;
};

void readFields(const RecordFill& r, Object obj, std::span<const Node> nodes, int at, FieldAt ctx,
                const Path& path, bool record = false);

void readValue(const RecordFill& r, Value v, const Node& n, int at, const FieldAt& ctx,
               const Path& path) {
    const size_t o = static_cast<size_t>(at);
    switch (n.form) {
        case Form::Byte: r.rec[o] = static_cast<uint8_t>(number(v, path, 0, 255)); break;
        case Form::Word:
        case Form::Signed: {
            const int x =
                n.form == Form::Word ? number(v, path, 0, 65535) : number(v, path, -32768, 32767);
            r.rec[o] = static_cast<uint8_t>(x & 0xFF);
            r.rec[o + 1] = static_cast<uint8_t>((x >> 8) & 0xFF);
            break;
        }
        case Form::Text: {
            const size_t width = static_cast<size_t>(n.width);
            putText(r.rec.subspan(o, width), v, path, width);
            break;
        }
        case Form::Bytes: {
            const auto field = r.rec.subspan(o, static_cast<size_t>(n.width));
            const List list = arrayOf(v, path, field.size());
            std::fill(field.begin(), field.end(), uint8_t{0});
            size_t i = 0;
            for (Value x : list) {
                field[i] = static_cast<uint8_t>(number(x, entry(path, i), 0, 255));
                ++i;
            }
            break;
        }
        case Form::StringSlot:
            putText(r.store.mutableSlot(n.ext, n.extSlot(r.record, ctx.path())), v, path,
                    mission::kShortStringSize);
            break;
        case Form::Derived:
        case Form::Group: break;
    }
}

void readGroup(const RecordFill& r, Value v, const Node& g, int at, const FieldAt& ctx,
               const Path& path) {
    if (g.count == 0 && g.offsets.empty()) {
        FieldAt c = ctx;
        c.indices[static_cast<size_t>(c.depth++)] = g.tag;
        readFields(r, objectOf(v, path), g.element, at + g.offset, c, path);
        return;
    }
    const List list = arrayOf(v, path, static_cast<size_t>(g.elements()));
    const Node& first = g.element[0];
    const bool plain = g.element.size() == 1 && first.name.empty();
    size_t i = 0;
    for (Value x : list) {
        FieldAt c = ctx;
        c.indices[static_cast<size_t>(c.depth++)] = static_cast<int>(i);
        const int base = at + g.elementOffset(static_cast<int>(i));
        const Path p = entry(path, i);
        if (!plain)
            readFields(r, objectOf(x, p), g.element, base, c, p);
        else if (first.isGroup())
            readGroup(r, x, first, base, c, p);
        else
            readValue(r, x, first, base + first.offset, c, p);
        ++i;
    }
}

// The node named `key`. Documents list the fields in the layout's order, so
// the search starts behind the field found last.
const Node* nodeNamed(std::span<const Node> nodes, std::string_view key, size_t& next) {
    for (size_t k = 0; k < nodes.size(); ++k) {
        const size_t i = (next + k) % nodes.size();
        if (!nodes[i].name.empty() && nodes[i].name == key) {
            next = i + 1;
            return &nodes[i];
        }
    }
    return nullptr;
}

// The code field whose list entry a key names ("craftTypeName" names the
// entry of "craftType").
const Node* codeNamed(std::span<const Node> nodes, std::string_view key) {
    if (key.size() <= 4 || !key.ends_with("Name")) return nullptr;
    const auto base = key.substr(0, key.size() - 4);
    for (const Node& n : nodes)
        if (n.name == base && n.codes != Codes::None) return &n;
    return nullptr;
}

// Each key is looked up once and names a field, the list entry beside a code
// field or, in a record, "rest" (read before the fields). An unknown key ends
// the reading at once; a key given twice is refused.
void readFields(const RecordFill& r, Object obj, std::span<const Node> nodes, int at, FieldAt ctx,
                const Path& path, bool record) {
    std::bitset<2 * kMostNodes + 1> seen;  // fields, then their names, then "rest"
    size_t next = 0;
    for (const auto& [key, v] : obj) {
        const Path p = member(path, key);
        const Node* node = nodeNamed(nodes, key, next);
        size_t bit = 2 * kMostNodes;
        if (node) {
            bit = static_cast<size_t>(node - nodes.data());
        } else if (const Node* named = codeNamed(nodes, key)) {
            bit = kMostNodes + static_cast<size_t>(named - nodes.data());
        } else if (!(record && key == "rest")) {
            refuse(p, "unknown field");
        }
        if (seen.test(bit)) refuseRepeated(p);
        seen.set(bit);
        if (!node) {
            if (bit < 2 * kMostNodes && !isText(v))
                refuse(p, "expected a text, found " + dump(v).substr(0, 40));
        } else if (node->isGroup()) {
            readGroup(r, v, *node, at, ctx, p);
        } else {
            readValue(r, v, *node, at + node->offset, ctx, p);
        }
    }
}

// A "rest": runs of hex bytes by offset. A byte is given once, and only a
// byte that no field names: `holder` says what else holds it (empty when
// nothing does).
template <typename Holder>
void readRest(std::span<uint8_t> rec, Value obj, const Path& path, Holder holder) {
    std::vector<bool> given(rec.size());
    for (const auto& [key, v] : objectOf(obj, path)) {
        const Path p = member(path, key);
        int offset = -1;
        if (!key.empty() && key.size() < 7 && std::all_of(key.begin(), key.end(), ::isdigit))
            std::from_chars(key.data(), key.data() + key.size(), offset);
        if (offset < 0 || offset >= static_cast<int>(rec.size()))
            refuse(p, "offset out of range 0.." + std::to_string(rec.size() - 1));
        if (!isText(v)) refuse(p, "expected hex bytes, found " + dump(v).substr(0, 40));
        const auto bytes = unhex(textIn(v));
        if (!bytes) refuse(p, "expected hex bytes (two digits per byte)");
        if (static_cast<size_t>(offset) + bytes->size() > rec.size())
            refuse(p, "bytes run past the end of the record (" + std::to_string(rec.size()) +
                          " bytes)");
        for (size_t k = 0; k < bytes->size(); ++k) {
            const size_t o = static_cast<size_t>(offset) + k;
            if (given[o]) refuse(p, "byte " + std::to_string(o) + " is given twice");
            given[o] = true;
            if (const std::string h = holder(static_cast<int>(o)); !h.empty())
                refuse(p, "byte " + std::to_string(o) + " belongs to " + h + ", not to the rest");
        }
        std::copy(bytes->begin(), bytes->end(), rec.begin() + offset);
    }
}

// What holds a byte of a record besides the rest: a field, or the writer.
std::string holderIn(const RecordLayout& l, int offset) {
    if (!l.owned[static_cast<size_t>(offset)]) return {};
    if (const FlatField* f = fieldAtOffset(l, offset)) return "the field " + f->path;
    return "the writer, which sets it on saving";
}

void readRecord(MissionStore& store, const RecordLayout& l, int slot, Value v, const Path& path) {
    const RecordFill r{store, store.mutableSlot(l.table, slot), slot};
    const Object obj = objectOf(v, path);
    if (const auto rest = memberOf(obj, "rest"))
        readRest(r.rec, *rest, member(path, "rest"), [&](int o) { return holderIn(l, o); });
    readFields(r, obj, l.nodes, 0, FieldAt{}, path, true);
}

void readRecords(MissionStore& store, const RecordLayout& l, List list) {
    const Path path = member(kRoot, l.name);
    int i = 0;
    for (Value x : list) {
        readRecord(store, l, i, x, entry(path, static_cast<size_t>(i)));
        ++i;
    }
}
void readRecords(MissionStore& store, const RecordLayout& l, Value v, int most) {
    readRecords(store, l, arrayOf(v, member(kRoot, l.name), static_cast<size_t>(most)));
}

void readTexts(MissionStore& store, Table t, Value v, const Path& path, size_t width) {
    const bool briefingStrings = t == Table::Briefing1Tags || t == Table::Briefing1Texts ||
                                 t == Table::Briefing2Tags || t == Table::Briefing2Texts;
    size_t i = 0;
    for (Value x : arrayOf(v, path, static_cast<size_t>(mission::shapeOf(t).slots))) {
        const auto slot = store.mutableSlot(t, static_cast<int>(i));
        const size_t n = putText(slot, x, entry(path, i), width);
        if (briefingStrings &&
            std::find(slot.begin(), slot.begin() + static_cast<std::ptrdiff_t>(n), 0) !=
                slot.begin() + static_cast<std::ptrdiff_t>(n))
            refuse(entry(path, i), "a briefing string cannot hold a zero character");
        ++i;
    }
}

// A counted string holds a length byte's worth of characters.
constexpr size_t kCountedLength = mission::kCountedStringSlot - 1;

// A command's parameter name with "Name" behind it: the list entry of its code.
bool namesParam(std::string_view key, const ParamName& param) {
    return param.codes != Codes::None && key.size() == param.name.size() + 4 &&
           key.starts_with(param.name) && key.ends_with("Name");
}

void readBriefing(MissionStore& store, briefing::BriefingModel& model, Value v) {
    using namespace briefing;
    const Path path = member(kRoot, "briefing");
    const Object obj = objectOf(v, path);
    auto block = store.mutableSlot(Table::Briefing1, 0);
    int length = kDefaultBriefingTime, endTime = kDefaultBriefingTime;
    std::optional<List> commands;
    forEachMember(obj, path, [&](std::string_view key, Value x) {
        const Path p = member(path, key);
        if (key == "briefingLength")
            length = number(x, p, 0, 65535);
        else if (key == "endTime")
            endTime = number(x, p, 0, 65535);
        else if (key == "teams") {
            size_t i = 0;
            for (Value flag : arrayOf(x, p, kTeamFlagCount)) {
                block[kTeamFlagsOffset + i] =
                    static_cast<uint8_t>(number(flag, entry(p, i), 0, 255));
                ++i;
            }
        } else if (key == "tags")
            readTexts(store, Table::Briefing1Tags, x, p, kCountedLength);
        else if (key == "texts")
            readTexts(store, Table::Briefing1Texts, x, p, kCountedLength);
        else if (key == "textNotes")
            readTexts(store, Table::BriefingTextNotes, x, p, mission::kNoteSize);
        else if (key == "commands")
            commands = arrayOf(x, p, 1u << 20);
        else if (key != "rest")
            refuse(p, "unknown field");
    });

    // The commands go into the event area as a file holds them and are read
    // back by the briefing's own reader, so each kind's list keeps the order
    // of the document; the block itself stays as the document says.
    std::vector<uint8_t> stream;
    const auto word = [&](int w) {
        stream.push_back(static_cast<uint8_t>(w & 0xFF));
        stream.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
    };
    std::array<int, kKindCount> counts{};
    const Path commandsPath = member(path, "commands");
    size_t i = 0;
    if (commands)
        for (Value command : *commands) {
            const Path p = entry(commandsPath, i++);
            const Object c = objectOf(command, p);
            const auto kindName = memberOf(c, "kind");
            if (!kindName) refuse(p, "a command needs its \"kind\"");
            const auto kind = isText(*kindName) ? kindNamed(textIn(*kindName)) : std::nullopt;
            if (!kind)
                refuse(member(p, "kind"), "unknown briefing command kind " + dump(*kindName));
            const KindInfo& info = kindInfo(*kind);
            if (++counts[*kind] > info.capacity)
                refuse(p, "too many " + std::string(info.name) + " commands; the list holds " +
                              std::to_string(info.capacity));
            const auto params = commandParams(*kind);
            std::array<int, kMaxParams> values{};
            int time = 0, codeHigh = 0;
            forEachMember(c, p, [&](std::string_view key, Value x) {
                const Path q = member(p, key);
                if (key == "kind") return;
                if (key == "time") {
                    time = number(x, q, 0, 65535);
                    return;
                }
                if (key == "codeHigh") {
                    codeHigh = number(x, q, 0, 255);
                    return;
                }
                bool known = false;
                for (size_t k = 0; k < params.size(); ++k) {
                    if (params[k].name == key) {
                        const ParamForm form = info.params[k];
                        values[k] = form == ParamForm::Signed     ? number(x, q, -32768, 32767)
                                    : form == ParamForm::Unsigned ? number(x, q, 0, 65535)
                                                                  : number(x, q, 0, 255);
                        known = true;
                    } else if (namesParam(key, params[k])) {
                        known = isText(x);
                    }
                }
                if (!known) refuse(q, "unknown field");
            });
            word(time);
            word(info.code | (codeHigh << 8));
            for (int k = 0; k < info.paramCount; ++k) word(values[static_cast<size_t>(k)]);
            if (static_cast<int>(stream.size()) + kEndCommandSize > kEventAreaSize)
                refuse(p, "too many commands: the briefing's event area holds " +
                              std::to_string(kEventAreaSize) + " bytes");
        }
    word(endTime);
    word(kEndCode);

    // The rest holds the bytes the save leaves as they are: not the length,
    // the commands or the team flags.
    const int commandsEnd = kEventAreaStart + static_cast<int>(stream.size());
    if (const auto rest = memberOf(obj, "rest"))
        readRest(block, *rest, member(path, "rest"), [&](int o) -> std::string {
            if (o < kKeptBytesStart) return "the field briefingLength";
            if (o >= kEventAreaStart && o < commandsEnd) return "the commands and their end";
            if (o >= kTeamFlagsOffset && o < kTeamFlagsOffset + kTeamFlagCount)
                return "the field teams";
            return {};
        });
    for (const int at : {kLengthOffset, kLengthCopyOffset}) {
        block[static_cast<size_t>(at)] = static_cast<uint8_t>(length & 0xFF);
        block[static_cast<size_t>(at) + 1] = static_cast<uint8_t>(length >> 8);
    }
    const std::vector<uint8_t> kept(block.begin(), block.end());
    std::copy(stream.begin(), stream.end(), block.begin() + kEventAreaStart);
    model.parseBriefing();
    std::copy(kept.begin(), kept.end(), block.begin());
}

void readBlock(MissionStore& store, Table t, Value v, const Path& path) {
    readRest(store.mutableSlot(t, 0), v, path, [](int) { return std::string(); });
}

void readDocument(Value root, MissionStore& store, briefing::BriefingModel& model) {
    const auto whole = [](Table t) { return static_cast<size_t>(mission::shapeOf(t).slotSize); };
    const Object doc = objectOf(root, kRoot);
    const auto format = memberOf(doc, "format");
    if (!format || !isText(*format) || textIn(*format) != "quendar-mission")
        refuse("format", "not a mission document (\"format\": \"quendar-mission\" expected)");
    const auto version = memberOf(doc, "version");
    const bool one =
        version &&
        ((version->type() == Type::INT64 && version->get_int64().value_unsafe() == 1) ||
         (version->type() == Type::DOUBLE && version->get_double().value_unsafe() == 1.0));
    if (!one) refuse("version", "only version 1 documents can be read");
    std::optional<List> groups, messages;
    std::optional<Value> briefingDoc;
    forEachMember(doc, kRoot, [&](std::string_view key, Value v) {
        const Path at = member(kRoot, key);
        if (key == "format" || key == "version") return;
        if (key == "header")
            readRecord(store, headerLayout(), 0, v, at);
        else if (key == "regionNames")
            readTexts(store, Table::RegionNames, v, at, whole(Table::RegionNames));
        else if (key == "specialCargoes")
            readRecords(store, specialCargoLayout(), v,
                        mission::shapeOf(Table::SpecialCargo).slots);
        else if (key == "globalGroupNames")
            readTexts(store, Table::GlobalGroupNames, v, at, whole(Table::GlobalGroupNames));
        else if (key == "block3480")
            readBlock(store, Table::Block3480, v, at);
        else if (key == "missionOptions")
            readRecord(store, missionOptionsLayout(), 0, v, at);
        else if (key == "shipgroupCount" || key == "messageCount")
            number(v, at, 0, 255);
        else if (key == "shipgroups")
            groups = arrayOf(v, at, mission::kMaxShipgroups);
        else if (key == "messages")
            messages = arrayOf(v, at, mission::kMaxMessages);
        else if (key == "globalGoals")
            readRecords(store, globalGoalLayout(), v, mission::kTeams);
        else if (key == "teams")
            readRecords(store, teamLayout(), v, mission::kTeams);
        else if (key == "briefing")
            briefingDoc = v;  // after the shipgroups, below
        else if (key == "briefing2") {
            forEachMember(objectOf(v, at), at, [&](std::string_view k2, Value x) {
                const Path p = member(at, k2);
                if (k2 == "block")
                    readBlock(store, Table::Briefing2, x, p);
                else if (k2 == "tags")
                    readTexts(store, Table::Briefing2Tags, x, p, kCountedLength);
                else if (k2 == "texts")
                    readTexts(store, Table::Briefing2Texts, x, p, kCountedLength);
                else
                    refuse(p, "unknown field");
            });
        } else if (key == "block6268")
            readBlock(store, Table::Block6268, v, at);
        else if (key == "messageNotes")
            readTexts(store, Table::MessageNotes, v, at, mission::kNoteSize);
        else if (key == "notesC")
            readTexts(store, Table::NotesC, v, at, mission::kNoteSize);
        else if (key == "notesD")
            readTexts(store, Table::NotesD, v, at, mission::kNoteSize);
        else if (key == "notesE")
            readTexts(store, Table::NotesE, v, at, mission::kNoteSize);
        else if (key == "block417")
            readBlock(store, Table::Block417, v, at);
        else if (key == "debriefing")
            putText(store.mutableSlot(Table::Debriefing, 0), v, at, mission::kLongTextSize);
        else if (key == "hints")
            putText(store.mutableSlot(Table::Hints, 0), v, at, mission::kLongTextSize);
        else if (key == "introduction")
            putText(store.mutableSlot(Table::Introduction, 0), v, at, mission::kLongTextSize);
        else
            refuse(key, "unknown field");
    });
    const auto counted = [&](const std::optional<List>& list, std::string_view countKey,
                             int& count) {
        if (!list) return;
        const auto given = memberOf(doc, countKey);
        if (given && given->get_int64().value_unsafe() != static_cast<int64_t>(list->size()))
            refuse(countKey, dump(*given) + " does not match the " + std::to_string(list->size()) +
                                 " records listed");
        count = static_cast<int>(list->size());
    };
    counted(groups, "shipgroupCount", store.shipgroupCount);
    counted(messages, "messageCount", store.messageCount);
    if (groups) readRecords(store, shipgroupLayout(), *groups);
    if (messages) readRecords(store, messageLayout(), *messages);
    if (briefingDoc) readBriefing(store, model, *briefingDoc);
}

}  // namespace

std::string ImportError::text() const {
    std::string s = path.empty() ? std::string("document") : path;
    if (line > 0) s += " (line " + std::to_string(line) + ")";
    return s + ": " + message;
}

struct ImportReader::Parser {
    simdjson::dom::parser dom;
};
ImportReader::ImportReader() : parser(std::make_unique<Parser>()) {}
ImportReader::~ImportReader() = default;

namespace {

// `room`: the readable bytes behind the text's end.
std::optional<ImportError> importText(std::string_view text, size_t room, MissionStore& store,
                                      briefing::BriefingModel& model, ImportReader& reader) {
    static_assert(kImportPadding >= simdjson::SIMDJSON_PADDING);
    // A mission is several megabytes of text: simdjson reads it an order of
    // magnitude faster than a general-purpose tree would.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        JsonFault f = findJsonFault(text);  // an empty document: not handed to the reader at all
        return ImportError{std::move(f.path), f.line, std::move(f.message)};
    }
    Value doc;
    const bool inPlace = room >= simdjson::SIMDJSON_PADDING;
    if (const auto error = reader.parser->dom.parse(text.data(), text.size(), !inPlace).get(doc)) {
        // The tree reader says what is wrong but not where: the fault finder
        // reads the same text again, on demand, up to the fault.
        (void)error;
        JsonFault f = findJsonFault(text);
        return ImportError{std::move(f.path), f.line, std::move(f.message)};
    }
    try {
        readDocument(doc, store, model);
    } catch (const Refusal& r) {
        const PathPlace place = placeOfPath(text, r.path, r.skip);
        return ImportError{r.path, place.line,
                           r.spelled ? r.message + std::string(place.spelled) : r.message};
    }
    return std::nullopt;
}

}  // namespace

std::optional<ImportError> importMission(std::string_view text, MissionStore& store,
                                         briefing::BriefingModel& model) {
    ImportReader reader;
    return importMission(text, store, model, reader);
}

std::optional<ImportError> importMission(std::string_view text, MissionStore& store,
                                         briefing::BriefingModel& model, ImportReader& reader) {
    return importText(text, 0, store, model, reader);
}

std::optional<ImportError> importMission(const std::string& text, MissionStore& store,
                                         briefing::BriefingModel& model, ImportReader& reader) {
    return importText(text, text.capacity() - text.size(), store, model, reader);
}

}  // namespace quendar::text
