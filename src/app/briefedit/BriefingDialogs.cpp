#include "app/briefedit/BriefingDialogs.h"

#include "briefing/BriefingForms.h"
#include "briefing/StringTableForms.h"
#include "shipgroup/MissionNames.h"

namespace quendar::app {

using namespace briefing;

BriefingDialogs::BriefingDialogs(Editor& editor, CommandTable& commands, FrameView& view,
                                 MapPort& map, BriefingTimeListener& logic,
                                 core::Prompter& prompter)
    : m_editor(editor), m_view(view), m_map(map), m_logic(logic), m_prompter(prompter) {
    // Each form acts the moment a control changes; what it changes while it
    // is open is one action, which Edit → Undo takes back as a whole.
    commands.bind(cmd::BriefingLength, [this] {
        BriefingLengthForm form(m_editor.briefing);
        {
            core::ActionScope scope(m_editor.journal, BriefingLengthForm::kActionName);
            m_view.runModal(form);  // the form lowers the length mark as it closes
        }
        afterTimesChanged();
    });
    commands.bind(cmd::DeleteCommands, [this] {
        DeleteCommandsForm form(m_editor.briefing, m_prompter);
        {
            core::ActionScope scope(m_editor.journal, DeleteCommandsForm::kActionName);
            m_view.runModal(form);
        }
        afterTimesChanged();
    });
    commands.bind(cmd::BriefingWizard, [this] {
        BriefingWizardForm form(m_editor.briefing);
        {
            core::ActionScope scope(m_editor.journal, BriefingWizardForm::kActionName);
            m_view.runModal(form);
        }
        afterTimesChanged();
    });
    commands.bind(
        cmd::AssignTeams,
        [this] {
            AssignTeamsForm form(m_editor.briefing, [this] {
                std::vector<std::string> names;
                for (int t = 0; t < kTeamFlagCount; ++t)
                    names.push_back(shipgroup::teamName(m_editor.store, t));
                return names;
            });
            core::ActionScope scope(m_editor.journal, AssignTeamsForm::kActionName);
            m_view.runModal(form);
        },
        [this] { return m_map.briefingMode(); });
    commands.bind(cmd::BriefingTags, [this] {
        BriefingStringsForm form(m_editor.store, StringTable::Tags);
        {
            core::ActionScope scope(m_editor.journal, "Briefing tags");
            m_view.runModal(form);
        }
        m_view.repaintMap();  // tags on the map may read differently now
    });
    commands.bind(cmd::BriefingTexts, [this] {
        BriefingStringsForm form(m_editor.store, StringTable::Texts);
        {
            core::ActionScope scope(m_editor.journal, "Briefing texts");
            m_view.runModal(form);
        }
        m_view.repaintMap();
    });
}

void BriefingDialogs::afterTimesChanged() {
    m_logic.refreshBriefingTime();
    if (m_map.briefingMode()) m_map.applyBriefingView();
    m_view.repaintMap();
}

}  // namespace quendar::app
