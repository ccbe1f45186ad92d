#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <functional>

#include "QtTestApp.h"
#include "briefing/StringTableForms.h"
#include "mission/MissionStore.h"
#include "mission/NewMission.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"
#include "settings/MissionForms.h"
#include "settings/TextForms.h"
#include "shipgroup/FormFactory.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"
#include "ui/FormBinder.h"

using namespace quendar;
using mission::Table;

namespace {

// Every table filled with the bytes 0x20..0xFF over and over: every text
// field is full (no zero anywhere) and the long texts hold every byte,
// 0xA0 included.
void fillEveryTable(mission::MissionStore& store) {
    for (int t = 0; t < static_cast<int>(Table::Count); ++t) {
        auto bytes = store.mutableTable(static_cast<Table>(t));
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(0x20 + (i + t) % 0xE0);
    }
    store.shipgroupCount = 2;
    store.messageCount = 2;
}

struct Change {
    int table;
    size_t offset;
};

std::vector<Change> differences(const mission::MissionStore& a, const mission::MissionStore& b) {
    std::vector<Change> out;
    for (int t = 0; t < static_cast<int>(Table::Count); ++t) {
        const auto x = a.table(static_cast<Table>(t)), y = b.table(static_cast<Table>(t));
        for (size_t i = 0; i < x.size(); ++i)
            if (x[i] != y[i]) out.push_back({t, i});
    }
    return out;
}

using Factory = std::function<std::unique_ptr<core::FormModel>(const shipgroup::ShipgroupContext&)>;

struct FormCase {
    const char* name;
    Factory make;
    bool storesWhileTyping;  // false: the edits feed buttons (Add, Modify)
};

template <typename F, typename... A>
Factory settingsForm(A... args) {
    return [=](const shipgroup::ShipgroupContext& c) { return std::make_unique<F>(c, args...); };
}
Factory shipgroupForm(shipgroup::FormKind k) {
    return [k](const shipgroup::ShipgroupContext& c) { return shipgroup::createForm(k, c); };
}
Factory briefingStrings(briefing::StringTable t) {
    return [t](const shipgroup::ShipgroupContext& c) {
        return std::make_unique<briefing::BriefingStringsForm>(c.store, t);
    };
}

std::vector<FormCase> everyForm() {
    using K = shipgroup::FormKind;
    using W = settings::LongTextForm::Which;
    std::vector<FormCase> forms;
    for (K k : {K::Shipgroups, K::ShipgroupsViewcontrol, K::Basic, K::Advanced, K::Arrival,
                K::Departure, K::Orders, K::Waypoints, K::Goals, K::Options})
        forms.push_back({"shipgroup form", shipgroupForm(k), true});
    forms.push_back({"Mission Properties", settingsForm<settings::MissionPropertiesForm>(), true});
    forms.push_back({"Teams Properties", settingsForm<settings::TeamsPropertiesForm>(), true});
    forms.push_back({"Systems", settingsForm<settings::SystemsForm>(), true});
    forms.push_back({"Global groups", settingsForm<settings::GlobalGroupsForm>(), true});
    forms.push_back({"Global Goals", settingsForm<settings::GlobalGoalsForm>(), true});
    forms.push_back({"Messages", settingsForm<settings::MessagesForm>(), true});
    forms.push_back({"Cargoes", settingsForm<settings::CargoesForm>(), true});
    for (W w : {W::Introduction, W::Debriefing, W::Hints})
        forms.push_back({"long text", settingsForm<settings::LongTextForm>(w), true});
    forms.push_back({"Briefing Tags", briefingStrings(briefing::StringTable::Tags), false});
    forms.push_back({"Briefing Texts", briefingStrings(briefing::StringTable::Texts), false});
    return forms;
}

// Replaces the first character of an edit by one typed letter, as the user
// would: select it, press the key.
void typeOverFirst(QWidget* w, char letter) {
    if (auto* le = qobject_cast<QLineEdit*>(w)) {
        le->setSelection(0, 1);
        QTest::keyClick(le, letter);
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
        QTextCursor cur = pe->textCursor();
        cur.setPosition(0);
        cur.setPosition(1, QTextCursor::KeepAnchor);
        pe->setTextCursor(cur);
        QTest::keyClick(pe, letter);
    }
}

QString shownText(QWidget* w) {
    if (auto* le = qobject_cast<QLineEdit*>(w)) return le->text();
    QString t = qobject_cast<QPlainTextEdit*>(w)->document()->toRawText();
    return t.replace(QChar::ParagraphSeparator, u'\n');
}

void closeWithOk(ui::FormDialog& dlg) {
    if (auto* ok = qobject_cast<QPushButton*>(dlg.widgetFor("ok")))
        ok->click();
    else
        dlg.close();
}

}  // namespace

