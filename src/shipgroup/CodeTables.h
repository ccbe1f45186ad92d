#pragma once

#include <array>
#include <string>
#include <vector>

namespace quendar::shipgroup {

// The code tables of the shipgroup editor. Every list control stores the index
// of the chosen entry, so the order of each list below is the encoding. Codes
// without a known meaning read "Unknown - " and the number. The global goals
// and in-flight message forms use the same tables.
using Labels = std::vector<std::string>;

std::string unknownLabel(int code);
// "first" .. "last" as decimal numbers.
Labels numberLabels(int first, int last);

// Which form shows a trigger or a target: the departure form and the orders
// form relabel a few subject types and the "None" parameter.
enum class LabelSet { Arrival, Departure, OrderTarget };

constexpr int kConditions = 51;
constexpr int kSubjectTypes = 27;
constexpr int kAmounts = 37;
constexpr int kMethods = 6;
constexpr int kOrders = 61;
constexpr int kThrottles = 31;
constexpr int kStatuses = 31;

// Subject type codes that change how the subject is listed.
constexpr int kSubjectNone = 0;
constexpr int kSubjectFlightgroup = 1;
constexpr int kSubjectShipType = 2;
constexpr int kSubjectShipCategory = 3;
constexpr int kSubjectIff = 5;

constexpr int kMethodHyperspace = 0;
constexpr int kMethodHangar = 1;

constexpr int kOrderDropOff = 18;
constexpr int kBackdropCraft = 183;
constexpr int kNoSpecialCargo = 255;
constexpr int kNotSpecified = 255;

const Labels& conditionLabels();      // trigger wording, 51 codes
const Labels& goalConditionLabels();  // shipgroup goal wording, same codes
const Labels& subjectTypeLabels(LabelSet set);
const Labels& amountLabels();
// Parameter 1: "None", the four region names, "5" .. "20".
Labels param1Labels(const std::array<std::string, 4>& regionNames, LabelSet set);
const Labels& param2Labels(LabelSet set);
const Labels& methodLabels();
const Labels& orderLabels();
const Labels& throttleLabels();
const Labels& targetCategoryLabels();  // order targets of type 3
const Labels& statusLabels();
const Labels& warheadLabels();
const Labels& beamLabels();
const Labels& countermeasureLabels();
const Labels& markingLabels();
const Labels& aiSkillLabels();
const Labels& craftCountLabels();  // "Unused", "One" .. "Twelve"
const Labels& wavesLabels();       // "1" .. "29"; stored value = waves - 1
const Labels& pilotLabels();       // "Computer", "Player in craft 1" ..
const Labels& goalArgumentLabels();
// 61 codes; 12..19 name the regions.
Labels additionalInfoLabels(const std::array<std::string, 4>& regionNames);
// The packed optional-equipment lists; entry i stands for code i + 1.
const Labels& optionalWarheadLabels();
const Labels& optionalBeamLabels();
const Labels& optionalCountermeasureLabels();
const Labels& optionalShipModeLabels();
constexpr int kOptionalShipUserDefined = 4;

// What the two order parameters mean for an order code.
enum class ParamList {
    Numbers,     // "0" .. "255"
    Loops,       // "Unlimited", "1" .. "255"
    Shipgroups,  // the shipgroup names; value = shipgroup number
    Regions,     // the four region names; value = region 0..3
};
struct OrderParams {
    std::string caption1;
    ParamList list1 = ParamList::Numbers;
    std::string caption2;
    ParamList list2 = ParamList::Numbers;
};
OrderParams orderParams(int orderCode);

}  // namespace quendar::shipgroup
