#include "app/editor/Tools.h"

#include <ostream>

namespace quendar::app {

int CurrentTool::code() const {
    if (auto t = mapTool()) return static_cast<int>(*t);
    if (auto t = briefingTool()) return static_cast<int>(*t);
    return 0;
}

std::ostream& operator<<(std::ostream& out, const CurrentTool& tool) { return out << tool.code(); }

}  // namespace quendar::app
