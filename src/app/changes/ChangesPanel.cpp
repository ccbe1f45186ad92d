#include "app/changes/ChangesPanel.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"
#include "text/CommandFields.h"
#include "text/DiffParts.h"
#include "text/FieldTable.h"

namespace quendar::app {

using mission::Table;

namespace {

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a difference's path names, read back from the diff's words.
struct Target {
    enum Kind { None, Record, Text, Length, EndTime, TeamFlag, Command } kind = None;
    const text::RecordLayout* layout = nullptr;
    int index = -1;                          // record, text slot, team flag or command
    const text::FlatField* field = nullptr;  // none: the whole record, or its rest
    Table table = Table::Count;
    briefing::Kind command{};
};

// "[12]" at `s`: the number, and `s` moved past it.
std::optional<int> indexAt(std::string_view& s) {
    if (s.empty() || s[0] != '[') return std::nullopt;
    int v = 0;
    const auto r = std::from_chars(s.data() + 1, s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr == s.data() + s.size() || *r.ptr != ']') return std::nullopt;
    s.remove_prefix(static_cast<size_t>(r.ptr + 1 - s.data()));
    return v;
}

Target parse(std::string_view path) {
    Target t;
    static constexpr std::pair<std::string_view, Table> kTexts[] = {
        {"regionNames", Table::RegionNames},
        {"globalGroupNames", Table::GlobalGroupNames},
        {"briefing.tags", Table::Briefing1Tags},
        {"briefing.texts", Table::Briefing1Texts},
        {"briefing.textNotes", Table::BriefingTextNotes},
        {"briefing2.tags", Table::Briefing2Tags},
        {"briefing2.texts", Table::Briefing2Texts},
        {"messageNotes", Table::MessageNotes},
        {"notesC", Table::NotesC},
        {"notesD", Table::NotesD},
        {"notesE", Table::NotesE},
        {"debriefing", Table::Debriefing},
        {"hints", Table::Hints},
        {"introduction", Table::Introduction}};
    if (path == "briefing.briefingLength") return {Target::Length};
    if (path == "briefing.endTime") return {Target::EndTime};
    if (path.starts_with("briefing.teams")) {
        std::string_view s = path.substr(14);
        if (const auto i = indexAt(s); i && s.empty()) t = {Target::TeamFlag, nullptr, *i};
        return t;
    }
    if (path.starts_with("briefing.commands.")) {
        std::string_view s = path.substr(18);
        const auto open = s.find('[');
        const auto kind = text::kindNamed(s.substr(0, open));
        if (open == std::string_view::npos || !kind) return t;
        s.remove_prefix(open);
        if (const auto i = indexAt(s); i && s.empty()) {
            t.kind = Target::Command;
            t.command = *kind;
            t.index = *i;
        }
        return t;
    }
    for (const auto& [name, table] : kTexts) {
        if (!path.starts_with(name)) continue;
        std::string_view s = path.substr(name.size());
        if (s.empty()) return {Target::Text, nullptr, 0, nullptr, table};
        if (const auto i = indexAt(s); i && s.empty())
            return {Target::Text, nullptr, *i, nullptr, table};
    }
    const text::RecordLayout* layouts[] = {
        &text::headerLayout(),    &text::specialCargoLayout(), &text::missionOptionsLayout(),
        &text::shipgroupLayout(), &text::messageLayout(),      &text::globalGoalLayout(),
        &text::teamLayout()};
    for (const text::RecordLayout* l : layouts) {
        if (!path.starts_with(l->name)) continue;
        std::string_view s = path.substr(l->name.size());
        int index = 0;
        if (!s.empty() && s[0] == '[') {
            const auto i = indexAt(s);
            if (!i) continue;
            index = *i;
        }
        // A shipgroup's name in quotes, with its escapes, then a space.
        if (s.starts_with(" \"")) {
            size_t k = 2;
            while (k < s.size() && s[k] != '"') k += s[k] == '\\' ? 2 : 1;
            s.remove_prefix(std::min(s.size(), k + 1));
        }
        if (s.starts_with(" ")) s.remove_prefix(1);
        if (!s.empty() && s[0] != '.') continue;
        t = {Target::Record, l, index};
        if (s.empty()) return t;
        for (const text::FlatField& f : text::flatFields(*l))
            if (f.path == s.substr(1)) t.field = &f;
        return t;
    }
    return t;
}

lint::Location placeAt(lint::Area area, int index) {
    lint::Location at;
    at.area = area;
    at.index = index;
    return at;
}

// A kind's list positions in time order, as the diff counts the commands.
std::vector<int> timeOrder(std::span<const briefing::Record> list) {
    std::vector<int> order(list.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = static_cast<int>(k);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        return list[static_cast<size_t>(x)].time < list[static_cast<size_t>(y)].time;
    });
    return order;
}
int inTimeOrder(std::span<const briefing::Record> list, int index) {
    return index >= 0 && index < static_cast<int>(list.size())
               ? timeOrder(list)[static_cast<size_t>(index)]
               : -1;
}

text::MissionRef refOf(const Editor& e) { return {e.store, e.briefing, &e.craftList}; }

// The partner in `from` of record `index` of `to`, as the diff aligned them.
int partnerOf(const Editor& from, const Editor& to, const text::RecordLayout& l, int index) {
    if (&l != &text::shipgroupLayout() && &l != &text::messageLayout()) return index;
    const bool groups = &l == &text::shipgroupLayout();
    const auto count = [groups](const Editor& e) {
        return groups ? e.store.shipgroupCount : e.store.messageCount;
    };
    for (const auto& [a, b] : text::alignRecords(refOf(from), refOf(to), l, count(from), count(to)))
        if (b == index) return a;
    return -1;
}

}  // namespace

