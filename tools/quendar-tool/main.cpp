// quendar-tool: inspects, dumps and re-saves missions without a window.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "BriefingViewJson.h"
#include "Flow.h"
#include "Lint.h"
#include "MissionSummary.h"
#include "Render.h"
#include "TextCommands.h"
#include "ToolParts.h"
#include "app/files/DataFolder.h"
#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "app/files/WorkingFolder.h"
#include "app/frame/CommandLine.h"
#include "briefing/BriefingView.h"
#include "map/IconTable.h"

namespace {

using namespace quendar;

// Every message box goes to standard error as "caption: text". Questions are
// answered Cancel (or No), so nothing is changed behind the user's back.
class StderrPrompter : public core::Prompter {
  public:
    core::Answer ask(std::string_view text, std::string_view caption, core::Buttons buttons,
                     core::Icon) override {
        std::cerr << caption << ": " << text << "\n";
        ++shown;
        switch (buttons) {
            case core::Buttons::Ok: return core::Answer::Ok;
            case core::Buttons::OkCancel: return core::Answer::Cancel;
            case core::Buttons::YesNo: return core::Answer::No;
            default: return core::Answer::Cancel;
        }
        return core::Answer::Cancel;
    }
    int shown = 0;
};

// The editor as the tool runs it: the craft list named on the command line,
// no check pass before saving. Open starts from the new-mission state itself.
void prepare(app::Editor& editor, const std::string& craftList) {
    editor.craftListPath = craftList;
    editor.settings.runEccBeforeSave = 0;
}

bool open(app::Editor& editor, StderrPrompter& prompter, const std::string& path) {
    if (!app::openMissionPath(editor, prompter, path)) {
        std::cerr << "quendar-tool: cannot read " << path << "\n";
        return false;
    }
    return true;
}

std::string km(int units) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", units / 160.0);
    return buf;
}

void printInfo(const app::MissionSummary& m) {
    std::cout << "Mission: " << m.path << "\n";
    std::cout << "Shipgroups: " << m.shipgroups.size() << "\n";
    std::cout << "Messages: " << m.messages.size() << "\n";
    for (const auto& g : m.shipgroups) {
        std::cout << "  #" << g.index << " \"" << g.name << "\"  craft " << g.craftType << " "
                  << g.craftName << " x" << g.count << "  IFF " << g.iff << "  team " << g.team + 1
                  << "  player craft " << g.playerCraft << "  start 1 (" << km(g.start.x) << ", "
                  << km(g.start.y) << ", " << km(g.start.z) << ") km in region "
                  << g.startRegion + 1 << (g.start.enabled == 1 ? "" : " (disabled)") << "\n";
    }
    for (const auto& msg : m.messages) {
        std::cout << "  message " << msg.index + 1 << ": \"" << msg.text << "\"\n";
        tool::printMessageDetails(std::cout, msg);
    }
    std::cout << "Briefing length: " << m.briefingLength << "\n";
    std::cout << "Briefing end time: " << m.briefingEndTime << "\n";
    for (const auto& k : m.commandCounts) {
        if (k.count) std::cout << "  " << k.kind << ": " << k.count << "\n";
    }
    tool::printSettingsInfo(std::cout, m);
}

