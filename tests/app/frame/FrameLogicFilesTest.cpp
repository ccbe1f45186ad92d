// The ways out of a mission and back to its file: Exit, a dropped path,
// unsaved changes and a file changed on disk behind the editor's back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "FrameLogicFixture.h"
#include "mission/FileIO.h"

using namespace quendar;
using namespace quendar::app;
using namespace quendar::app::test;

TEST(FrameLogic, ExitAsksAndDroppedPathsConfirmFirst) {
    Fixture f;
    f.commands.execute(cmd::Exit);
    EXPECT_TRUE(f.view.closed) << "the window's close request asks";
    f.prompter.answers = {core::Answer::Cancel};
    EXPECT_FALSE(f.logic.confirmClose());
    EXPECT_EQ(f.prompter.shown.back().caption, "Exit");
    EXPECT_EQ(f.prompter.shown.back().icon, core::Icon::Question);

    std::vector<std::string> opened;
    quendar::testing::StubFrameServices s = f.services();
    s.fn.openMissionPath = [&](const std::string& p) {
        opened.push_back(p);
        return true;
    };
    s.fn.windowTitle = [] { return std::string("Quendar - dropped.tie"); };
    FrameLogic logic(f.editor, f.commands, f.view, f.map, f.prompter, s);
    f.prompter.answers = {core::Answer::Cancel};
    EXPECT_FALSE(logic.openPath("dropped.tie", true));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(f.prompter.shown.back().caption, "Discard last mission");
    EXPECT_TRUE(logic.openPath("dropped.tie", true));
    EXPECT_EQ(opened, std::vector<std::string>{"dropped.tie"});
    EXPECT_EQ(f.view.title, "Quendar - dropped.tie");
}

