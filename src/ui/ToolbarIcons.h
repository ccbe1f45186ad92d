#pragma once

#include <QIcon>

#include "app/editor/CommandIds.h"

namespace quendar::ui {

// The toolbar pictures, drawn in code: one small glyph per command, sized for
// a button of w × h pixels (drawn at twice the size for sharp screens).
QIcon toolbarIcon(app::CommandId commandId, int width, int height);

// The same picture drawn at once; toolbarIcon() draws it when it is first shown.
QIcon drawToolbarIcon(app::CommandId commandId, int width, int height);

}  // namespace quendar::ui
