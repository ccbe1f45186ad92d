#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

#include "MissionSummary.h"
#include "app/editor/Editor.h"
#include "core/Prompter.h"

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace quendar::tool {

// A text on one line: a backslash as "\\", a line feed as "\n", a tab as
// "\t", any other byte below 32 and 127 as "\x" and two lowercase hex digits;
// every other byte as it is.
std::string escaped(std::string_view text);
// Mission texts are 8-bit characters; JSON output shows them as Latin-1 in UTF-8.
std::string jsonText(std::string_view text);

// The lines `info` prints under a message: teams, delay, colour, joins and
// the four triggers.
void printMessageDetails(std::ostream& out, const app::MissionSummary::Message& m);
// The mission-wide names and the three texts, after the shipgroups and messages.
void printSettingsInfo(std::ostream& out, const app::MissionSummary& m);
// The same for `dump`: adds the message details to j["messages"] and the
// names and texts as keys of their own. `text` turns 8-bit text into JSON text.
void addSettingsJson(nlohmann::json& j, const app::MissionSummary& m,
                     std::string (*text)(const std::string&));

// `validate IN [--fix OUT]`: the mission checks with the file-name check on,
// one "caption: text" line per finding on standard output. Exit code 0 with
// no finding, 1 with findings, 2 when IN cannot be read or OUT not written.
int runValidate(app::Editor& editor, core::Prompter& prompter, const std::string& in,
                const std::string& fixOut);

// Hands the whole command line to a companion program installed beside this
// one (`render` draws with the toolkit, the text commands read JSON with a
// library of their own: loading either costs every other command its start).
// Returns only when that fails, with the exit code and the reason, "cannot
// start COMPANION, which PURPOSE", on standard error.
int handOver(char** argv, const char* companion, const char* purpose);

// The answer to a command line that does not parse: --help and --version as
// asked (exit 0); anything else (an unknown option, an extra or missing
// argument) the reason and the usage of the command it was meant for on
// standard error, and exit code 2.
int answerBadArguments(const CLI::App& cli, const CLI::ParseError& error);

}  // namespace quendar::tool
