#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "briefing/BriefingKinds.h"
#include "briefing/BriefingModel.h"
#include "text/FieldTable.h"

namespace quendar::briefing {
class BriefingModel;
}

namespace quendar::text {

// The named parameters of a briefing command, in the order of its words.
struct ParamName {
    std::string_view name;
    Codes codes = Codes::None;
};
std::span<const ParamName> commandParams(briefing::Kind kind);
// The kind named "BRC_COORD" and so on.
std::optional<briefing::Kind> kindNamed(std::string_view name);

// The bytes at the start of briefing 1's event area that a save rewrites from
// the lists (the end command included); bytes behind them stay as they are.
// When the lists overflow the area, a lower bound.
int packedEventBytes(const briefing::BriefingModel& model);
// The first of the bytes between the length marks and the event area, which a
// save keeps as they are.
inline constexpr int kKeptBytesStart = briefing::kLengthCopyOffset + 2;

// The order commands are listed in the text: by time; among equal times as a
// save writes them, each kind's records in list order.
struct CommandAt {
    int32_t time;
    int rank;
    briefing::Kind kind;
    int index;
};
std::vector<CommandAt> commandsInTextOrder(const briefing::BriefingModel& model);

}  // namespace quendar::text
