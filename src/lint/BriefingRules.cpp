// The rules over briefing 1's command lists.
#include <array>
#include <climits>

#include "briefing/BriefingModel.h"
#include "lint/RuleSet.h"

namespace quendar::lint {

namespace {

using namespace briefing;

constexpr int kShipSlots = 255;  // 0..254
constexpr int kStrings = mission::kBriefingStrings;
constexpr int kColours = 6;
constexpr int kRegions = 4;

// Only the low byte of a plain parameter reaches the file.
int fileByte(const Record& r, int param) { return r.params[param].low & 0xFF; }
bool written(const Record& r) { return r.time >= 0 && r.time < kWrittenMark; }

// The ship slot a command names, or -1.
int slotOf(Kind kind, const Record& r) {
    if ((kind >= BRC_SELECT1 && kind <= BRC_SELECT8) || kind == BRC_COORD || kind == BRC_ORIENT)
        return fileByte(r, 0);
    if (kind == BRC_TECH) return fileByte(r, 1);
    return -1;
}

class BriefingPass {
  public:
    BriefingPass(const RuleInput& in, std::vector<Problem>& out) : m_b(in.briefing), m_out(out) {
        // The earliest time each slot gets a ship (a show of craft type 0 hides it).
        m_firstShown.fill(INT_MAX);
        for (const Record& r : m_b.records(BRC_SHOW)) {
            const int slot = fileByte(r, 0);
            if (written(r) && slot < kShipSlots && fileByte(r, 1) != 0 &&
                r.time < m_firstShown[slot])
                m_firstShown[slot] = r.time;
        }
    }

    void run() {
        int bytes = kEndCommandSize;
        for (int k = 0; k < kKindCount; ++k) {
            const Kind kind = static_cast<Kind>(k);
            const auto records = m_b.records(kind);
            for (int j = 0; j < static_cast<int>(records.size()); ++j) {
                if (!written(records[j])) continue;
                bytes += encodedSize(kind);
                command(kind, j, records[j]);
            }
        }
        if (bytes * 100 > kEventAreaSize * 95)
            report(m_out, code::EventAreaFull,
                   Location{Area::Briefing, -1, -1, -1, -1, -1, "event area"},
                   {"%0 of %1 bytes are in use; the next commands may not fit",
                    {bytes, kEventAreaSize}});
    }

  private:
    void command(Kind kind, int j, const Record& r) {
        auto problem = [&](const Rule& rule, const Text& text) {
            const Location where{Area::Briefing, r.time, kind, j, -1, -1, kindInfo(kind).name};
            const Fix remove{Fix::Kind::RemoveCommand,
                             "Remove the command",
                             mission::Table::Briefing1,
                             0,
                             0,
                             {},
                             0,
                             kind,
                             j};
            report(m_out, rule, where, text, remove);
        };
        if (r.time > m_b.briefingLength())
            problem(code::AfterLength,
                    {"time %0 lies after the briefing length %1", {r.time, m_b.briefingLength()}});
        const int slot = slotOf(kind, r);
        if (slot >= 0 && (slot >= kShipSlots || m_firstShown[slot] > r.time))
            problem(code::SlotNeverShown,
                    {"ship slot %0 is not shown at or before this time", {slot}});
        if (kind >= BRC_TAG1 && kind <= BRC_TAG8) {
            if (fileByte(r, 0) >= kStrings)
                problem(code::TagIndex,
                        {"tag %0 lies past the 128 tags (0..127)", {fileByte(r, 0)}});
            if (fileByte(r, 3) >= kColours)
                problem(code::BriefingColour,
                        {"colour %0 is not one of the six IFFs (0..5)", {fileByte(r, 3)}});
        }
        if (kind == BRC_SHOW && fileByte(r, 2) >= kColours)
            problem(code::BriefingColour,
                    {"IFF %0 is not one of the six IFFs (0..5)", {fileByte(r, 2)}});
        if (kind == BRC_LOWER && fileByte(r, 0) >= kStrings)
            problem(code::TextIndex,
                    {"text %0 lies past the 128 texts (0..127)", {fileByte(r, 0)}});
        if (kind == BRC_REGION && fileByte(r, 0) >= kRegions)
            problem(code::BriefingRegion,
                    {"region code %0 is not one of the four regions (0..3)", {fileByte(r, 0)}});
        // The view takes the low byte of zoom x.
        if (kind == BRC_ZOOM && (r.params[0].value() & 0xFF) == 0)
            problem(code::ZeroZoom,
                    {"zoom %0 shows as zoom 0", {static_cast<int>(r.params[0].value())}});
    }

    const BriefingModel& m_b;
    std::vector<Problem>& m_out;
    std::array<int, kShipSlots> m_firstShown{};
};

}  // namespace

void lintBriefing(const RuleInput& in, std::vector<Problem>& out) { BriefingPass(in, out).run(); }

}  // namespace quendar::lint
