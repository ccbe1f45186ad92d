#pragma once

#include "core/DisplaySettings.h"
#include "core/FormModel.h"
#include "map/MapView.h"

namespace quendar::map {

// The three modal display dialogs of the View menu. Each control writes its
// setting the moment it changes; the only button is OK. When one closes, the
// frame repaints the map and rewrites the preferences file; after Map
// Properties it also calls `MapPropertiesForm::closed()`.

class CoordinatesPropertiesForm : public core::FormModel {
  public:
    explicit CoordinatesPropertiesForm(core::DisplaySettings& settings);
};

class AxisPropertiesForm : public core::FormModel {
  public:
    explicit AxisPropertiesForm(core::DisplaySettings& settings);
};

class MapPropertiesForm : public core::FormModel {
  public:
    MapPropertiesForm(core::DisplaySettings& settings, MapView& view);
    // After the dialog has closed: the map gets a size notification, so the
    // scroll ranges follow the centre mode.
    void closed();

  private:
    MapView& m_view;
};

// Parses the text of an "unsigned number" edit: leading blanks, then digits.
// Returns false (and leaves `value` alone) for text that holds no number;
// numbers above 65535 count as 65535.
bool parseUnsigned(const std::string& text, int& value);

}  // namespace quendar::map