ChangesPanel::ChangesPanel(Editor& editor, MissionLoader& loader, PlaceNavigator& navigator,
                           MissionViews& views, SettleClock& clock)
    : m_editor(editor),
      m_loader(loader),
      m_navigator(navigator),
      m_views(views),
      m_settle(clock, kSettleMs),
      m_reference(std::make_unique<Editor>()) {
    m_journalConn = m_editor.journal.changed.connect([this] { noteChange(); });
    m_replacedConn = m_editor.missionReplaced.connect([this] { noteChange(); });
}

ChangesPanel::~ChangesPanel() = default;

bool ChangesPanel::tick() {
    if (!m_settle.due()) return false;
    refresh();
    return true;
}

// The mission's own file is read again whenever Open or Save changed it.
bool ChangesPanel::haveReference() {
    if (!m_otherPath.empty()) return m_loaded;
    const auto& disk = m_editor.diskFile;
    if (!disk) return false;
    if (m_loaded && m_loadedFrom && m_loadedFrom->path == disk->path &&
        m_loadedFrom->identity == disk->identity)
        return true;
    m_reference->craftListPath = m_editor.craftListPath;
    m_loaded = m_loader.load(disk->path, *m_reference);
    m_loadedFrom = disk;
    return m_loaded;
}

void ChangesPanel::refresh() {
    m_changes.clear();
    m_settle.looked();
    if (haveReference()) {
        const Editor& a = *m_reference;
        for (auto& d : text::diffMissions(refOf(a), refOf(m_editor))) {
            Change c{std::move(d), std::nullopt, false};
            const Target t = parse(c.difference.path);
            const bool added = c.difference.change == text::Difference::Change::Added,
                       removed = c.difference.change == text::Difference::Change::Removed;
            const bool groups = t.layout == &text::shipgroupLayout();
            if (t.kind == Target::Record && (groups || t.layout == &text::messageLayout()) &&
                !removed) {
                lint::Location at;
                at.area = groups ? lint::Area::Shipgroup : lint::Area::Message;
                at.index = t.index;
                if (t.field) {
                    at.offset = t.field->at.offset;
                    if (groups && t.field->path.starts_with("orders["))
                        at.region = t.field->at.indices[0], at.slot = t.field->at.indices[1];
                }
                c.place = at;
            } else if (t.kind == Target::Record && t.layout == &text::globalGoalLayout() &&
                       t.field) {
                const auto& i = t.field->at.indices;
                c.place = placeAt(lint::Area::GlobalGoal,
                                  (t.index * 3 + i[0]) * 4 + (t.field->at.depth > 1 ? i[1] : 0));
            } else if (t.kind == Target::Command) {
                const auto& model = removed ? a.briefing : m_editor.briefing;
                const int at = inTimeOrder(model.records(t.command), t.index);
                if (at >= 0)
                    c.place = placeAt(lint::Area::Briefing, model.record(t.command, at).time);
            } else if (t.kind == Target::Length || t.kind == Target::EndTime ||
                       t.kind == Target::TeamFlag || t.table == Table::Briefing1Tags ||
                       t.table == Table::Briefing1Texts) {
                c.place = placeAt(lint::Area::Briefing, -1);
            }
            c.revertible = t.kind == Target::Command || t.kind == Target::Length ||
                           t.kind == Target::EndTime || t.kind == Target::TeamFlag ||
                           t.kind == Target::Text ||
                           (t.kind == Target::Record && t.field && !added && !removed);
            m_changes.push_back(std::move(c));
        }
    }
    changed.notify();
}

bool ChangesPanel::compareWith(const std::string& path) {
    auto other = std::make_unique<Editor>();
    other->craftListPath = m_editor.craftListPath;
    if (!m_loader.load(path, *other)) return false;
    m_reference = std::move(other);
    m_otherPath = path;
    m_loaded = true;
    m_loadedFrom.reset();
    refresh();
    return true;
}

void ChangesPanel::compareWithSaved() {
    m_otherPath.clear();
    m_loaded = false;
    m_reference = std::make_unique<Editor>();
    refresh();
}

std::string ChangesPanel::referenceText() const {
    if (!m_otherPath.empty()) return "Compared with " + m_otherPath;
    if (!m_editor.diskFile) return "Not saved yet: no file to compare with";
    if (!m_loaded) return "Cannot read " + m_editor.diskFile->path;
    return "Changes since " + fileNameOf(m_editor.diskFile->path) + " was saved";
}

