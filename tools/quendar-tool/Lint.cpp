#include "Lint.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "ToolParts.h"
#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "mission/FileIO.h"
#include "lint/Lint.h"

namespace quendar::tool {

CLI::App* addLintCommand(CLI::App& cli, LintOptions& o) {
    auto* lint = cli.add_subcommand(
        "lint", "list broken references and impossible values; exit 0 without errors, 1 with errors, "
                "2 when IN cannot be read");
    auto* rules = lint->add_flag("--rules", o.rules, "list every rule's code, severity and sentence");
    lint->add_option("IN", o.in)->excludes(rules);
    lint->add_flag("--json", o.json, "print the problems as a JSON list");
    return lint;
}

namespace {

std::string_view areaName(lint::Area a) {
    switch (a) {
        case lint::Area::Shipgroup: return "shipgroup";
        case lint::Area::Message: return "message";
        case lint::Area::GlobalGoal: return "globalGoal";
        case lint::Area::Briefing: return "briefing";
    }
    return "";
}

}  // namespace

int runLint(app::Editor& editor, core::Prompter& prompter, const LintOptions& o) {
    if (o.rules) {
        for (const auto& r : lint::rules())
            std::cout << r.code << " " << lint::severityName(r.severity) << " " << r.sentence << "\n";
        return 0;
    }
    if (o.in.empty()) {
        std::cerr << "quendar-tool: lint needs IN or --rules\n";
        return 2;
    }
    // A file shorter than its own counts require is damaged, not a mission
    // with problems: its missing bytes would read as thousands of them.
    mission::FileError error;
    const auto file = mission::FileBytes::open(o.in, &error);
    if (!file) {
        std::cerr << "quendar-tool: cannot read " << o.in << ": " << error.reason << "\n";
        return 2;
    }
    const app::LoadOutcome loaded =
        app::loadMissionBytes(editor, file->bytes(), file->shrank(), file->changedWhileRead());
    if (loaded.report.shortFile() || file->shrank()) {
        std::cerr << "quendar-tool: " << o.in << ": " << loaded.messages.front().caption << ": "
                  << loaded.messages.front().text << "\n";
        return 2;
    }
    app::show(prompter, loaded.messages);
    const auto problems = lint::lintMission(editor.store, editor.briefing, editor.craftList);
    if (o.json) {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& p : problems) {
            const auto& l = p.location;
            list.push_back({{"code", p.code},
                            {"severity", lint::severityName(p.severity)},
                            {"area", areaName(l.area)},
                            {"index", l.index},
                            {"field", l.field.str()},
                            {"location", jsonText(lint::locationText(l, editor.store))},
                            {"text", jsonText(p.text.str())},
                            {"fix", p.fix ? nlohmann::json(std::string(p.fix->label)) : nlohmann::json()}});
        }
        std::cout << list.dump(2) << "\n";
    } else {
        for (const auto& p : problems) std::cout << escaped(lint::problemLine(p, editor.store)) << "\n";
    }
    return lint::countProblems(problems).errors > 0 ? 1 : 0;
}

}  // namespace quendar::tool
