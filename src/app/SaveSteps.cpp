#include "app/SaveSteps.h"

namespace quendar::app {

void checkBeforeSave(Editor& /*editor*/, core::Prompter& /*prompter*/) {}

void afterBriefingReloaded(Editor& /*editor*/) {}

}  // namespace quendar::app