nlohmann::json toJson(const app::MissionSummary& m) {
    using nlohmann::json;
    auto text = +[](const std::string& s) { return tool::jsonText(s); };
    json j;
    j["path"] = text(m.path);
    j["shipgroupCount"] = m.shipgroups.size();
    j["messageCount"] = m.messages.size();
    j["shipgroups"] = json::array();
    for (const auto& g : m.shipgroups) {
        j["shipgroups"].push_back({{"index", g.index},
                                   {"name", text(g.name)},
                                   {"craftType", g.craftType},
                                   {"craftName", text(g.craftName)},
                                   {"count", g.count},
                                   {"iff", g.iff},
                                   {"team", g.team},
                                   {"playerCraft", g.playerCraft},
                                   {"startPoint1",
                                    {{"x", g.start.x},
                                     {"y", g.start.y},
                                     {"z", g.start.z},
                                     {"enabled", g.start.enabled},
                                     {"region", g.startRegion}}}});
    }
    j["messages"] = json::array();
    for (const auto& msg : m.messages) {
        j["messages"].push_back(
            {{"index", msg.index}, {"text", text(msg.text)}, {"colour", msg.colour}});
    }
    json b;
    b["length"] = m.briefingLength;
    b["endTime"] = m.briefingEndTime;
    b["commandCounts"] = json::object();
    for (const auto& k : m.commandCounts) b["commandCounts"][k.kind] = k.count;
    b["commands"] = json::array();
    for (const auto& c : m.commands) {
        b["commands"].push_back({{"kind", c.kind}, {"time", c.time}, {"params", c.params}});
    }
    j["briefing"] = b;
    tool::addSettingsJson(j, m, text);
    return j;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App cli{"quendar-tool: inspect, dump and re-save Vexion missions"};
    cli.require_subcommand(1);
    std::string craftList;
    cli.add_option("--craft-list", craftList,
                   "craft list to read (default: SHIPLIST.TXT here, else the bundled one)");
    const std::string dataDir = app::bundledDataFolder();
    std::string version = app::versionLine("quendar-tool");
    version.pop_back();  // CLI11 ends the line itself
    cli.set_version_flag("--version", version);
    cli.footer("Bundled data: " + (dataDir.empty() ? std::string("(not found)") : dataDir));

    std::string in, out;
    auto* resave = cli.add_subcommand("resave", "open IN as the editor does and save it as OUT");
    resave->add_option("IN", in)->required();
    resave->add_option("OUT", out)->required();
    auto* create = cli.add_subcommand("new", "write a new mission");
    create->add_option("OUT", out)->required();
    create->add_option("--craft-list", craftList, "craft list to read");
    auto* info = cli.add_subcommand("info", "print a readable summary");
    info->add_option("IN", in)->required();
    auto* dump = cli.add_subcommand("dump", "print the mission and its briefing as JSON");
    dump->add_option("IN", in)->required();
    int dumpTime = 0;
    auto* dumpTimeOpt =
        dump->add_option("--time", dumpTime, "add the briefing view at this briefing time");
    tool::RenderOptions ro;
    auto* render =
        cli.add_subcommand("render", "draw the map, or the briefing at a time, as a PNG");
    render->add_option("IN", in)->required();
    render->add_option("OUT", ro.out, "the PNG (or with --animate the .webp or .gif) to write")
        ->required();
    auto* brief =
        render->add_flag("--briefing", ro.briefing, "draw the briefing in its locked view");
    auto* time =
        render->add_option("--time", ro.time, "briefing time in units (default 0)")->needs(brief);
    auto* animate = render
                        ->add_flag("--animate", ro.animate,
                                   "the briefing as an animated WebP or GIF (by OUT's extension)")
                        ->needs(brief)
                        ->excludes(time);
    render->add_option("--fps", ro.fps, "animation frames per second, 1..60 (default 14)")
        ->needs(animate);
    render->add_option("--from", ro.from, "animation start time in units (default 0)")
        ->needs(animate);
    render->add_option("--to", ro.to, "animation end time in units (default the briefing's end)")
        ->needs(animate);
    render->add_option("--region", ro.region, "region 1..4 (default 1)")->excludes(brief);
    render->add_option("--zoom", ro.zoom, "pixels per km (default 100)")->excludes(brief);
    render->add_option("--size", ro.size, "picture size WIDTHxHEIGHT (default 1920x1080)");
    render->add_option("--icons", ro.icons,
                       "icon file (default: iconslist.dat here, else the bundled one)");
    std::string fixOut;
    auto* validate = cli.add_subcommand(
        "validate", "run the mission checks; exit 0 with no finding, 1 with findings, 2 on errors");
    validate->add_option("IN", in)->required();
    auto* fixOpt = validate->add_option("--fix", fixOut, "save the corrected mission as OUT");
    tool::TextCommands textCommands;
    tool::addTextCommands(cli, textCommands);
    tool::LintOptions lintOptions;
    auto* lint = tool::addLintCommand(cli, lintOptions);
    tool::FlowOptions flowOptions;
    auto* flowCommand = tool::addFlowCommand(cli, flowOptions);
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return tool::answerBadArguments(cli, e);
    }
    // The editor's rule: the working folder's craft list, else the bundled one.
    // The same for the icons the pictures are drawn with.
    const app::WorkingFolder folder(dataDir);
    if (craftList.empty()) craftList = folder.dataFile("SHIPLIST.TXT");
    if (ro.icons.empty()) ro.icons = folder.dataFile(map::kIconFileName);
    if (*fixOpt && fixOut.empty()) {
        std::cerr << "quendar-tool: --fix needs the name of the file to write\n";
        return 2;
    }

    if (*render && !tool::renderAvailable())
        return tool::handOver(argv, "quendar-tool-render", "draws pictures");
    if (*render) {
        if (const int rc = tool::checkAnimationOptions(ro); rc != 0) return rc;
    }
    if (textCommands.chosen() && !tool::textAvailable())
        return tool::handOver(argv, "quendar-tool-text", "reads and writes missions as text");

    StderrPrompter prompter;
    if (const int rc = tool::runTextCommands(textCommands, craftList, prompter); rc >= 0) return rc;
    app::Editor editor;
    prepare(editor, craftList);

    if (*validate) return tool::runValidate(editor, prompter, in, fixOut);
    if (*lint) return tool::runLint(editor, prompter, lintOptions);
    if (*flowCommand) return tool::runFlow(editor, prompter, flowOptions);
    if (*create || *resave) {
        if (*create) app::newMission(editor, prompter, false);
        // A resave writes craft types as numbers: the craft list is not read.
        if (*resave) editor.craftListPath.clear();
        if (*resave && !open(editor, prompter, in)) return 1;
        editor.store.missionPath = out;
        if (!app::saveMission(editor, prompter)) {
            std::cerr << "quendar-tool: " << out << " was not written\n";
            return 1;
        }
        return 0;
    }
    // An animation names every failure with exit code 2.
    if (!open(editor, prompter, in)) return *render && ro.animate ? 2 : 1;
    if (*render) return tool::renderMission(editor, ro);
    const app::MissionSummary summary = app::summarize(editor);
    if (*info) {
        printInfo(summary);
    } else {
        nlohmann::json j = toJson(summary);
        if (*dumpTimeOpt)
            j["briefingView"] =
                tool::briefingViewJson(briefing::briefingViewAt(editor.briefing, dumpTime));
        std::cout << j.dump(2) << "\n";
    }
    return 0;
}