// Opening a form and pressing OK changes no byte, however full or unusual the
// stored texts are; typing one letter into a text changes that text only.
TEST(TextFields, EveryTextOfEveryFormSurvivesOpeningAndChangesOnlyWhereTyped) {
    test::qtApp();
    core::Notifier<core::ShipgroupEvent> events;
    quendar::testing::StubShipgroupPort port;
    quendar::testing::ScriptedPrompter prompter;
    int typedInto = 0;
    for (const FormCase& f : everyForm()) {
        SCOPED_TRACE(f.name);
        mission::MissionStore store;
        mission::resetToNewMission(store);
        fillEveryTable(store);
        const mission::MissionStore before = store;
        const shipgroup::ShipgroupContext ctx{store, events, prompter, port};

        std::vector<std::string> edits;
        {
            auto model = f.make(ctx);
            ui::FormDialog dlg(*model, nullptr);
            for (const core::Control& c : model->controls())
                if (c.kind == core::ControlKind::Edit && c.setText && c.isEnabled() &&
                    c.isVisible())
                    edits.push_back(c.id);
            closeWithOk(dlg);
            QCoreApplication::processEvents();
        }
        const auto opened = differences(before, store);
        EXPECT_TRUE(opened.empty()) << "open + OK changed table " << opened.front().table
                                    << " byte " << opened.front().offset;

        for (const std::string& id : edits) {
            SCOPED_TRACE(id);
            store = before;
            auto model = f.make(ctx);
            ui::FormDialog dlg(*model, nullptr);
            const std::string shown = model->textOf(id);
            if (shown.empty()) continue;  // an edit that shows no stored text (a new name)
            EXPECT_EQ(shownText(dlg.widgetFor(id)), QString::fromLatin1(shown.data(), shown.size()))
                << "the edit does not show the stored text whole";
            const char letter = shown[0] == 'Q' ? 'R' : 'Q';
            typeOverFirst(dlg.widgetFor(id), letter);
            closeWithOk(dlg);
            QCoreApplication::processEvents();
            ++typedInto;

            const auto typed = differences(before, store);
            if (!f.storesWhileTyping) {
                EXPECT_TRUE(typed.empty());
                continue;
            }
            ASSERT_FALSE(typed.empty()) << "the typed letter was not stored";
            const Change first = typed.front();
            EXPECT_EQ(store.table(static_cast<Table>(first.table))[first.offset], letter);
            // Besides the letter only bytes past the field's limit may go
            // (to zero); no other byte of the text may turn into another.
            for (size_t k = 1; k < typed.size(); ++k) {
                const Change c = typed[k];
                ASSERT_EQ(c.table, first.table);
                EXPECT_LT(c.offset - first.offset, shown.size())
                    << "a byte outside the text changed";
                EXPECT_EQ(store.table(static_cast<Table>(c.table))[c.offset], 0)
                    << "byte " << c.offset - first.offset << " of the text changed";
            }
        }
    }
    EXPECT_GT(typedInto, 40);
}
