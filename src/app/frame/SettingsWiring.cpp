#include "app/frame/SettingsWiring.h"

#include "app/files/MissionChecks.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"
#include "settings/MissionForms.h"
#include "settings/TextForms.h"

namespace quendar::app {

void wireSettingsForms(FrameLogic& logic, core::Prompter& prompter,
                       const shipgroup::ShipgroupContext& ctx) {
    using namespace settings;
    auto modal = [&logic, &ctx](CommandId command, auto make,
                                std::optional<ShipgroupEvent> eventAfter) {
        logic.bindModalForm(
            command,
            [&ctx, make](Editor&) -> std::unique_ptr<core::FormModel> { return make(ctx); },
            eventAfter);
    };
    modal(
        cmd::MissionProperties,
        [](const auto& c) { return std::make_unique<MissionPropertiesForm>(c); },
        ShipgroupEvent::IffNames);
    modal(
        cmd::Systems, [](const auto& c) { return std::make_unique<SystemsForm>(c); }, std::nullopt);
    modal(
        cmd::Cargoes, [](const auto& c) { return std::make_unique<CargoesForm>(c); },
        ShipgroupEvent::Advanced);
    modal(
        cmd::GlobalGroups, [](const auto& c) { return std::make_unique<GlobalGroupsForm>(c); },
        std::nullopt);
    modal(
        cmd::GlobalGoals, [](const auto& c) { return std::make_unique<GlobalGoalsForm>(c); },
        std::nullopt);
    modal(
        cmd::Messages, [](const auto& c) { return std::make_unique<MessagesForm>(c); },
        std::nullopt);
    for (int k = 0; k < mission::kTeams; ++k) {
        logic.bindModalForm(
            kTeamCommands[k],
            [&ctx, k](Editor& e) -> std::unique_ptr<core::FormModel> {
                e.store.currentTeam = k;
                return std::make_unique<TeamsPropertiesForm>(ctx);
            },
            ShipgroupEvent::TeamNames);
    }
    using W = LongTextForm::Which;
    const std::pair<CommandId, W> texts[] = {{cmd::Introduction, W::Introduction},
                                             {cmd::Debriefing, W::Debriefing},
                                             {cmd::Hints, W::Hints}};
    for (const auto& [command, which] : texts) {
        const W w = which;
        modal(
            command, [w](const auto& c) { return std::make_unique<LongTextForm>(c, w); },
            std::nullopt);
    }

    logic.bindModalForm(cmd::Validate, [&prompter](Editor& e) -> std::unique_ptr<core::FormModel> {
        return std::make_unique<ValidationBox>([&e, &prompter] { validateMission(e, prompter); });
    });
}

void BoxedChecks::runChecks() {
    ValidationBox box([this] { validateMission(m_editor, m_prompter); });
    m_logic.runModal(box);
    // A save never goes without the checks it asked for.
    box.runChecksOnce();
}

}  // namespace quendar::app
