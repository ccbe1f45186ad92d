#include <gtest/gtest.h>

#include "SettingsFixture.h"
#include "settings/MessagesForm.h"

namespace quendar::settings::test {
namespace {

TEST(MessagesForm, TextAndNoteAreStoredOnlyWhenLeavingTheMessage) {
    SettingsFixture f;
    f.store.messageCount = 2;
    {
        MessagesForm form(f.ctx);
        EXPECT_EQ(form.title(), "In-flight messages");
        form.type("text", std::string(70, 'm'));
        form.type("note", "for the tester");
        EXPECT_EQ(f.at(Table::Messages, 0, 2), 0) << "nothing before leaving";
        form.click("next");
        EXPECT_EQ(form.textOf("number"), "2");
        EXPECT_EQ(f.store.text(Table::Messages, 0, 2, 64), std::string(63, 'm'));
        EXPECT_EQ(f.at(Table::Messages, 0, 65), 0);
        EXPECT_EQ(f.store.text(Table::MessageNotes, 0, 0, 100), "for the tester");
        form.click("next");  // already the last
        EXPECT_EQ(form.current(), 1);
        form.type("text", "Hold the line");
        form.click("ok");
        EXPECT_TRUE(form.accepted);
        EXPECT_EQ(f.store.text(Table::Messages, 1, 2, 64), "Hold the line");
    }
    {
        // Closed without OK: what was typed is not stored.
        MessagesForm form(f.ctx);
        form.click("previous");  // already the first
        EXPECT_EQ(form.current(), 0);
        EXPECT_EQ(form.textOf("text"), std::string(63, 'm'));
        form.type("text", "dropped");
    }
    EXPECT_EQ(f.store.text(Table::Messages, 0, 2, 64), std::string(63, 'm'));
}

TEST(MessagesForm, RecordBytesOfListsJoinsTeamsDelayAndColour) {
    SettingsFixture f;
    f.store.messageCount = 1;
    MessagesForm form(f.ctx);
    chooseAll(form, {{"t3.condition", 2},
                     {"t3.subjectType", 1},
                     {"t3.subject", 4},
                     {"t3.amount", 9},
                     {"t4.param1", 3},
                     {"t4.param2", 20}});
    f.expectBytes(Table::Messages, 0,
                  {{108, 2}, {109, 1}, {110, 4}, {111, 9}, {118, 3}, {119, 20}});
    chooseAll(form, {{"t1.amount", 17}, {"t2.condition", 47}});
    f.expectBytes(Table::Messages, 0, {{95, 17}, {98, 47}});
    chooseAll(form, {{"join12", 1}, {"join34", 1}, {"joinConditions", 1}});
    f.expectBytes(Table::Messages, 0, {{106, 1}, {122, 1}, {124, 1}});
    form.type("minutes", "75");
    form.type("seconds", "x");
    EXPECT_EQ(f.at(Table::Messages, 0, 141), 75);
    EXPECT_EQ(f.at(Table::Messages, 0, 140), 0);
    form.choose("colour", 5);
    EXPECT_EQ(f.at(Table::Messages, 0, 142), 5);
    EXPECT_EQ(form.itemsOf("colour")[0], "Green - Rebel");
    EXPECT_EQ(form.itemsOf("colour")[1], "Red - Imperial");
    EXPECT_EQ(form.itemsOf("t1.subjectType")[23], "Unknown - 23");
    EXPECT_EQ(form.itemsOf("t1.subjectType")[8], "Global group");
    EXPECT_EQ(form.itemsOf("t1.param2")[0], "Parameter  - None");

    // A new message goes to team 1; clicking team 3 twice leaves byte 84.
    EXPECT_EQ(form.valueOf("team1"), 1);
    const int before = f.at(Table::Messages, 0, 84);
    form.choose("team3", 1);
    EXPECT_EQ(f.at(Table::Messages, 0, 84), before == 1 ? 0 : 1);
    form.choose("team3", 0);
    EXPECT_EQ(f.at(Table::Messages, 0, 84), before);
    form.choose("team8", 1);
    EXPECT_EQ(f.at(Table::Messages, 0, 89), 1);

    // A subject type change keeps the stored subject; the list shows none.
    form.choose("t1.subjectType", 1);
    form.choose("t1.subject", 0);
    f.store.setByte(Table::Messages, 0, 94, 3);
    form.choose("t1.subjectType", 5);
    EXPECT_EQ(f.at(Table::Messages, 0, 94), 3);
    EXPECT_EQ(form.valueOf("t1.subject"), -1);
    EXPECT_EQ(form.itemsOf("t1.subject").size(), 6u);
}

TEST(MessagesForm, AddAndDeleteActOnTheLastMessage) {
    SettingsFixture f;
    {
        // No messages: the form still edits record 0.
        MessagesForm form(f.ctx);
        EXPECT_EQ(form.textOf("number"), "1");
        EXPECT_EQ(form.textOf("count"), "0");
        form.choose("t1.condition", 2);
        EXPECT_EQ(f.at(Table::Messages, 0, 92), 2);
        form.click("next");
        EXPECT_EQ(form.current(), 0);
        form.click("delete");
        EXPECT_EQ(f.store.messageCount, 0);
        form.click("add");
        form.click("add");
        form.click("add");
        EXPECT_EQ(form.textOf("count"), "3");
        EXPECT_EQ(f.at(Table::Messages, 2, 0), 2) << "the record's own number";
    }
    f.store.setText(Table::Messages, 2, 2, 64, "third");
    MessagesForm form(f.ctx);
    form.click("delete");
    EXPECT_EQ(f.store.messageCount, 2);
    EXPECT_EQ(form.textOf("number"), "1");
    EXPECT_EQ(form.textOf("count"), "2");
    // Added again, the slot keeps what it held.
    form.click("add");
    EXPECT_EQ(f.store.text(Table::Messages, 2, 2, 64), "third");

    f.store.messageCount = 254;
    form.click("add");
    EXPECT_EQ(f.store.messageCount, 255);
    form.click("add");
    EXPECT_EQ(f.store.messageCount, 255);
}

TEST(MessagesForm, MessagesPastThe64thHaveNoNote) {
    SettingsFixture f;
    f.store.messageCount = 66;
    f.store.setText(Table::NotesC, 0, 0, 100, "untouched");
    MessagesForm form(f.ctx);
    for (int i = 0; i < 63; ++i) form.click("next");
    EXPECT_TRUE(form.find("note")->isEnabled());
    EXPECT_FALSE(form.find("noNote")->isVisible());
    form.type("note", "last note");
    form.click("next");
    EXPECT_EQ(f.store.text(Table::MessageNotes, 63, 0, 100), "last note");
    EXPECT_EQ(form.current(), 64);
    EXPECT_FALSE(form.find("note")->isEnabled());
    EXPECT_TRUE(form.find("noNote")->isVisible());
    EXPECT_EQ(form.textOf("note"), "");
    form.type("text", "sixty-five");
    form.click("next");
    EXPECT_EQ(f.store.text(Table::Messages, 64, 2, 64), "sixty-five");
    EXPECT_EQ(f.store.text(Table::NotesC, 0, 0, 100), "untouched");
}

}  // namespace
}  // namespace quendar::settings::test
