#include "TextCommands.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "mission/ChangeJournal.h"
#include "mission/FileIO.h"
#ifdef QUENDAR_TOOL_TEXT
#include "text/Merge.h"
#include "text/MissionText.h"
#endif

namespace quendar::tool {

#ifdef QUENDAR_TOOL_TEXT

namespace {

int fail(const std::string& message) {
    std::cerr << "quendar-tool: " << message << "\n";
    return 2;
}

// The editor as the tool runs it: the craft list given, no checks before saving.
void prepare(app::Editor& editor, const std::string& craftList) {
    editor.craftListPath = craftList;
    editor.settings.runEccBeforeSave = 0;
}

// Opens a mission file, or imports a document (a file that starts with "{").
bool load(app::Editor& editor, core::Prompter& prompter, const std::string& path, std::string& error) {
    const auto bytes = mission::readWholeFile(path);
    if (!bytes) {
        error = "cannot read " + path;
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const auto start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || text[start] != '{') {
        if (app::openMissionPath(editor, prompter, path)) return true;
        error = "cannot read " + path;
        return false;
    }
    app::newMission(editor, prompter, false);
    std::optional<text::ImportError> e;
    {
        mission::ChangeJournal::Pause pause(editor.journal);
        e = text::importMission(text, editor.store, editor.briefing);
    }
    editor.journal.clear();
    if (e) error = path + ": " + e->text();
    return !e;
}

int runExport(const TextCommands& t, app::Editor& editor, core::Prompter& prompter) {
    if (!app::openMissionPath(editor, prompter, t.in)) return fail("cannot read " + t.in);
    const std::string doc = text::exportMission(editor.store, editor.briefing, &editor.craftList);
    if (t.out.empty()) {
        std::cout << doc;
        return std::cout.good() ? 0 : 2;
    }
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(doc.data()), doc.size());
    return mission::writeFileAtomic(t.out, bytes) ? 0 : fail(t.out + " was not written");
}

int runImport(const TextCommands& t, app::Editor& editor, core::Prompter& prompter) {
    std::string error;
    if (!load(editor, prompter, t.in, error)) return fail(error);
    editor.store.missionPath = t.out;
    return app::saveMission(editor, prompter) ? 0 : fail(t.out + " was not written");
}

int runDiff(const TextCommands& t, const std::string& craftList, core::Prompter& prompter) {
    app::Editor a, b;
    prepare(a, craftList);
    prepare(b, craftList);
    std::string error;
    if (!load(a, prompter, t.in, error) || !load(b, prompter, t.other, error)) return fail(error);
    const auto diffs = text::diffMissions({a.store, a.briefing, &a.craftList}, {b.store, b.briefing, &b.craftList});
    if (t.json) {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& d : diffs) {
            nlohmann::json item = {{"path", d.path}};
            item["before"] = d.before.empty() ? nlohmann::json() : nlohmann::json(d.before);
            item["after"] = d.after.empty() ? nlohmann::json() : nlohmann::json(d.after);
            list.push_back(item);
        }
        std::cout << list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        for (const auto& d : diffs) {
            if (d.before.empty()) std::cout << d.path << ": added\n";
            else if (d.after.empty()) std::cout << d.path << ": removed\n";
            else std::cout << d.path << ": " << d.before << " \u2192 " << d.after << "\n";
        }
    }
    return diffs.empty() ? 0 : 1;
}

// Three missions merged into OUT (OURS when none is named), written through
// the normal save only when the merge ran.
int runMerge(const TextCommands& t, const std::string& craftList, core::Prompter& prompter) {
    app::Editor base, ours, theirs, out;
    for (app::Editor* e : {&base, &ours, &theirs, &out}) prepare(*e, craftList);
    std::string error;
    if (!load(base, prompter, t.in, error) || !load(ours, prompter, t.other, error) ||
        !load(theirs, prompter, t.third, error) || !load(out, prompter, t.other, error))
        return fail(error);
    text::MergeOutcome merged;
    {
        mission::ChangeJournal::Pause pause(out.journal);
        merged = text::mergeMissions({base.store, base.briefing, &base.craftList},
                                     {ours.store, ours.briefing, &ours.craftList},
                                     {theirs.store, theirs.briefing, &theirs.craftList}, {out.store, out.briefing});
    }
    out.journal.clear();
    if (!merged.error.empty()) return fail(merged.error);
    out.store.missionPath = t.out.empty() ? t.other : t.out;
    if (!app::saveMission(out, prompter)) return fail(out.store.missionPath + " was not written");
    if (t.json) {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& c : merged.conflicts)
            list.push_back({{"path", c.path}, {"base", c.base}, {"ours", c.ours}, {"theirs", c.theirs}});
        std::cout << list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        for (const auto& c : merged.conflicts) std::cout << c.text() << "\n";
    }
    return merged.conflicts.empty() ? 0 : 1;
}

}  // namespace

bool textAvailable() { return true; }

int runTextCommands(const TextCommands& t, const std::string& craftList, core::Prompter& prompter) {
    if (*t.diffCmd) return runDiff(t, craftList, prompter);
    if (*t.mergeCmd) return runMerge(t, craftList, prompter);
    if (!*t.exportCmd && !*t.importCmd) return -1;
    app::Editor editor;
    prepare(editor, craftList);
    return *t.exportCmd ? runExport(t, editor, prompter) : runImport(t, editor, prompter);
}

#else

bool textAvailable() { return false; }

int runTextCommands(const TextCommands& t, const std::string&, core::Prompter&) {
    if (!t.chosen()) return -1;
    std::cerr << "quendar-tool: this build cannot read or write missions as text\n";
    return 2;
}

#endif

void addTextCommands(CLI::App& cli, TextCommands& t) {
    t.exportCmd = cli.add_subcommand("export", "write the mission as a JSON document (standard output without OUT)");
    t.exportCmd->add_option("IN", t.in)->required();
    t.exportCmd->add_option("OUT", t.out, "the .json file to write");
    t.importCmd = cli.add_subcommand("import", "build a mission from a JSON document and save it as OUT");
    t.importCmd->add_option("IN", t.in)->required();
    t.importCmd->add_option("OUT", t.out)->required();
    t.diffCmd = cli.add_subcommand(
        "diff", "the differences between two missions (.tie or .json); exit 0 same, 1 different, 2 error");
    t.diffCmd->add_option("A", t.in)->required();
    t.diffCmd->add_option("B", t.other)->required();
    t.diffCmd->add_flag("--json", t.json, "print the differences as a JSON list");
    t.mergeCmd = cli.add_subcommand(
        "merge", "three-way merge of two missions grown from BASE into OUT (default OURS); exit 0 clean, "
                 "1 conflicts, 2 error");
    t.mergeCmd->add_option("BASE", t.in)->required();
    t.mergeCmd->add_option("OURS", t.other)->required();
    t.mergeCmd->add_option("THEIRS", t.third)->required();
    t.mergeCmd->add_option("-o,--output", t.out, "the mission to write (default OURS)");
    t.mergeCmd->add_flag("--json", t.json, "print the conflicts as a JSON list");
}

}  // namespace quendar::tool
