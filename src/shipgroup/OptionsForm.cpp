#include "shipgroup/OptionsForm.h"

#include <algorithm>

#include "mission/CraftList.h"
#include "shipgroup/CodeTables.h"
#include "shipgroup/CraftCatalogue.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;
using core::Control;
using core::ControlKind;

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

    byteList("mode", "", kShips, fixed(optionalShipModeLabels()), sg::optionalShipMode,
             [this](int) { refreshed.notify(); });
    auto userOnly = [this] { return userDefined(); };

    Control lines;
    lines.id = "lines";
    lines.kind = ControlKind::ListBox;
    lines.group = kShips;
    lines.row = 1;
    lines.items = [this] {
        std::vector<std::string> t;
        for (int k = 0; k < kLines; ++k) t.push_back(lineText(k));
        return t;
    };
    lines.value = [this] { return m_line; };
    lines.setValue = [this](int v) {
        if (v < 0 || v >= kLines) return;
        m_line = v;
        reload();
    };
    lines.enabled = userOnly;
    add(std::move(lines));

    auto lineList = [this, userOnly](std::string id, std::string label, int first, int last,
                                     int offset, int column) {
        Control c;
        c.id = std::move(id);
        c.row = kLinesRow;
        c.column = column;
        c.kind = ControlKind::DropDown;
        c.label = std::move(label);
        c.group = kShips;
        c.items = [first, last] { return numberLabels(first, last); };
        c.value = [this, offset, n = last - first + 1] { return shown(get(offset + m_line), n); };
        c.setValue = [this, offset](int v) {
            if (v < 0 || v > 255) return;
            set(offset + m_line, v);
            refreshed.notify();
        };
        c.enabled = userOnly;
        add(std::move(c));
    };
    lineList("waves", "", 1, 255, sg::optionalShipWaves, 0);  // stored value = waves - 1
    staticText("wavesOf", "waves of", kShips).row = kLinesRow;
    find("wavesOf")->column = 1;
    lineList("count", "", 0, 254, sg::optionalShipCount, 2);

    Control cat;
    cat.id = "category";
    cat.kind = ControlKind::DropDown;
    cat.group = kShips;
    cat.row = kLinesRow + 1;
    cat.items = [this] { return categoryNames(m_ctx.crafts); };
    cat.value = [this] { return m_category; };
    cat.setValue = [this](int v) {
        const int code = craftCodeAt(m_ctx.crafts, v, 0);
        if (code < 0) return;
        m_category = v;
        m_entry = 0;
        set(sg::optionalShipType + m_line, code);
        refreshed.notify();
    };
    cat.enabled = userOnly;
    add(std::move(cat));
    Control craft;
    craft.id = "craft";
    craft.kind = ControlKind::DropDown;
    craft.group = kShips;
    craft.row = kLinesRow + 1;
    craft.column = 1;
    craft.items = [this] { return craftNamesIn(m_ctx.crafts, m_category); };
    craft.value = [this] { return m_entry; };
    craft.setValue = [this](int v) {
        const int code = craftCodeAt(m_ctx.crafts, m_category, v);
        if (code < 0) return;
        m_entry = v;
        set(sg::optionalShipType + m_line, code);
        refreshed.notify();
    };
    craft.enabled = userOnly;
    add(std::move(craft));
    reload();
}

void OptionsForm::addAccessories(std::string id, std::string label, int offset, int width,
                                 const std::vector<std::string>& labels) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::MultiList;
    c.label = std::move(label);
    c.group = kAccessories;
    c.items = [&labels] { return labels; };
    const int codes = static_cast<int>(labels.size());
    c.selection = [this, offset, width, codes] {
        return unpackCodes(current(), offset, width, codes);
    };
    c.setSelection = [this, offset, width, codes](const std::vector<int>& rows) {
        packCodes(current(), offset, width, codes, rows);
    };
    add(std::move(c));
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

void OptionsForm::receive(int) { reload(); }

void OptionsForm::reload() {
    const CatalogueSpot spot =
        lookUpCraft(m_ctx.crafts, get(sg::optionalShipType + m_line), m_ctx.prompter);
    m_category = spot.category;
    m_entry = spot.entry;
    refreshed.notify();
}

}  // namespace quendar::shipgroup