// Every way out of a mission with unsaved changes asks the three-way
// question; Save goes on only when it wrote the file. Without changes the
// questions are the old ones (none for Open).
TEST(FrameLogic, UnsavedChangesAreAskedAboutOnEveryWayOut) {
    enum Way { New, Open, Recent, Dropped, Exit, Close };
    using core::Answer;
    struct Row {
        Way way;
        bool modified;
        Answer answer;
        bool saveWorks;
        bool goesOn;
        const char* caption;  // of the question; nullptr: none asked
    };
    const Row rows[] = {
        {New, true, Answer::Save, true, true, "Discard last mission"},
        {New, true, Answer::Save, false, false, "Discard last mission"},
        {New, true, Answer::Discard, true, true, "Discard last mission"},
        {New, true, Answer::Cancel, true, false, "Discard last mission"},
        {Open, true, Answer::Save, true, true, "Discard last mission"},
        {Open, true, Answer::Save, false, false, "Discard last mission"},
        {Open, true, Answer::Discard, true, true, "Discard last mission"},
        {Open, true, Answer::Cancel, true, false, "Discard last mission"},
        {Recent, true, Answer::Save, false, false, "Discard last mission"},
        {Recent, true, Answer::Discard, true, true, "Discard last mission"},
        {Dropped, true, Answer::Save, true, true, "Discard last mission"},
        {Dropped, true, Answer::Cancel, true, false, "Discard last mission"},
        {Exit, true, Answer::Save, true, true, "Exit"},
        {Exit, true, Answer::Save, false, false, "Exit"},
        {Exit, true, Answer::Discard, true, true, "Exit"},
        {Close, true, Answer::Cancel, true, false, "Exit"},
        // Without "*": the questions of old.
        {New, false, Answer::Ok, true, true, "Discard last mission"},
        {New, false, Answer::Cancel, true, false, "Discard last mission"},
        {Open, false, Answer::Ok, true, true, nullptr},
        {Dropped, false, Answer::Cancel, true, false, "Discard last mission"},
        {Exit, false, Answer::Ok, true, true, "Exit"},
        {Close, false, Answer::Cancel, true, false, "Exit"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "way " << row.way << " modified " << row.modified << " answer "
                     << static_cast<int>(row.answer) << " save works " << row.saveWorks);
        Fixture f;
        int saves = 0, replaced = 0;
        quendar::testing::StubFrameServices s = f.services();
        s.fn.saveMission = [&] {
            ++saves;
            if (row.saveWorks) f.editor.journal.markSaved();
            return row.saveWorks;
        };
        s.fn.newMission = [&](bool) { return ++replaced, true; };
        s.fn.openMission = [&] { return ++replaced, true; };
        s.fn.openMissionPath = [&](const std::string&) { return ++replaced, true; };
        s.fn.windowTitle = [&] { return windowTitle(f.editor); };
        FrameLogic logic(f.editor, f.commands, f.view, f.map, f.prompter, s);
        f.editor.store.missionPath = "/m/raid.tie";
        if (row.modified) {
            core::ActionScope a(&f.editor.journal, "Edit");
            f.editor.store.setByte(mission::Table::Shipgroups, 0, 0, 'Q');
        }
        f.prompter.answers = {row.answer};
        f.view.panes[Pane::Message] = "Pasted 3 shipgroups.";
        bool wentOn = false;
        switch (row.way) {
            case New:
                f.commands.execute(cmd::New);
                wentOn = replaced == 1;
                break;
            case Open:
                f.commands.execute(cmd::Open);
                wentOn = replaced == 1;
                break;
            case Recent:
            case Dropped: wentOn = logic.openPath("/m/other.tie", true); break;
            case Exit:
                f.commands.execute(cmd::Exit);
                ASSERT_TRUE(f.view.closed);
                wentOn = logic.confirmClose();
                break;
            case Close: wentOn = logic.confirmClose(); break;
        }
        EXPECT_EQ(wentOn, row.goesOn);
        // The last mission's message goes with it; a mission kept keeps it.
        if (row.way != Exit && row.way != Close) {
            EXPECT_EQ(f.view.panes[Pane::Message].empty(), wentOn);
        }
        EXPECT_EQ(saves, row.answer == Answer::Save ? 1 : 0);
        if (!row.caption) {
            EXPECT_TRUE(f.prompter.shown.empty());
            continue;
        }
        ASSERT_EQ(f.prompter.shown.size(), 1u);
        const auto& q = f.prompter.shown[0];
        EXPECT_EQ(q.caption, row.caption);
        if (row.modified) {
            EXPECT_EQ(q.text, "Save changes to raid.tie before closing?");
            EXPECT_EQ(q.buttons, core::Buttons::SaveDiscardCancel);
        } else {
            EXPECT_EQ(q.text, "Are you sure?");
            EXPECT_EQ(q.buttons, core::Buttons::OkCancel);
        }
    }
}

TEST(FrameLogic, AFileChangedOnDiskIsToldOnceWhenTheWindowIsActivated) {
    Fixture f;
    const std::string path =
        ::testing::TempDir() + "/quendar-focus-" + std::to_string(::getpid()) + ".tie";
    ASSERT_TRUE(mission::writeFileAtomic(path, std::vector<uint8_t>{1, 2}));
    f.editor.store.missionPath = path;
    f.editor.diskFile = Editor::DiskFile{path, *mission::identityOf(path)};
    f.logic.windowActivated();
    EXPECT_TRUE(f.view.panes[Pane::Message].empty()) << "unchanged";
    ASSERT_TRUE(mission::writeFileAtomic(path, std::vector<uint8_t>{1, 2, 3}));
    f.logic.windowActivated();
    const std::string name = path.substr(path.rfind('/') + 1);
    EXPECT_EQ(f.view.panes[Pane::Message], name + " changed on disk");
    f.view.panes[Pane::Message].clear();
    f.logic.windowActivated();
    EXPECT_TRUE(f.view.panes[Pane::Message].empty()) << "once";
    std::remove(path.c_str());
}
