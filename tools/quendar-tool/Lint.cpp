#include "Lint.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <string_view>

#include "ToolParts.h"
#include "app/files/FileCommands.h"
#include "app/files/MissionIO.h"
#include "lint/Lint.h"
#include "mission/FileIO.h"

namespace quendar::tool {

CLI::App* addLintCommand(CLI::App& cli, LintOptions& o) {
    auto* lint = cli.add_subcommand(
        "lint",
        "list broken references and impossible values; exit 0 without errors, 1 with errors, "
        "2 when IN cannot be read");
    auto* rules =
        lint->add_flag("--rules", o.rules, "list every rule's code, severity and sentence");
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

// The problems as a JSON list written as it goes, laid out and escaped as
// the JSON library's dump(2) does it (keys sorted, two spaces a level), so
// that 30,000 problems never stand in memory as one document. Output is
// gathered in blocks of 64 KB.
class JsonList {
  public:
    explicit JsonList(std::ostream& out) : m_out(out) { m_buffer.reserve(kBlock + 4096); }
    void begin() {
        m_buffer += m_items++ == 0 ? "[\n  {" : ",\n  {";
        m_fields = 0;
    }
    void name(std::string_view key) {
        m_buffer += m_fields++ == 0 ? "\n    \"" : ",\n    \"";
        m_buffer += key;
        m_buffer += "\": ";
    }
    void raw(std::string_view value) { m_buffer += value; }
    void string(std::string_view text) {
        static constexpr char kHex[] = "0123456789abcdef";
        m_buffer += '"';
        for (const char ch : text) {
            const auto c = static_cast<unsigned char>(ch);
            switch (ch) {
                case '"': m_buffer += "\\\""; break;
                case '\\': m_buffer += "\\\\"; break;
                case '\b': m_buffer += "\\b"; break;
                case '\f': m_buffer += "\\f"; break;
                case '\n': m_buffer += "\\n"; break;
                case '\r': m_buffer += "\\r"; break;
                case '\t': m_buffer += "\\t"; break;
                default:
                    if (c < 0x20) {
                        m_buffer += "\\u00";
                        m_buffer += kHex[c >> 4];
                        m_buffer += kHex[c & 0xF];
                    } else {
                        m_buffer += ch;
                    }
            }
        }
        m_buffer += '"';
    }
    void field(std::string_view key, std::string_view text) {
        name(key);
        string(text);
    }
    void end() {
        m_buffer += "\n  }";
        if (m_buffer.size() >= kBlock) flush();
    }
    void close() {
        m_buffer += m_items == 0 ? "[]\n" : "\n]\n";
        flush();
    }

  private:
    static constexpr size_t kBlock = 1 << 16;
    void flush() {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
    }
    std::ostream& m_out;
    std::string m_buffer;
    int m_items = 0;
    int m_fields = 0;
};

}  // namespace

int runLint(app::Editor& editor, core::Prompter& prompter, const LintOptions& o) {
    if (o.rules) {
        for (const auto& r : lint::rules())
            std::cout << r.code << " " << lint::severityName(r.severity) << " " << r.sentence
                      << "\n";
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
        JsonList list(std::cout);
        for (const auto& p : problems) {
            const auto& l = p.location;
            list.begin();
            list.field("area", areaName(l.area));
            list.field("code", p.code);
            list.field("field", l.field.str());
            list.name("fix");
            if (p.fix)
                list.string(p.fix->label);
            else
                list.raw("null");
            list.name("index");
            list.raw(std::to_string(l.index));
            list.field("location", jsonText(lint::locationText(l, editor.store)));
            list.field("severity", lint::severityName(p.severity));
            list.field("text", jsonText(p.text.str()));
            list.end();
        }
        list.close();
    } else {
        for (const auto& p : problems)
            std::cout << escaped(lint::problemLine(p, editor.store)) << "\n";
    }
    return lint::countProblems(problems).errors > 0 ? 1 : 0;
}

}  // namespace quendar::tool
