#include "shipgroup/OptionsForm.h"

#include <algorithm>

#include "mission/CraftList.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/CraftCatalogue.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;

namespace {
const std::string kAccessories = "Optional accessories";
const std::string kShips = "Optional ships";
constexpr int kLines = 10;
constexpr int kLinesRow = 2;  // the row of controls under the ten-line list
}  // namespace

std::vector<int> unpackCodes(const mission::ShipgroupRecord& r, int offset, int width, int codes) {
    std::vector<int> rows;
    for (int k = 0; k < width; ++k) {
        const int code = r.get(offset + k);
        if (code >= 1 && code <= codes &&
            std::find(rows.begin(), rows.end(), code - 1) == rows.end())
            rows.push_back(code - 1);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void packCodes(mission::ShipgroupRecord r, int offset, int width, int codes,
               std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    int k = 0;
    for (int row : rows)
        if (row >= 0 && row < codes && k < width)
            r.set(offset + k++, static_cast<uint8_t>(row + 1));
    for (; k < width; ++k) r.set(offset + k, 0);
}

OptionsForm::OptionsForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Options, "Options") {
    addAccessories("warheads", "Warheads", sg::optionalWarheads, 8, optionalWarheadLabels());
    addAccessories("beams", "Beam weapons", sg::optionalBeams, 6, optionalBeamLabels());
    addAccessories("countermeasures", "Countermeasures", sg::optionalCountermeasures, 3,
                   optionalCountermeasureLabels());

    byteList("mode", "", kShips, fixed(optionalShipModeLabels()), byteAt(sg::optionalShipMode),
             [this](int) { refreshed.notify(); });
    auto userOnly = [this] { return userDefined(); };

    listBox(
        "lines", "", kShips,
        [this] {
            std::vector<std::string> t;
            for (int k = 0; k < kLines; ++k) t.push_back(lineText(k));
            return t;
        },
        m_line, [this](int) { reload(); })
        .at(1)
        .enabledWhen(userOnly);
    // The stored waves are the waves shown less one.
    byteList(
        "waves", "", kShips, [] { return numberLabels(1, 255); },
        byteAt([this] { return sg::optionalShipWaves + m_line; }),
        [this](int) { refreshed.notify(); })
        .at(kLinesRow, 0)
        .enabledWhen(userOnly);
    label("wavesOf", "waves of", kShips).at(kLinesRow, 1);
    byteList(
        "count", "", kShips, [] { return numberLabels(0, 254); },
        byteAt([this] { return sg::optionalShipCount + m_line; }),
        [this](int) { refreshed.notify(); })
        .at(kLinesRow, 2)
        .enabledWhen(userOnly);

    // Choosing a category or a craft writes the craft type of the line at once.
    const auto writeType = [this](int category, int entry) {
        const int code = craftCodeAt(m_ctx.crafts, category, entry);
        if (code < 0) return;
        m_category = category;
        m_entry = entry;
        set(sg::optionalShipType + m_line, code);
        refreshed.notify();
    };
    dropDown("category", "", kShips, [this] { return categoryNames(m_ctx.crafts); },
             {[this] { return m_category; }, [writeType](int v) { writeType(v, 0); }})
        .at(kLinesRow + 1)
        .enabledWhen(userOnly);
    dropDown("craft", "", kShips, [this] { return craftNamesIn(m_ctx.crafts, m_category); },
             {[this] { return m_entry; }, [this, writeType](int v) { writeType(m_category, v); }})
        .at(kLinesRow + 1, 1)
        .enabledWhen(userOnly);
    reload();
}

void OptionsForm::addAccessories(std::string id, std::string label, int offset, int width,
                                 const std::vector<std::string>& labels) {
    const int codes = static_cast<int>(labels.size());
    multiList(
        std::move(id), std::move(label), kAccessories, fixed(labels),
        [this, offset, width, codes] { return unpackCodes(current(), offset, width, codes); },
        [this, offset, width, codes](const std::vector<int>& rows) {
            packCodes(current(), offset, width, codes, rows);
        });
}

bool OptionsForm::userDefined() const {
    return get(sg::optionalShipMode) == kOptionalShipUserDefined;
}

std::string OptionsForm::lineText(int k) const {
    const int type = get(sg::optionalShipType + k);
    std::string category;
    if (m_ctx.crafts) {
        const auto at = m_ctx.crafts->locate(type);
        category = categoryName(m_ctx.crafts, at.category);
    }
    return std::to_string(get(sg::optionalShipWaves + k) + 1) + " wave(s) of " +
           std::to_string(get(sg::optionalShipCount + k)) + " " + category + " class " +
           craftName(m_ctx.crafts, type);
}

void OptionsForm::receive(ShipgroupEvent) { reload(); }

void OptionsForm::reload() {
    const CatalogueSpot spot =
        lookUpCraft(m_ctx.crafts, get(sg::optionalShipType + m_line), m_ctx.prompter);
    m_category = spot.category;
    m_entry = spot.entry;
    refreshed.notify();
}

}  // namespace quendar::shipgroup
