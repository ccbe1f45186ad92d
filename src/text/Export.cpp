#include <algorithm>
#include <charconv>

#include "briefing/BriefingModel.h"
#include "mission/CraftList.h"
#include "mission/MissionStore.h"
#include "mission/NewMission.h"
#include "text/CommandFields.h"
#include "text/FieldTable.h"
#include "text/JsonText.h"
#include "text/MissionText.h"

namespace quendar::text {

using mission::MissionStore;
using mission::Table;

namespace {

// Indented JSON, one member per line; small lists and records stay on one line.
class Writer {
  public:
    std::string out;

    void begin(char c) {
        out += c;
        m_first.push_back(true);
    }
    void end(char c) {
        const bool empty = m_first.back();
        m_first.pop_back();
        if (!empty) {
            out += '\n';
            indent();
        }
        out += c;
    }
    void item() {
        if (!m_first.back()) out += ',';
        m_first.back() = false;
        out += '\n';
        indent();
    }
    void key(std::string_view k, std::string_view suffix = {}) {
        item();
        out += '"';
        out += k;
        out += suffix;
        out += "\": ";
    }
    void number(int v) {
        char buf[16];
        out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    }
    void text(std::span<const uint8_t> bytes) { appendQuoted(out, bytes); }
    void text(std::string_view s) { appendQuoted(out, s); }