std::string ChangesPanel::row(int index) const {
    return valid(index) ? text::differenceLine(m_changes[static_cast<size_t>(index)].difference)
                        : std::string();
}

void ChangesPanel::goTo(int index) {
    if (valid(index) && m_changes[static_cast<size_t>(index)].place)
        m_navigator.goTo(*m_changes[static_cast<size_t>(index)].place);
}

bool ChangesPanel::revert(int index) {
    // A list that missed the last change is looked at again first, and the
    // same path reverted if it is still there.
    if (stale() && valid(index)) {
        const std::string wanted = m_changes[static_cast<size_t>(index)].difference.path;
        refresh();
        index = -1;
        for (size_t k = 0; k < m_changes.size(); ++k)
            if (m_changes[k].difference.path == wanted) index = static_cast<int>(k);
    }
    if (!canRevert(index)) return false;
    const Change& c = m_changes[static_cast<size_t>(index)];
    const Target t = parse(c.difference.path);
    const Editor& a = *m_reference;
    mission::MissionStore& store = m_editor.store;
    briefing::BriefingModel& model = m_editor.briefing;
    {
        core::ActionScope scope(m_editor.journal, "Revert change");
        switch (t.kind) {
            case Target::Record: {
                const text::Node& n = *t.field->at.node;
                const int from = partnerOf(a, m_editor, *t.layout, t.index);
                if (from < 0) break;
                if (n.form == text::Form::StringSlot) {
                    store.setBytes(n.ext, n.extSlot(t.index, t.field->at.path()), 0,
                                   text::stringSlotOf(a.store, t.field->at, from));
                    break;
                }
                const auto rec = a.store.slot(t.layout->table, from);
                std::vector<uint8_t> bytes(rec.begin() + t.field->at.offset,
                                           rec.begin() + t.field->at.offset + n.width);
                // A shipgroup named by number: the number it has here now.
                const int type = rec[static_cast<size_t>(t.field->at.elementBase + n.typeOffset)];
                if (n.codes != text::Codes::None &&
                    text::CodeNames::namesShipgroup(n.codes, type) && n.width == 1 &&
                    bytes[0] < a.store.shipgroupCount) {
                    for (const auto& [x, y] :
                         text::alignRecords(refOf(a), refOf(m_editor), text::shipgroupLayout(),
                                            a.store.shipgroupCount, store.shipgroupCount))
                        if (x == bytes[0] && y >= 0) {
                            bytes[0] = static_cast<uint8_t>(y);
                            break;
                        }
                }
                store.setBytes(t.layout->table, t.index, t.field->at.offset, bytes);
                break;
            }
            case Target::Text:
                store.setBytes(t.table, t.index, 0, a.store.slot(t.table, t.index));
                break;
            case Target::Length: model.setBriefingLength(a.briefing.briefingLength()); break;
            case Target::EndTime: model.setBriefingEndTime(a.briefing.briefingEndTime()); break;
            case Target::TeamFlag:
                store.setByte(
                    Table::Briefing1, 0, briefing::kTeamFlagsOffset + t.index,
                    a.store.byte(Table::Briefing1, 0, briefing::kTeamFlagsOffset + t.index));
                break;
            case Target::Command: {
                // The diff counts a kind's commands in time order.
                const auto ra = a.briefing.records(t.command), rb = model.records(t.command);
                const auto oa = timeOrder(ra), ob = timeOrder(rb);
                const auto recA = [&](int i) -> const briefing::Record& {
                    return ra[static_cast<size_t>(oa[static_cast<size_t>(i)])];
                };
                const auto recB = [&](int j) -> const briefing::Record& {
                    return rb[static_cast<size_t>(ob[static_cast<size_t>(j)])];
                };
                const bool added = c.difference.change == text::Difference::Change::Added;
                const bool removed = c.difference.change == text::Difference::Change::Removed;
                int from = removed ? t.index : -1;
                if (!added && !removed) {
                    const auto pairs = text::alignSequences(
                        static_cast<int>(ra.size()), static_cast<int>(rb.size()),
                        [&](int i, int j) { return recA(i) == recB(j); },
                        [&](int i, int j) { return recA(i).params == recB(j).params; });
                    for (const auto& [x, y] : pairs)
                        if (y == t.index) from = x;
                }
                briefing::Record back{};
                const bool restore = from >= 0 && from < static_cast<int>(ra.size());
                if (restore) back = recA(from);
                if (!removed && t.index >= 0 && t.index < static_cast<int>(rb.size()))
                    model.deleteCommand(t.command, ob[static_cast<size_t>(t.index)]);
                if (restore) {
                    std::array<int, briefing::kMaxParams> params{};
                    for (int k = 0; k < briefing::kMaxParams; ++k)
                        params[static_cast<size_t>(k)] = back.param(k);
                    model.appendCommand(
                        t.command, back.time,
                        std::span<const int>(params.data(), text::commandParams(t.command).size()));
                }
                break;
            }
            case Target::None: break;
        }
    }
    m_views.rereadViews();
    refresh();
    return true;
}

}  // namespace quendar::app
