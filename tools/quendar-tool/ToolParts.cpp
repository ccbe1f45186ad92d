#include "ToolParts.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/files/FileCommands.h"
#include "mission/Validation.h"

namespace quendar::tool {

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 32 || c == 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string jsonText(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void printMessageDetails(std::ostream& out, const app::MissionSummary::Message& m) {
    out << "    teams";
    bool any = false;
    for (int t = 0; t < 8; ++t) {
        if (m.teams[t] == 1) {
            out << (any ? ", " : " ") << t + 1;
            any = true;
        }
    }
    if (!any) out << " none";
    out << "  delay " << m.delayMinutes << " min " << m.delaySeconds << " s  colour " << m.colour
        << "\n";
    auto join = [](int v) { return v == 1 ? "or" : "and"; };
    for (int k = 0; k < 4; ++k) {
        const auto& t = m.triggers[k];
        out << "    trigger " << k + 1 << ": condition " << t.condition << ", subject type "
            << t.subjectType << ", subject " << t.subject << ", amount " << t.amount
            << ", parameters " << t.param1 << " " << t.param2 << "\n";
    }
    out << "    (1 " << join(m.join12) << " 2) " << join(m.joinConditions) << " (3 "
        << join(m.join34) << " 4)\n";
    if (!m.note.empty()) out << "    note: \"" << m.note << "\"\n";
}

void printSettingsInfo(std::ostream& out, const app::MissionSummary& m) {
    for (size_t t = 0; t < m.teamNames.size(); ++t)
        out << "Team " << t + 1 << ": \"" << m.teamNames[t] << "\"\n";
    for (size_t r = 0; r < m.regionNames.size(); ++r)
        out << "Region " << r + 1 << ": \"" << m.regionNames[r] << "\"\n";
    for (size_t k = 0; k < m.cargoNames.size(); ++k)
        if (!m.cargoNames[k].empty())
            out << "Special cargo " << k + 1 << ": \"" << m.cargoNames[k] << "\"\n";
    out << "Introduction: \"" << escaped(m.introduction) << "\"\n";
    out << "Debriefing: \"" << escaped(m.debriefing) << "\"\n";
    out << "Hints: \"" << escaped(m.hints) << "\"\n";
}

void addSettingsJson(nlohmann::json& j, const app::MissionSummary& m,
                     std::string (*text)(const std::string&)) {
    using nlohmann::json;
    for (size_t i = 0; i < m.messages.size() && i < j["messages"].size(); ++i) {
        const auto& msg = m.messages[i];
        json& out = j["messages"][i];
        out["triggers"] = json::array();
        for (const auto& t : msg.triggers) {
            out["triggers"].push_back({{"condition", t.condition},
                                       {"subjectType", t.subjectType},
                                       {"subject", t.subject},
                                       {"amount", t.amount},
                                       {"param1", t.param1},
                                       {"param2", t.param2}});
        }
        out["join12"] = msg.join12;
        out["join34"] = msg.join34;
        out["joinConditions"] = msg.joinConditions;
        out["teams"] = msg.teams;
        out["delayMinutes"] = msg.delayMinutes;
        out["delaySeconds"] = msg.delaySeconds;
        out["note"] = text(msg.note);
    }
    auto texts = [text](const std::vector<std::string>& v) {
        json a = json::array();
        for (const auto& s : v) a.push_back(text(s));
        return a;
    };
    j["teamNames"] = texts(m.teamNames);
    j["regionNames"] = texts(m.regionNames);
    j["cargoNames"] = texts(m.cargoNames);
    j["introduction"] = text(m.introduction);
    j["debriefing"] = text(m.debriefing);
    j["hints"] = text(m.hints);
}

int runValidate(app::Editor& editor, core::Prompter& prompter, const std::string& in,
                const std::string& fixOut) {
    if (!app::openMissionPath(editor, prompter, in)) {
        std::cerr << "quendar-tool: cannot read " << in << "\n";
        return 2;
    }
    const auto findings = mission::runChecks(editor.store, true, in, true);
    for (const auto& f : findings)
        std::cout << escaped(f.caption) << ": " << escaped(f.text) << "\n";
    std::cout.flush();
    if (!fixOut.empty()) {
        // The corrected mission, through the normal save, without a second pass.
        editor.settings.runEccBeforeSave = 0;
        editor.store.missionPath = fixOut;
        if (!app::saveMission(editor, prompter)) {
            std::cerr << "quendar-tool: " << fixOut << " was not written\n";
            return 2;
        }
    }
    return findings.empty() ? 0 : 1;
}

int handOver(char** argv, const char* companion, const char* purpose) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        std::cerr << "quendar-tool: cannot find its own folder: " << ec.message() << "\n";
        return 1;
    }
    const fs::path program = self.parent_path() / companion;
    execv(program.c_str(), argv);
    std::cerr << "quendar-tool: cannot start " << program.string() << ", which " << purpose << ": "
              << std::strerror(errno) << "\n";
    return 1;
}

int answerBadArguments(const CLI::App& cli, const CLI::ParseError& error) {
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return cli.exit(error);
    // The usage of the command the line was meant for: the last one named.
    const CLI::App* command = &cli;
    for (auto named = command->get_subcommands(); !named.empty();
         named = command->get_subcommands())
        command = named.back();
    std::cerr << "quendar-tool: " << error.what() << "\n" << command->help();
    return 2;
}

}  // namespace quendar::tool
