#pragma once

#include "app/FrameLogic.h"

namespace quendar::app {

// Gives the frame the forms the other parts of the program build: each
// modeless form under its key and control-bar command
// (logic.registerForm(form::Basic, cmd::Basic, factory)), each modal menu
// form with the shipgroup event it sends afterwards
// (logic.bindModalForm(32833, factory, kEventIffNames)). The window calls it
// once, after the frame logic exists. Commands whose form is not registered
// stay disabled.
void wireForms(FrameLogic& logic);

}  // namespace quendar::app
