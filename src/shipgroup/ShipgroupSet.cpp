#include "shipgroup/ShipgroupSet.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "mission/CraftList.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/MissionNames.h"
#include "shipgroup/ShipgroupList.h"

namespace quendar::shipgroup {

using mission::MissionStore;
using mission::Table;
namespace sg = mission::sg;

namespace {

constexpr int kGoalTexts = mission::kShipgroupGoalStrings;
constexpr int kOrderTexts = mission::kOrderStrings;
constexpr int kText = mission::kShortStringSize;
constexpr size_t kMemberSize =
    1 + mission::kShipgroupSize + (kGoalTexts + kOrderTexts) * static_cast<size_t>(kText);
// "QSGS", a version byte, the cut flag, the source's length (16 bits) and text,
// the member count (16 bits), then per member its number, record and texts.
constexpr char kTag[4] = {'Q', 'S', 'G', 'S'};
constexpr uint8_t kVersion = 1;

// The goal texts of shipgroup i are slots (i*8+g)*3+k, g 0..7, k 0..2, and
// its order texts slots (i*4+r)*4+k: each shipgroup's run is contiguous.
int firstGoalText(int shipgroup) { return mission::shipgroupGoalStringIndex(shipgroup, 0, 0); }
int firstOrderText(int shipgroup) { return mission::orderStringIndex(shipgroup, 0, 0); }

std::vector<uint8_t> readTexts(const MissionStore& s, Table t, int first, int n) {
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(n) * kText);
    for (int k = 0; k < n; ++k) {
        const auto slot = s.slot(t, first + k);
        out.insert(out.end(), slot.begin(), slot.end());
    }
    return out;
}

void writeTexts(MissionStore& s, Table t, int first, const std::vector<uint8_t>& texts) {
    for (size_t k = 0; k * kText < texts.size(); ++k)
        s.setBytes(t, first + static_cast<int>(k), 0,
                   std::span<const uint8_t>(texts).subspan(k * kText, kText));
}

void put16(std::vector<uint8_t>& out, size_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

std::string km(int units) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2f", units / 160.0);
    return buf;
}

}  // namespace

ShipgroupSet takeSet(const MissionStore& s, std::span<const int> numbers, std::string source) {
    ShipgroupSet set;
    set.source = std::move(source);
    for (int n : numbers) {
        if (n < 0 || n >= s.shipgroupCount || n >= mission::kMaxShipgroups) continue;
        const auto record = s.slot(Table::Shipgroups, n);
        set.members.push_back(
            {n,
             {record.begin(), record.end()},
             readTexts(s, Table::ShipgroupGoalStrings, firstGoalText(n), kGoalTexts),
             readTexts(s, Table::OrderStrings, firstOrderText(n), kOrderTexts)});
    }
    return set;
}

std::vector<uint8_t> encodeSet(const ShipgroupSet& set) {
    std::vector<uint8_t> out(std::begin(kTag), std::end(kTag));
    out.push_back(kVersion);
    out.push_back(set.cut ? 1 : 0);
    const size_t sourceLength = std::min<size_t>(set.source.size(), 0xFFFF);
    put16(out, sourceLength);
    out.insert(out.end(), set.source.begin(), set.source.begin() + sourceLength);
    put16(out, set.members.size());
    for (const auto& m : set.members) {
        out.push_back(static_cast<uint8_t>(m.number));
        out.insert(out.end(), m.record.begin(), m.record.end());
        out.insert(out.end(), m.goalTexts.begin(), m.goalTexts.end());
        out.insert(out.end(), m.orderTexts.begin(), m.orderTexts.end());
    }
    return out;
}

