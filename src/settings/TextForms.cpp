#include "settings/TextForms.h"

#include "shipgroup/MissionNames.h"

namespace quendar::settings {

using mission::Table;

namespace {
constexpr int kCargoes = 16;
constexpr int kCargoNameLimit = 19;
}  // namespace

CargoesForm::CargoesForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "Special cargoes in the mission") {
    for (int k = 0; k < kCargoes; ++k)
        textEdit("cargo" + std::to_string(k + 1), "", "Special Cargo " + std::to_string(k + 1),
                 textAt(
                     [k] {
                         return ByteRef{Table::SpecialCargo, k, 0};
                     },
                     shipgroup::names::cargoWidth, kCargoNameLimit));
    closeButton("ok", "OK", true);
}

std::string toEditLines(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') continue;
        out += stored[i];
    }
    return out;
}

std::string toStoredLines(std::string_view edited) {
    std::string out;
    out.reserve(edited.size() + edited.size() / 16);
    for (size_t i = 0; i < edited.size(); ++i) {
        if (edited[i] == '\n' && (i == 0 || edited[i - 1] != '\r')) out += '\r';
        out += edited[i];
    }
    return out;
}

LongTextForm::LongTextForm(const shipgroup::ShipgroupContext& ctx, Which which)
    : SettingsForm(ctx, "Introduction / Debriefing / Hint messages"),
      m_table(which == Which::Introduction ? Table::Introduction
              : which == Which::Debriefing ? Table::Debriefing
                                           : Table::Hints) {
    const char* caption = which == Which::Introduction ? "Introduction text"
                          : which == Which::Debriefing ? "Debriefing text"
                                                       : "Hints text";
    label("caption", caption, "");
    m_text = store().text(m_table, 0, 0, mission::kLongTextSize);
    textEdit("text", "", "",
             {[this] { return toEditLines(m_text); },
              [this](const std::string& t) { m_text = toStoredLines(t); }})
        .wide(480)
        .multiLine = true;
    closeButton("ok", "OK", true, [this, stored = m_text] {
        // OK without an edit leaves the field as it is, even a full one;
        // an edited text keeps a zero behind it.
        if (m_text == stored) return;
        store().setText(m_table, 0, 0, mission::kLongTextSize,
                        std::string_view(m_text).substr(0, kLongTextLimit));
    });
}

}  // namespace quendar::settings
