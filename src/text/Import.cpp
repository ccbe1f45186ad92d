#include <algorithm>
#include <cctype>
#include <cstring>
#include <nlohmann/json.hpp>

#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"
#include "text/CommandFields.h"
#include "text/FieldTable.h"
#include "text/JsonText.h"
#include "text/MissionText.h"

namespace quendar::text {

using json = nlohmann::ordered_json;
using mission::MissionStore;
using mission::Table;

namespace {

struct Refusal {
    std::string path;
    std::string message;
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
[[noreturn]] void refuse(std::string_view key, std::string message) { refuse(member(kRoot, key), std::move(message)); }

int number(const json& v, const Path& path, int lo, int hi) {
    if (!v.is_number_integer()) refuse(path, "expected a whole number, found " + v.dump());
    const auto n = v.get<int64_t>();
    if (n < lo || n > hi)
        refuse(path, std::to_string(n) + " is out of range " + std::to_string(lo) + ".." + std::to_string(hi));
    return static_cast<int>(n);
}

std::vector<uint8_t> textOf(const json& v, const Path& path, size_t maxLength) {
    if (!v.is_string()) refuse(path, "expected a text, found " + v.dump());
    auto bytes = latin1(v.get_ref<const std::string&>());
    if (!bytes) refuse(path, "holds a character beyond U+00FF, which a mission cannot store");
    if (bytes->size() > maxLength)
        refuse(path, "a text of " + std::to_string(bytes->size()) + " characters is longer than " +
                         std::to_string(maxLength));
    return *bytes;
}

void putText(std::span<uint8_t> field, const std::vector<uint8_t>& bytes) {
    std::fill(field.begin(), field.end(), uint8_t{0});
    std::copy(bytes.begin(), bytes.end(), field.begin());
}

const json& arrayOf(const json& v, const Path& path, size_t most) {
    if (!v.is_array()) refuse(path, "expected a list, found " + v.dump().substr(0, 40));
    if (v.size() > most)
        refuse(path, "has " + std::to_string(v.size()) + " entries; at most " + std::to_string(most) + " fit");
    return v;
}
const json& objectOf(const json& v, const Path& path) {
    if (!v.is_object()) refuse(path, "expected an object, found " + v.dump().substr(0, 40));
    return v;
}

// A key that only names the code beside it ("craftTypeName") is read and ignored.
bool isNameOf(std::string_view key, std::span<const Node> nodes) {
    if (key.size() <= 4 || key.substr(key.size() - 4) != "Name") return false;
    const auto base = key.substr(0, key.size() - 4);
    for (const Node& n : nodes)
        if (n.name == base && n.codes != Codes::None) return true;
    return false;
}

struct RecordFill {
    MissionStore& store;
    std::span<uint8_t> rec;
    int record;
};

void readFields(const RecordFill& r, const json& obj, std::span<const Node> nodes, int at,
                FieldAt ctx, const Path& path, bool record = false);

void readValue(const RecordFill& r, const json& v, const Node& n, int at, const FieldAt& ctx,
               const Path& path) {
    const size_t o = static_cast<size_t>(at);
    switch (n.form) {
        case Form::Byte: r.rec[o] = static_cast<uint8_t>(number(v, path, 0, 255)); break;
        case Form::Word:
        case Form::Signed: {
            const int x = n.form == Form::Word ? number(v, path, 0, 65535) : number(v, path, -32768, 32767);
            r.rec[o] = static_cast<uint8_t>(x & 0xFF);
            r.rec[o + 1] = static_cast<uint8_t>((x >> 8) & 0xFF);
            break;
        }
        case Form::Text:
            putText(r.rec.subspan(o, static_cast<size_t>(n.width)), textOf(v, path, static_cast<size_t>(n.width)));
            break;
        case Form::Bytes: {
            const json& list = arrayOf(v, path, static_cast<size_t>(n.width));
            std::vector<uint8_t> bytes;
            for (size_t i = 0; i < list.size(); ++i)
                bytes.push_back(static_cast<uint8_t>(number(list[i], entry(path, i), 0, 255)));
            putText(r.rec.subspan(o, static_cast<size_t>(n.width)), bytes);
            break;
        }
        case Form::StringSlot: {
            const auto bytes = textOf(v, path, mission::kShortStringSize);
            putText(r.store.mutableSlot(n.ext, n.extSlot(r.record, ctx.path())), bytes);
            break;
        }
        case Form::Derived:
        case Form::Group: break;
    }
}

void readGroup(const RecordFill& r, const json& v, const Node& g, int at, const FieldAt& ctx,
               const Path& path) {
    if (g.count == 0 && g.offsets.empty()) {
        FieldAt c = ctx;
        c.indices[static_cast<size_t>(c.depth++)] = g.tag;
        readFields(r, objectOf(v, path), g.element, at + g.offset, c, path);
        return;
    }
    const json& list = arrayOf(v, path, static_cast<size_t>(g.elements()));
    for (size_t i = 0; i < list.size(); ++i) {
        FieldAt c = ctx;
        c.indices[static_cast<size_t>(c.depth++)] = static_cast<int>(i);
        const int base = at + g.elementOffset(static_cast<int>(i));
        const Path p = entry(path, i);
        const Node& first = g.element[0];
        if (g.element.size() == 1 && first.name.empty())
            first.isGroup() ? readGroup(r, list[i], first, base, c, p)
                            : readValue(r, list[i], first, base + first.offset, c, p);
        else
            readFields(r, objectOf(list[i], p), g.element, base, c, p);
    }
}

void readFields(const RecordFill& r, const json& obj, std::span<const Node> nodes, int at,
                FieldAt ctx, const Path& path, bool record) {
    for (const auto& [key, v] : obj.items()) {
        const Path p = member(path, key);
        const Node* node = nullptr;
        for (const Node& n : nodes)
            if (!n.name.empty() && n.name == key) node = &n;
        if (!node) {
            if (isNameOf(key, nodes)) {
                if (!v.is_string()) refuse(p, "expected a text, found " + v.dump());
                continue;
            }
            if (key == "rest" && record) continue;  // read before the fields
            refuse(p, "unknown field");
        }
        if (node->isGroup())
            readGroup(r, v, *node, at, ctx, p);
        else
            readValue(r, v, *node, at + node->offset, ctx, p);
    }
}

void readRest(std::span<uint8_t> rec, const json& obj, const Path& path) {
    for (const auto& [key, v] : objectOf(obj, path).items()) {
        const Path p = member(path, key);
        int offset = -1;
        if (!key.empty() && key.size() < 7 && std::all_of(key.begin(), key.end(), ::isdigit))
            offset = std::stoi(key);
        if (offset < 0 || offset >= static_cast<int>(rec.size()))
            refuse(p, "offset out of range 0.." + std::to_string(rec.size() - 1));
        if (!v.is_string()) refuse(p, "expected hex bytes, found " + v.dump());
        const auto bytes = unhex(v.get_ref<const std::string&>());
        if (!bytes) refuse(p, "expected hex bytes (two digits per byte)");
        if (static_cast<size_t>(offset) + bytes->size() > rec.size())
            refuse(p, "bytes run past the end of the record (" + std::to_string(rec.size()) + " bytes)");
        std::copy(bytes->begin(), bytes->end(), rec.begin() + offset);
    }
}

void readRecord(MissionStore& store, const RecordLayout& l, int slot, const json& v,
                const Path& path) {
    const RecordFill r{store, store.mutableSlot(l.table, slot), slot};
    objectOf(v, path);
    if (v.contains("rest")) readRest(r.rec, v["rest"], member(path, "rest"));
    readFields(r, v, l.nodes, 0, FieldAt{}, path, true);
}

void readRecords(MissionStore& store, const RecordLayout& l, const json& v, int most) {
    const Path path = member(kRoot, l.name);
    const json& list = arrayOf(v, path, static_cast<size_t>(most));
    for (size_t i = 0; i < list.size(); ++i) readRecord(store, l, static_cast<int>(i), list[i], entry(path, i));
}

void readTexts(MissionStore& store, Table t, const json& v, const Path& path, size_t width) {
    const json& list = arrayOf(v, path, static_cast<size_t>(mission::shapeOf(t).slots));
    for (size_t i = 0; i < list.size(); ++i) {
        const auto bytes = textOf(list[i], entry(path, i), width);
        if (t == Table::Briefing1Tags || t == Table::Briefing1Texts || t == Table::Briefing2Tags ||
            t == Table::Briefing2Texts) {
            if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end())
                refuse(entry(path, i), "a briefing string cannot hold a zero character");
        }
        putText(store.mutableSlot(t, static_cast<int>(i)), bytes);
    }
}

void readBriefing(MissionStore& store, briefing::BriefingModel& model, const json& v) {
    using namespace briefing;
    const Path path = member(kRoot, "briefing");
    objectOf(v, path);
    auto block = store.mutableSlot(Table::Briefing1, 0);
    if (v.contains("rest")) readRest(block, v["rest"], member(path, "rest"));
    int length = kDefaultBriefingTime, endTime = kDefaultBriefingTime;
    const json none = json::array();
    const json* commands = &none;
    for (const auto& [key, x] : v.items()) {
        const Path p = member(path, key);
        if (key == "briefingLength") length = number(x, p, 0, 65535);
        else if (key == "endTime") endTime = number(x, p, 0, 65535);
        else if (key == "teams") {
            const json& list = arrayOf(x, p, kTeamFlagCount);
            for (size_t i = 0; i < list.size(); ++i)
                block[kTeamFlagsOffset + i] = static_cast<uint8_t>(number(list[i], entry(p, i), 0, 255));
        } else if (key == "tags") readTexts(store, Table::Briefing1Tags, x, p, 255);
        else if (key == "texts") readTexts(store, Table::Briefing1Texts, x, p, 255);
        else if (key == "textNotes") readTexts(store, Table::BriefingTextNotes, x, p, mission::kNoteSize);
        else if (key == "commands") commands = &arrayOf(x, p, 1u << 20);
        else if (key != "rest") refuse(p, "unknown field");
    }

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
    for (size_t i = 0; i < commands->size(); ++i) {
        const Path p = entry(commandsPath, i);
        const json& c = objectOf((*commands)[i], p);
        if (!c.contains("kind")) refuse(p, "a command needs its \"kind\"");
        const json& kindName = c["kind"];
        const auto kind = kindName.is_string() ? kindNamed(kindName.get_ref<const std::string&>()) : std::nullopt;
        if (!kind) refuse(member(p, "kind"), "unknown briefing command kind " + kindName.dump());
        const KindInfo& info = kindInfo(*kind);
        if (++counts[*kind] > info.capacity)
            refuse(p, "too many " + std::string(info.name) + " commands; the list holds " +
                          std::to_string(info.capacity));
        const auto params = commandParams(*kind);
        std::array<int, kMaxParams> values{};
        int time = 0, codeHigh = 0;
        for (const auto& [key, x] : c.items()) {
            const Path q = member(p, key);
            if (key == "kind") continue;
            if (key == "time") { time = number(x, q, 0, 65535); continue; }
            if (key == "codeHigh") { codeHigh = number(x, q, 0, 255); continue; }
            bool known = false;
            for (size_t k = 0; k < params.size(); ++k) {
                if (params[k].name == key) {
                    const ParamForm form = info.params[k];
                    values[k] = form == ParamForm::Signed     ? number(x, q, -32768, 32767)
                                : form == ParamForm::Unsigned ? number(x, q, 0, 65535)
                                                              : number(x, q, 0, 255);
                    known = true;
                } else if (params[k].codes != Codes::None && std::string(params[k].name) + "Name" == key) {
                    known = x.is_string();
                }
            }
            if (!known) refuse(q, "unknown field");
        }
        word(time);
        word(info.code | (codeHigh << 8));
        for (int k = 0; k < info.paramCount; ++k) word(values[static_cast<size_t>(k)]);
        if (static_cast<int>(stream.size()) + kEndCommandSize > kEventAreaSize)
            refuse(p, "too many commands: the briefing's event area holds " + std::to_string(kEventAreaSize) +
                          " bytes");
    }
    word(endTime);
    word(kEndCode);

    block[0] = block[2] = static_cast<uint8_t>(length & 0xFF);
    block[1] = block[3] = static_cast<uint8_t>(length >> 8);
    const std::vector<uint8_t> kept(block.begin(), block.end());
    std::copy(stream.begin(), stream.end(), block.begin() + kEventAreaStart);
    model.parseBriefing();
    std::copy(kept.begin(), kept.end(), block.begin());
}

void readBlock(MissionStore& store, Table t, const json& v, const Path& path) {
    readRest(store.mutableSlot(t, 0), v, path);
}

void readDocument(const json& doc, MissionStore& store, briefing::BriefingModel& model) {
    objectOf(doc, kRoot);
    if (!doc.contains("format") || doc["format"] != "quendar-mission")
        refuse("format", "not a mission document (\"format\": \"quendar-mission\" expected)");
    if (!doc.contains("version") || doc["version"] != 1)
        refuse("version", "only version 1 documents can be read");
    const json* groups = nullptr;
    const json* messages = nullptr;
    for (const auto& [name, v] : doc.items()) {
        const std::string& key = name;
        const Path at = member(kRoot, key);
        if (key == "format" || key == "version") continue;
        if (key == "header") readRecord(store, headerLayout(), 0, v, at);
        else if (key == "regionNames") readTexts(store, Table::RegionNames, v, at, 132);
        else if (key == "specialCargoes") readRecords(store, specialCargoLayout(), v, 16);
        else if (key == "globalGroupNames") readTexts(store, Table::GlobalGroupNames, v, at, 87);
        else if (key == "block3480") readBlock(store, Table::Block3480, v, at);
        else if (key == "missionOptions") readRecord(store, missionOptionsLayout(), 0, v, at);
        else if (key == "shipgroupCount" || key == "messageCount") number(v, at, 0, 255);
        else if (key == "shipgroups") groups = &arrayOf(v, at, mission::kMaxShipgroups);
        else if (key == "messages") messages = &arrayOf(v, at, mission::kMaxMessages);
        else if (key == "globalGoals") readRecords(store, globalGoalLayout(), v, mission::kTeams);
        else if (key == "teams") readRecords(store, teamLayout(), v, mission::kTeams);
        else if (key == "briefing") continue;  // after the shipgroups, below
        else if (key == "briefing2") {
            for (const auto& [k2, x] : objectOf(v, at).items()) {
                const Path p = member(at, k2);
                if (k2 == "block") readBlock(store, Table::Briefing2, x, p);
                else if (k2 == "tags") readTexts(store, Table::Briefing2Tags, x, p, 255);
                else if (k2 == "texts") readTexts(store, Table::Briefing2Texts, x, p, 255);
                else refuse(p, "unknown field");
            }
        } else if (key == "block6268") readBlock(store, Table::Block6268, v, at);
        else if (key == "messageNotes") readTexts(store, Table::MessageNotes, v, at, mission::kNoteSize);
        else if (key == "notesC") readTexts(store, Table::NotesC, v, at, mission::kNoteSize);
        else if (key == "notesD") readTexts(store, Table::NotesD, v, at, mission::kNoteSize);
        else if (key == "notesE") readTexts(store, Table::NotesE, v, at, mission::kNoteSize);
        else if (key == "block417") readBlock(store, Table::Block417, v, at);
        else if (key == "debriefing") putText(store.mutableSlot(Table::Debriefing, 0), textOf(v, at, 4096));
        else if (key == "hints") putText(store.mutableSlot(Table::Hints, 0), textOf(v, at, 4096));
        else if (key == "introduction") putText(store.mutableSlot(Table::Introduction, 0), textOf(v, at, 4096));
        else refuse(key, "unknown field");
    }
    const auto counted = [&](const json* list, const char* countKey, int& count) {
        if (!list) return;
        if (doc.contains(countKey) && doc[countKey] != list->size())
            refuse(countKey, doc[countKey].dump() + " does not match the " + std::to_string(list->size()) +
                                 " records listed");
        count = static_cast<int>(list->size());
    };
    counted(groups, "shipgroupCount", store.shipgroupCount);
    counted(messages, "messageCount", store.messageCount);
    if (groups) readRecords(store, shipgroupLayout(), *groups, mission::kMaxShipgroups);
    if (messages) readRecords(store, messageLayout(), *messages, mission::kMaxMessages);
    if (doc.contains("briefing")) readBriefing(store, model, doc["briefing"]);
}

}  // namespace

std::string ImportError::text() const {
    std::string s = path.empty() ? std::string("document") : path;
    if (line > 0) s += " (line " + std::to_string(line) + ")";
    return s + ": " + message;
}

std::optional<ImportError> importMission(std::string_view text, MissionStore& store,
                                         briefing::BriefingModel& model) {
    json doc;
    try {
        doc = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& e) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..."
        std::string what = e.what();
        const auto at = what.find("] ");
        if (at != std::string::npos) what = what.substr(at + 2);
        int line = 0;
        const auto l = what.find("line ");
        if (l != std::string::npos) line = std::atoi(what.c_str() + l + 5);
        return ImportError{"", line, "not JSON: " + what};
    }
    try {
        readDocument(doc, store, model);
    } catch (const Refusal& r) {
        return ImportError{r.path, lineOfPath(text, r.path), r.message};
    }
    return std::nullopt;
}

}  // namespace quendar::text