std::optional<ShipgroupSet> decodeSet(std::span<const uint8_t> in) {
    constexpr size_t kHead = sizeof kTag + 4;
    if (in.size() < kHead || std::memcmp(in.data(), kTag, sizeof kTag) != 0 || in[4] != kVersion ||
        in[5] > 1)
        return std::nullopt;
    ShipgroupSet set;
    set.cut = in[5] == 1;
    const size_t sourceLength = in[6] + 256u * in[7];
    size_t at = kHead;
    if (in.size() < at + sourceLength + 2) return std::nullopt;
    set.source.assign(reinterpret_cast<const char*>(in.data() + at), sourceLength);
    at += sourceLength;
    const size_t count = in[at] + 256u * in[at + 1];
    at += 2;
    if (count == 0 || count > mission::kMaxShipgroups || in.size() - at != count * kMemberSize)
        return std::nullopt;
    std::vector<bool> seen(mission::kMaxShipgroups, false);
    auto take = [&](size_t n) {
        std::vector<uint8_t> v(in.begin() + static_cast<std::ptrdiff_t>(at),
                               in.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
        return v;
    };
    for (size_t k = 0; k < count; ++k) {
        ShipgroupSet::Member m;
        m.number = in[at++];
        if (m.number >= mission::kMaxShipgroups || seen[m.number]) return std::nullopt;
        seen[m.number] = true;
        m.record = take(mission::kShipgroupSize);
        m.goalTexts = take(static_cast<size_t>(kGoalTexts) * kText);
        m.orderTexts = take(static_cast<size_t>(kOrderTexts) * kText);
        set.members.push_back(std::move(m));
    }
    return set;
}

std::string shipgroupSummary(const MissionStore& s, int i, const mission::CraftList* crafts) {
    const mission::ShipgroupView r(s, i);
    const auto iffs = iffLabels(s);
    const std::string iff =
        r.iff() < static_cast<int>(iffs.size()) ? iffs[r.iff()] : "IFF " + std::to_string(r.iff());
    std::string team = r.team() < mission::kTeams ? teamName(s, r.team()) : std::string();
    if (team.empty()) team = std::to_string(r.team() + 1);
    std::string craft = crafts ? crafts->name(r.craftType()) : std::string();
    if (craft.empty()) craft = "craft " + std::to_string(r.craftType());
    return std::to_string(i) + " " + r.name() + ": " + std::to_string(r.craftCount()) + " x " +
           craft + ", IFF " + iff + ", team " + team;
}

std::string describeShipgroups(const MissionStore& s, std::span<const int> numbers,
                               const mission::CraftList* crafts) {
    std::string out;
    for (int n : numbers) {
        if (n < 0 || n >= s.shipgroupCount) continue;
        const mission::ShipgroupView r(s, n);
        const mission::Point3 p = r.startPoint(0);
        out += shipgroupSummary(s, n, crafts) + ", start " + km(p.x) + " " + km(p.y) + " " +
               km(p.z) + " km in system " + std::to_string(r.startPointRegion(0) + 1) + "\n";
    }
    return out;
}

PasteOutcome pasteSet(MissionStore& s, const ShipgroupSet& set, const std::string& target) {
    PasteOutcome out;
    const int base = s.shipgroupCount;
    const int n = static_cast<int>(set.members.size());
    if (n == 0 || base < 0 || base + n > kMaxPastedShipgroups) return out;
    const bool home = !set.source.empty() && set.source == target;
    const ReferenceMap map = [&](int number) {
        for (int k = 0; k < n; ++k)
            if (set.members[k].number == number) return base + k;
        if (!home) return kClearReference;
        // After a cut the shipgroups behind each member moved down by one.
        int now = number;
        if (set.cut)
            for (const auto& m : set.members)
                if (m.number < number) --now;
        return now < base ? now : kClearReference;
    };
    for (int k = 0; k < n; ++k) {
        const auto& m = set.members[k];
        const int slot = base + k;
        s.setBytes(Table::Shipgroups, slot, 0, m.record);
        writeTexts(s, Table::ShipgroupGoalStrings, firstGoalText(slot), m.goalTexts);
        writeTexts(s, Table::OrderStrings, firstOrderText(slot), m.orderTexts);
        out.cleared += remapReferences(s, slot, map);
    }
    s.shipgroupCount = base + n;
    out.pasted = true;
    out.first = base;
    out.count = n;
    return out;
}

void removeSet(MissionStore& s, std::span<const int> numbers) {
    std::vector<int> order(numbers.begin(), numbers.end());
    std::sort(order.rbegin(), order.rend());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    for (int d : order) removeShipgroup(s, d);
}

}  // namespace quendar::shipgroup
