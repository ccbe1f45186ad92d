#include "app/frame/SettingsWiring.h"

#include "app/files/MissionChecks.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"
#include "settings/MissionForms.h"
#include "settings/TextForms.h"

namespace quendar::app {

namespace {
// Menu commands of the mission-wide forms.
constexpr int kMissionProperties = 32833, kSystems = 32848, kCargoes = 32838, kValidate = 32835;
constexpr int kGlobalGroups = 32900, kGlobalGoals = 32924, kTeam1 = 32822, kMessages = 32834;
constexpr int kIntroduction = 32820, kDebriefing = 32821, kHints = 32902;
}  // namespace

void wireSettingsForms(FrameLogic& logic, Editor& editor, core::Prompter& prompter,
                       const shipgroup::ShipgroupContext& ctx) {
    using namespace settings;
    auto modal = [&logic, &ctx](int command, auto make, int eventAfter) {
        logic.bindModalForm(
            command,
            [&ctx, make](Editor&) -> std::unique_ptr<core::FormModel> { return make(ctx); },
            eventAfter);
    };
    modal(
        kMissionProperties,
        [](const auto& c) { return std::make_unique<MissionPropertiesForm>(c); }, kEventIffNames);
    modal(
        kSystems, [](const auto& c) { return std::make_unique<SystemsForm>(c); }, 0);
    modal(
        kCargoes, [](const auto& c) { return std::make_unique<CargoesForm>(c); }, kEventAdvanced);
    modal(
        kGlobalGroups, [](const auto& c) { return std::make_unique<GlobalGroupsForm>(c); }, 0);
    modal(
        kGlobalGoals, [](const auto& c) { return std::make_unique<GlobalGoalsForm>(c); }, 0);
    modal(
        kMessages, [](const auto& c) { return std::make_unique<MessagesForm>(c); }, 0);
    for (int k = 0; k < mission::kTeams; ++k) {
        logic.bindModalForm(
            kTeam1 + k,
            [&ctx, k](Editor& e) -> std::unique_ptr<core::FormModel> {
                e.store.currentTeam = k;
                return std::make_unique<TeamsPropertiesForm>(ctx);
            },
            kEventTeamNames);
    }
    using W = LongTextForm::Which;
    const std::pair<int, W> texts[] = {
        {kIntroduction, W::Introduction}, {kDebriefing, W::Debriefing}, {kHints, W::Hints}};
    for (const auto& [command, which] : texts) {
        const W w = which;
        modal(
            command, [w](const auto& c) { return std::make_unique<LongTextForm>(c, w); }, 0);
    }

    auto box = [&editor, &prompter] {
        return std::make_unique<ValidationBox>(
            [&editor, &prompter] { validateMission(editor, prompter); });
    };
    logic.bindModalForm(
        kValidate, [box](Editor&) -> std::unique_ptr<core::FormModel> { return box(); }, 0);
    editor.validationBox = [&logic, box] {
        auto b = box();
        logic.runModal(*b);
        // A save never goes without the checks it asked for.
        b->runChecksOnce();
    };
}

}  // namespace quendar::app
