#include "TextCommands.h"

#include <iostream>

#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "mission/ChangeJournal.h"
#include "mission/FileIO.h"
#ifdef QUENDAR_TOOL_TEXT
#include <nlohmann/json.hpp>

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

// How a file is read: as a JSON document only (import), or as a document
// or a mission file, whichever it holds (export, diff).
enum class Reading { Document, Either };

// A file holds a JSON document when, after a byte-order mark and white space,
// it starts as a JSON value does with '{', '[' or '"', or holds nothing at all.
bool looksLikeDocument(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const auto start = text.find_first_not_of(" \t\r\n");
    return start == std::string_view::npos ||
           std::string_view("{[\"").find(text[start]) != std::string_view::npos;
}

bool load(app::Editor& editor, core::Prompter& prompter, const std::string& path, Reading reading,
          std::string& error) {
    mission::FileError why;
    const auto bytes = mission::readWholeFile(path, &why);
    if (!bytes) {
        error = "cannot read " + path + ": " + why.reason;
        if (why.reason == "File too large")
            error += " (at most " + std::to_string(mission::kMaxReadBytes >> 20) + " MB are read)";
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (reading == Reading::Either && !looksLikeDocument(text)) {
        const int header = mission::shapeOf(mission::Table::Header).slotSize;
        if (text.size() < static_cast<size_t>(header)) {
            error = path + " is neither a JSON document nor a mission file (" +
                    std::to_string(text.size()) + " bytes; a mission starts with a " +
                    std::to_string(header) + "-byte header)";
            return false;
        }
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
    std::string error;
    if (!load(editor, prompter, t.in, Reading::Either, error)) return fail(error);
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
    if (!load(editor, prompter, t.in, Reading::Document, error)) return fail(error);
    editor.store.missionPath = t.out;
    return app::saveMission(editor, prompter) ? 0 : fail(t.out + " was not written");
}

int runDiff(const TextCommands& t, const std::string& craftList, core::Prompter& prompter) {
    app::Editor a, b;
    prepare(a, craftList);
    prepare(b, craftList);
    std::string error;
    if (!load(a, prompter, t.in, Reading::Either, error) ||
        !load(b, prompter, t.other, Reading::Either, error))
        return fail(error);
    const auto diffs = text::diffMissions({a.store, a.briefing, &a.craftList},
                                          {b.store, b.briefing, &b.craftList});
    if (t.json) {
        std::cout << text::differencesAsJson(diffs);
    } else {
        for (const auto& d : diffs) std::cout << text::differenceLine(d) << "\n";
    }
    return diffs.empty() ? 0 : 1;
}

// Three missions merged into OUT (OURS when none is named), written through
// the normal save only when the merge ran.
int runMerge(const TextCommands& t, const std::string& craftList, core::Prompter& prompter) {
    app::Editor base, ours, theirs, out;
    for (app::Editor* e : {&base, &ours, &theirs, &out}) prepare(*e, craftList);
    std::string error;
    const auto read = [&](app::Editor& e, const std::string& path) {
        return load(e, prompter, path, Reading::Either, error);
    };
    if (!read(base, t.in) || !read(ours, t.other) || !read(theirs, t.third) || !read(out, t.other))
        return fail(error);
    text::MergeOutcome merged;
    {
        mission::ChangeJournal::Pause pause(out.journal);
        merged = text::mergeMissions({base.store, base.briefing, &base.craftList},
                                     {ours.store, ours.briefing, &ours.craftList},
                                     {theirs.store, theirs.briefing, &theirs.craftList},
                                     {out.store, out.briefing});
    }
    out.journal.clear();
    if (!merged.error.empty()) return fail(merged.error);
    out.store.missionPath = t.out.empty() ? t.other : t.out;
    if (!app::saveMission(out, prompter)) return fail(out.store.missionPath + " was not written");
    if (t.json) {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& c : merged.conflicts)
            list.push_back(
                {{"path", c.path}, {"base", c.base}, {"ours", c.ours}, {"theirs", c.theirs}});
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
    t.exportCmd = cli.add_subcommand(
        "export", "write the mission as a JSON document (standard output without OUT)");
    t.exportCmd->add_option("IN", t.in)->required();
    t.exportCmd->add_option("OUT", t.out, "the .json file to write");
    t.importCmd =
        cli.add_subcommand("import", "build a mission from a JSON document and save it as OUT");
    t.importCmd->add_option("IN", t.in)->required();
    t.importCmd->add_option("OUT", t.out)->required();
    t.diffCmd = cli.add_subcommand(
        "diff",
        "the differences between two missions (.tie or .json); exit 0 same, 1 different, 2 error");
    t.diffCmd->add_option("A", t.in)->required();
    t.diffCmd->add_option("B", t.other)->required();
    t.diffCmd->add_flag("--json", t.json, "print the differences as a JSON list");
    t.mergeCmd = cli.add_subcommand(
        "merge",
        "three-way merge of two missions grown from BASE into OUT (default OURS); exit 0 clean, "
        "1 conflicts, 2 error");
    t.mergeCmd->add_option("BASE", t.in)->required();
    t.mergeCmd->add_option("OURS", t.other)->required();
    t.mergeCmd->add_option("THEIRS", t.third)->required();
    t.mergeCmd->add_option("-o,--output", t.out, "the mission to write (default OURS)");
    t.mergeCmd->add_flag("--json", t.json, "print the conflicts as a JSON list");
}

}  // namespace quendar::tool