  private:
    void indent() { out.append(m_first.size() * 2, ' '); }
    std::vector<bool> m_first;
};

// A short string is written as one zero byte when it starts with zero.
std::span<const uint8_t> shortString(std::span<const uint8_t> slot) {
    return slot.empty() || slot[0] == 0 ? slot.first(0) : withoutPadding(slot);
}

struct RecordWalk {
    const MissionStore& store;
    const CodeNames& names;
    std::span<const uint8_t> rec;
    std::span<const uint8_t> base;
    int record;
};

bool isEmptyElement(const RecordWalk& w, std::span<const Node> nodes, int at, FieldAt ctx) {
    for (const Node& n : nodes) {
        if (n.form == Form::StringSlot) {
            FieldAt f = ctx;
            f.node = &n;
            if (!shortString(stringSlotOf(w.store, f, w.record)).empty()) return false;
        } else if (n.isGroup()) {
            const int k = n.count == 0 && n.offsets.empty() ? 1 : n.elements();
            for (int i = 0; i < k; ++i) {
                FieldAt inner = ctx;
                inner.indices[static_cast<size_t>(inner.depth++)] =
                    k == 1 && n.count == 0 ? n.tag : i;
                if (!isEmptyElement(w, n.element, at + n.elementOffset(i), inner)) return false;
            }
        } else {
            const size_t o = static_cast<size_t>(at + n.offset);
            for (size_t b = 0; b < static_cast<size_t>(n.width); ++b)
                if (w.rec[o + b] != w.base[o + b]) return false;
        }
    }
    return true;
}

bool isSmall(std::span<const Node> nodes) {
    if (nodes.size() > 4) return false;
    for (const Node& n : nodes)
        if (n.isGroup() || n.codes != Codes::None || n.form == Form::Text) return false;
    return true;
}

void writeValue(Writer& o, const RecordWalk& w, const Node& n, int at, int elementBase,
                const FieldAt& ctx) {
    switch (n.form) {
        case Form::Text:
            o.text(withoutPadding(
                w.rec.subspan(static_cast<size_t>(at), static_cast<size_t>(n.width))));
            break;
        case Form::StringSlot: {
            FieldAt f = ctx;
            f.node = &n;
            o.text(shortString(stringSlotOf(w.store, f, w.record)));
            break;
        }
        case Form::Bytes: {
            const auto list = withoutPadding(
                w.rec.subspan(static_cast<size_t>(at), static_cast<size_t>(n.width)));
            o.out += '[';
            for (size_t i = 0; i < list.size(); ++i) {
                if (i) o.out += ", ";
                o.number(list[i]);
            }
            o.out += ']';
            break;
        }
        default: (void)elementBase; o.number(numberAt(w.rec, n, at));
    }
}

void writeFields(Writer& o, const RecordWalk& w, std::span<const Node> nodes, int at, FieldAt ctx);
void writeElement(Writer& o, const RecordWalk& w, const Node& g, int at, const FieldAt& ctx);

// The elements of a group as a list; a trimmed group leaves out the empty
// elements at its end.
void writeList(Writer& o, const RecordWalk& w, const Node& g, int at, const FieldAt& ctx) {
    int count = g.elements();
    while (g.trim && count > 0) {
        FieldAt c = ctx;
        c.indices[static_cast<size_t>(c.depth++)] = count - 1;
        if (!isEmptyElement(w, g.element, at + g.elementOffset(count - 1), c)) break;
        --count;
    }
    o.begin('[');
    for (int i = 0; i < count; ++i) {
        FieldAt c = ctx;
        c.indices[static_cast<size_t>(c.depth++)] = i;
        o.item();
        writeElement(o, w, g, at + g.elementOffset(i), c);
    }
    o.end(']');
}

void writeElement(Writer& o, const RecordWalk& w, const Node& g, int at, const FieldAt& ctx) {
    if (g.element.size() == 1 && g.element[0].name.empty() && !g.element[0].isGroup()) {
        writeValue(o, w, g.element[0], at + g.element[0].offset, at, ctx);
    } else if (g.element.size() == 1 && g.element[0].name.empty()) {
        // A list of lists (the orders of each region).
        writeList(o, w, g.element[0], at, ctx);
    } else if (isSmall(g.element)) {
        o.out += '{';
        bool first = true;
        for (const Node& n : g.element) {
            if (!first) o.out += ", ";
            first = false;
            o.out += '"';
            o.out += n.name;
            o.out += "\": ";
            writeValue(o, w, n, at + n.offset, at, ctx);
        }
        o.out += '}';
    } else {
        o.begin('{');
        writeFields(o, w, g.element, at, ctx);
        o.end('}');
    }
}

void writeFields(Writer& o, const RecordWalk& w, std::span<const Node> nodes, int at, FieldAt ctx) {
    for (const Node& n : nodes) {
        if (n.form == Form::Derived) continue;
        if (!n.isGroup()) {
            o.key(n.name);
            writeValue(o, w, n, at + n.offset, at, ctx);
            if (n.codes != Codes::None) {
                const int type =
                    n.typeOffset || n.codes == Codes::OrderParam1 || n.codes == Codes::OrderParam2
                        ? w.rec[static_cast<size_t>(at + n.typeOffset)]
                        : 0;
                const std::string_view name =
                    w.names.name(n.codes, numberAt(w.rec, n, at + n.offset), type);
                if (!name.empty()) {
                    o.key(n.name, "Name");
                    o.text(name);
                }
            }
            continue;
        }
        o.key(n.name);
        if (n.count == 0 && n.offsets.empty()) {
            FieldAt c = ctx;
            c.indices[static_cast<size_t>(c.depth++)] = n.tag;
            o.begin('{');
            writeFields(o, w, n.element, at + n.offset, c);
            o.end('}');
            continue;
        }
        writeList(o, w, n, at, ctx);
    }
}

void writeRest(Writer& o, const std::vector<Run>& runs) {
    if (runs.empty()) return;
    o.key("rest");
    o.out += '{';
    for (size_t i = 0; i < runs.size(); ++i) {
        if (i) o.out += ", ";
        o.out += '"';
        o.number(runs[i].offset);
        o.out += "\": \"";
        appendHex(o.out, runs[i].bytes);
        o.out += '"';
    }
    o.out += '}';
}

void writeRecord(Writer& o, const MissionStore& store, const MissionStore& base,
                 const CodeNames& names, const RecordLayout& l, int slot) {
    const RecordWalk w{store, names, store.slot(l.table, slot), base.slot(l.table, slot), slot};
    o.begin('{');
    writeFields(o, w, l.nodes, 0, FieldAt{});
    writeRest(
        o, differingRuns(w.rec, w.base, [&](int i) { return !l.owned[static_cast<size_t>(i)]; }));
    o.end('}');
}

void writeRecords(Writer& o, const MissionStore& store, const MissionStore& base,
                  const CodeNames& names, const RecordLayout& l, int count, bool trim = false) {
    // Records equal to the empty one at the end of a fixed table are left out.
    while (trim && count > 0) {
        const auto x = store.slot(l.table, count - 1), y = base.slot(l.table, count - 1);
        if (!std::equal(x.begin(), x.end(), y.begin(), y.end())) break;
        --count;
    }
    o.key(l.name);
    o.begin('[');
    for (int i = 0; i < count; ++i) {
        o.item();
        writeRecord(o, store, base, names, l, i);
    }
    o.end(']');
}

// A table of texts as a list, empty entries at the end left out. Counted
// strings end at their first zero (the writer cuts them there).
void writeTexts(Writer& o, std::string_view key, const MissionStore& store, Table t, bool counted) {
    const int n = mission::shapeOf(t).slots;
    std::vector<std::span<const uint8_t>> texts;
    for (int i = 0; i < n; ++i) {
        auto s = store.slot(t, i);
        if (counted) {
            size_t len = 0;
            while (len < s.size() && s[len]) ++len;
            s = s.first(len);
        }
        texts.push_back(withoutPadding(s));
    }
    while (!texts.empty() && texts.back().empty()) texts.pop_back();
    o.key(key);
    o.begin('[');
    for (const auto& s : texts) {
        o.item();
        o.text(s);
    }
    o.end(']');
}

void writeBlock(Writer& o, std::string_view key, const MissionStore& store,
                const MissionStore& base, Table t) {
    const auto runs = differingRuns(store.slot(t, 0), base.slot(t, 0), [](int) { return true; });
    o.key(key);
    o.begin('{');
    for (const Run& r : runs) {
        o.key(std::to_string(r.offset));
        o.out += '"';
        appendHex(o.out, r.bytes);
        o.out += '"';
    }
    o.end('}');
}

void writeBriefing(Writer& o, const MissionStore& store, const MissionStore& base,
                   const briefing::BriefingModel& model, const CodeNames& names) {
    using namespace briefing;
    o.key("briefing");
    o.begin('{');
    o.key("briefingLength");
    o.number(model.briefingLength());
    o.key("endTime");
    o.number(model.briefingEndTime());
    const auto block = store.slot(Table::Briefing1, 0);
    o.key("teams");
    o.out += '[';
    for (int t = 0; t < kTeamFlagCount; ++t) {
        if (t) o.out += ", ";
        o.number(block[static_cast<size_t>(kTeamFlagsOffset + t)]);
    }
    o.out += ']';
    writeTexts(o, "tags", store, Table::Briefing1Tags, true);
    writeTexts(o, "texts", store, Table::Briefing1Texts, true);
    writeTexts(o, "textNotes", store, Table::BriefingTextNotes, false);
    o.key("commands");
    o.begin('[');
    for (const CommandAt& c : commandsInTextOrder(model)) {
        const Record& r = model.record(c.kind, c.index);
        o.item();
        o.out += "{\"time\": ";
        o.number(r.time);
        o.out += ", \"kind\": \"";
        o.out += kindInfo(c.kind).name;
        o.out += '"';
        const auto params = commandParams(c.kind);
        for (size_t i = 0; i < params.size(); ++i) {
            o.out += ", \"";
            o.out += params[i].name;
            o.out += "\": ";
            const int v = r.param(static_cast<int>(i));
            o.number(v);
            if (params[i].codes != Codes::None) {
                const std::string_view name = names.name(params[i].codes, v, 0);
                if (!name.empty()) {
                    o.out += ", \"";
                    o.out += params[i].name;
                    o.out += "Name\": ";
                    o.text(name);
                }
            }
        }
        if (r.codeHigh) {
            o.out += ", \"codeHigh\": ";
            o.number(r.codeHigh);
        }
        o.out += '}';
    }
    o.end(']');
    // Bytes a save leaves as they are: 4..9, behind the end command, 17426..17427.
    const int packedEnd = kEventAreaStart + packedEventBytes(model);
    writeRest(o, differingRuns(block, base.slot(Table::Briefing1, 0), [&](int i) {
                  return (i >= kKeptBytesStart && i < kEventAreaStart) ||
                         (i >= packedEnd && i < kTeamFlagsOffset) ||
                         i >= kTeamFlagsOffset + kTeamFlagCount;
              }));
    o.end('}');
}

}  // namespace

std::string exportMission(const MissionStore& store, const briefing::BriefingModel& model,
                          const mission::CraftList* craftList) {
    MissionStore base;
    mission::resetToNewMission(base);
    const CodeNames names(store, craftList);
    Writer o;
    // Enough for a shipgroup of random bytes, so the text is not moved as it grows.
    o.out.reserve((size_t{1} << 20) +
                  size_t{48} * 1024 * static_cast<size_t>(std::max(store.shipgroupCount, 0)));
    o.begin('{');
    o.key("format");
    o.text(std::string_view("quendar-mission"));
    o.key("version");
    o.number(1);
    o.key("header");
    writeRecord(o, store, base, names, headerLayout(), 0);
    writeTexts(o, "regionNames", store, Table::RegionNames, false);
    writeRecords(o, store, base, names, specialCargoLayout(),
                 mission::shapeOf(Table::SpecialCargo).slots, true);
    writeTexts(o, "globalGroupNames", store, Table::GlobalGroupNames, false);
    writeBlock(o, "block3480", store, base, Table::Block3480);
    o.key("missionOptions");
    writeRecord(o, store, base, names, missionOptionsLayout(), 0);
    o.key("shipgroupCount");
    o.number(store.shipgroupCount);
    writeRecords(o, store, base, names, shipgroupLayout(), store.shipgroupCount);
    o.key("messageCount");
    o.number(store.messageCount);
    writeRecords(o, store, base, names, messageLayout(), store.messageCount);
    writeRecords(o, store, base, names, globalGoalLayout(), mission::kTeams);
    writeRecords(o, store, base, names, teamLayout(), mission::kTeams);
    writeBriefing(o, store, base, model, names);
    o.key("briefing2");
    o.begin('{');
    writeBlock(o, "block", store, base, Table::Briefing2);
    writeTexts(o, "tags", store, Table::Briefing2Tags, true);
    writeTexts(o, "texts", store, Table::Briefing2Texts, true);
    o.end('}');
    writeBlock(o, "block6268", store, base, Table::Block6268);
    writeTexts(o, "messageNotes", store, Table::MessageNotes, false);
    writeTexts(o, "notesC", store, Table::NotesC, false);
    writeTexts(o, "notesD", store, Table::NotesD, false);
    writeTexts(o, "notesE", store, Table::NotesE, false);
    writeBlock(o, "block417", store, base, Table::Block417);
    for (auto [key, t] :
         {std::pair{"debriefing", Table::Debriefing}, std::pair{"hints", Table::Hints},
          std::pair{"introduction", Table::Introduction}}) {
        o.key(key);
        o.text(withoutPadding(store.slot(t, 0)));
    }
    o.end('}');
    o.out += '\n';
    return std::move(o.out);
}

}  // namespace quendar::text
