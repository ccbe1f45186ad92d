#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/editor/Editor.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"
#include "ui/CMainFrame.h"
#include "ui/FormBinder.h"

namespace quendar::test {

// The whole window on the offscreen platform, in a working folder of its own
// (named after the test and the process, removed when the test ends), with a
// scripted prompter and file chooser. A test writes qd.dat when start-up must
// skip the first-run forms, makes the frame, sets its hooks, then starts it.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest();
    void SetUp() override;
    void TearDown() override;

    // qd.dat with the default settings, changed first by `edit`.
    void writePreferences(const std::function<void(core::DisplaySettings&)>& edit = {});
    // The frame on `editor`, made but not started: hooks go in between.
    ui::CMainFrame& makeFrame(const std::function<void(ui::FrameOptions&)>& edit = {});
    // A second session: the frame closed and a fresh editor in place of the first.
    void restart();

    // A copy of the bundled sample mission in the working folder.
    std::string copySample(const std::string& name);
    // A new mission, changed first by `fill`, written by the editor's own writer.
    std::string writeMission(const std::string& name,
                             const std::function<void(app::Editor&)>& fill = {});
    // The same with three shipgroups: "Red Lancers", "Ore Hauler", "Picket Station".
    std::string writeSampleMission(const std::string& name);

    // Runs a command as its menu item would; false when it is missing or disabled.
    bool trigger(app::CommandId id);
    // The same where the command must be there and enabled.
    void run(app::CommandId id) { ASSERT_TRUE(trigger(id)) << app::idNumber(id); }

    // A form's widget of the given type, by the control's id.
    template <typename W>
    static W* widget(ui::FormDialog& d, const char* id) {
        auto* w = qobject_cast<W*>(d.widgetFor(id));
        EXPECT_NE(w, nullptr) << id;
        return w;
    }
    // Typing into an edit and picking from a list, as the user's own hand would.
    static void type(ui::FormDialog& d, const char* id, const QString& text) {
        auto* le = widget<QLineEdit>(d, id);
        le->setText(text);
        Q_EMIT le->textEdited(text);
    }
    static void choose(ui::FormDialog& d, const char* id, int index) {
        auto* cb = widget<QComboBox>(d, id);
        cb->setCurrentIndex(index);
        Q_EMIT cb->activated(index);
    }

  private:
    quendar::testing::TempDir m_temp;
    std::optional<app::Editor> m_session;
    std::filesystem::path m_previous;

  protected:
    app::Editor& editor;
    quendar::testing::ScriptedPrompter prompter;
    quendar::testing::ScriptedChooser chooser;
    std::unique_ptr<ui::CMainFrame> frame;
    const std::filesystem::path m_dir;
};

}  // namespace quendar::test
