#include "map/MapDisplayForms.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace quendar::map {

using core::Control;
using core::ControlKind;

namespace {

// A count of kilometres or pixels: a whole number up to 65535.
Control& countEdit(Control& c, int& field) {
    c.maxLength = 5;
    c.minimum = 0;
    c.maximum = 65535;
    c.value = [&field] { return field; };
    c.setValue = [&field](int v) { field = std::clamp(v, 0, 65535); };
    c.text = [&field] { return std::to_string(field); };
    c.setText = [&field](const std::string& t) { parseUnsigned(t, field); };
    return c;
}

}  // namespace

bool parseUnsigned(const std::string& text, int& value) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = std::min<long long>(v * 10 + (text[i] - '0'), 65535);
    value = static_cast<int>(v);
    return true;
}

CoordinatesPropertiesForm::CoordinatesPropertiesForm(core::DisplaySettings& s)
    : FormModel("Coordinates Properties", true) {
    const auto colours = fixed({"Blue", "Red", "Green"});
    checkBox("horizontalCoordinates", "Horizontal Coordinates", "", s.showHorizontalLabels);
    checkBox("verticalCoordinates", "Vertical Coordinates", "", s.showVerticalLabels);
    checkBox("intersectCoordinates", "Intersect Coordinates", "", s.showIntersectLabels);
    radioGroup("labelColour", "", "Colour of Horizontal && Vertical Coordinates", colours,
               s.labelColour);
    radioGroup("horizontalPosition", "", "Position of Horizontal Coordinates",
               fixed({"Up", "Middle", "Down"}), s.horizontalLabelPosition);
    radioGroup("verticalPosition", "", "Position of Vertical Coordinates",
               fixed({"Left", "Middle", "Right"}), s.verticalLabelPosition);
    radioGroup("intersectColour", "", "Colour of Intersect Coordinates", colours,
               s.intersectColour);
    countEdit(control(ControlKind::NumberEdit, "intersectEvery",
                      "Show Intersect Coordinates at every", ""),
              s.intersectEvery);
    label("intersectEveryUnit", "km      or", "");
    checkBox("intersectAuto", "Auto control", "", s.intersectAuto);
    closeButton("ok", "OK", true);
}

// The axis-mode radio lists X-Y, Y-Z, X-Z in that order, while the projection
// numbers are X-Y 0, X-Z 1, Y-Z 2. It edits the live projection, so the open
// map changes at once.
AxisPropertiesForm::AxisPropertiesForm(core::DisplaySettings& s)
    : FormModel("Axis properties", true) {
    static constexpr int kProjectionOfItem[3] = {0, 2, 1};
    radioGroup("axisMode", "", "Map Default Axis Mode", fixed({"X-Y", "Y-Z", "X-Z"}),
               {[&s] {
                    for (int i = 0; i < 3; ++i)
                        if (kProjectionOfItem[i] == s.projection) return i;
                    return -1;
                },
                [&s](int i) {
                    if (i >= 0 && i < 3) s.projection = kProjectionOfItem[i];
                }});
    const std::string xz = "X-Z Axis properties", yz = "Y-Z Axis properties";
    const std::string origo = "Origo Axis and its colour";
    checkBox("xzShowX", "Show X axis", xz, s.xzShowX);
    checkBox("xzShowZ", "Show Z axis", xz, s.xzShowZ);
    checkBox("yzShowY", "Show Y axis", yz, s.yzShowY);
    checkBox("yzShowZ", "Show Z axis", yz, s.yzShowZ);
    checkBox("showOrigoAxis", "Show Origo Axis", origo, s.showOrigoAxis);
    checkBox("showCaption", "Show Caption", origo, s.showAxisCaption);
    radioGroup("origoColour", "", origo, fixed({"Blue", "Yellow"}), s.origoColour);
    closeButton("ok", "OK", true);
}

MapPropertiesForm::MapPropertiesForm(core::DisplaySettings& s, MapView& view)
    : FormModel("Map Properties", true), m_view(view) {
    radioGroup("mapColour", "", "Map Colour", fixed({"Blue", "Red", "Green"}), s.mapColour);
    radioGroup("briefingMapColour", "", "Briefing Map Colour", fixed({"Blue", "Red"}),
               s.briefingMapColour);
    // "At 128,128" is shown disabled and can never be chosen.
    radioGroup("centreMode", "", "Map Center Position", fixed({"At 0,0", "At 128,128"}),
               {[&view] { return view.centreMode(); }, [&view](int v) { view.setCentreMode(v); }})
        .itemEnabled = [](int i) { return i == 0; };
    countEdit(control(ControlKind::NumberEdit, "linesEvery", "Lines after every", ""),
              s.linesEvery);
    label("linesEveryUnit", "km       or", "");
    checkBox("linesAuto", "Auto control", "", s.linesAuto);
    countEdit(control(ControlKind::NumberEdit, "thickEvery", "Thick lines after every", ""),
              s.thickEvery);
    label("thickEveryUnit", "km       or", "");
    checkBox("thickAuto", "Auto control", "", s.thickAuto);
    countEdit(control(ControlKind::NumberEdit, "thickWidth", "Thick lines are", ""), s.thickWidth);
    label("thickWidthUnit", " pixel thick or", "");
    checkBox("thickWidthAuto", "Auto control", "", s.thickWidthAuto);
    closeButton("ok", "OK", true);
}

void MapPropertiesForm::closed() { m_view.sizeNotification(); }

}  // namespace quendar::map
