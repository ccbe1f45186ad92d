#include "map/MapDisplayForms.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace quendar::map {

using core::Control;
using core::ControlKind;

namespace {

Control checkBox(std::string id, std::string label, std::string group, int& field) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::CheckBox;
    c.label = std::move(label);
    c.group = std::move(group);
    c.value = [&field] { return field ? 1 : 0; };
    c.setValue = [&field](int v) { field = v ? 1 : 0; };
    return c;
}

Control radio(std::string id, std::string group, std::vector<std::string> items, int& field) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::RadioGroup;
    c.group = std::move(group);
    const int n = static_cast<int>(items.size());
    c.items = [items = std::move(items)] { return items; };
    c.value = [&field, n] { return field >= 0 && field < n ? field : -1; };
    c.setValue = [&field, n](int v) {
        if (v >= 0 && v < n) field = v;
    };
    return c;
}

Control numberEdit(std::string id, std::string label, std::string group, int& field) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::NumberEdit;
    c.label = std::move(label);
    c.group = std::move(group);
    c.maxLength = 5;
    c.minimum = 0;
    c.maximum = 65535;
    c.value = [&field] { return field; };
    c.setValue = [&field](int v) { field = std::clamp(v, 0, 65535); };
    c.text = [&field] { return std::to_string(field); };
    c.setText = [&field](const std::string& t) { parseUnsigned(t, field); };
    return c;
}

Control okButton(std::function<void(bool)> close) {
    Control c;
    c.id = "ok";
    c.kind = ControlKind::Button;
    c.label = "OK";
    c.press = [close = std::move(close)] { close(true); };
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
    const std::vector<std::string> colours{"Blue", "Red", "Green"};
    add(checkBox("horizontalCoordinates", "Horizontal Coordinates", "", s.showHorizontalLabels));
    add(checkBox("verticalCoordinates", "Vertical Coordinates", "", s.showVerticalLabels));
    add(checkBox("intersectCoordinates", "Intersect Coordinates", "", s.showIntersectLabels));
    add(radio("labelColour", "Colour of Horizontal && Vertical Coordinates", colours, s.labelColour));
    add(radio("horizontalPosition", "Position of Horizontal Coordinates", {"Up", "Middle", "Down"},
              s.horizontalLabelPosition));
    add(radio("verticalPosition", "Position of Vertical Coordinates", {"Left", "Middle", "Right"},
              s.verticalLabelPosition));
    add(radio("intersectColour", "Colour of Intersect Coordinates", colours, s.intersectColour));
    add(numberEdit("intersectEvery", "Show Intersect Coordinates at every", "", s.intersectEvery));
    Control unit;
    unit.id = "intersectEveryUnit";
    unit.label = "km      or";
    add(std::move(unit));
    add(checkBox("intersectAuto", "Auto control", "", s.intersectAuto));
    add(okButton([this](bool a) { requestClose(a); }));
}

// The axis-mode radio lists X-Y, Y-Z, X-Z in that order, while the projection
// numbers are X-Y 0, X-Z 1, Y-Z 2. It edits the live projection, so the open
// map changes at once.
AxisPropertiesForm::AxisPropertiesForm(core::DisplaySettings& s)
    : FormModel("Axis properties", true) {
    static constexpr int kProjectionOfItem[3] = {0, 2, 1};
    Control mode;
    mode.id = "axisMode";
    mode.kind = ControlKind::RadioGroup;
    mode.group = "Map Default Axis Mode";
    mode.items = [] { return std::vector<std::string>{"X-Y", "Y-Z", "X-Z"}; };
    mode.value = [&s] {
        for (int i = 0; i < 3; ++i)
            if (kProjectionOfItem[i] == s.projection) return i;
        return -1;
    };
    mode.setValue = [&s](int i) {
        if (i >= 0 && i < 3) s.projection = kProjectionOfItem[i];
    };
    add(std::move(mode));
    add(checkBox("xzShowX", "Show X axis", "X-Z Axis properties", s.xzShowX));
    add(checkBox("xzShowZ", "Show Z axis", "X-Z Axis properties", s.xzShowZ));
    add(checkBox("yzShowY", "Show Y axis", "Y-Z Axis properties", s.yzShowY));
    add(checkBox("yzShowZ", "Show Z axis", "Y-Z Axis properties", s.yzShowZ));
    add(checkBox("showOrigoAxis", "Show Origo Axis", "Origo Axis and its colour", s.showOrigoAxis));
    add(checkBox("showCaption", "Show Caption", "Origo Axis and its colour", s.showAxisCaption));
    add(radio("origoColour", "Origo Axis and its colour", {"Blue", "Yellow"}, s.origoColour));
    add(okButton([this](bool a) { requestClose(a); }));
}

MapPropertiesForm::MapPropertiesForm(core::DisplaySettings& s, MapView& view)
    : FormModel("Map Properties", true), m_view(view) {
    add(radio("mapColour", "Map Colour", {"Blue", "Red", "Green"}, s.mapColour));
    add(radio("briefingMapColour", "Briefing Map Colour", {"Blue", "Red"}, s.briefingMapColour));
    // "At 128,128" is shown disabled and can never be chosen.
    Control centre;
    centre.id = "centreMode";
    centre.kind = ControlKind::RadioGroup;
    centre.group = "Map Center Position";
    centre.items = [] { return std::vector<std::string>{"At 0,0", "At 128,128"}; };
    centre.value = [&view] { return view.centreMode(); };
    centre.setValue = [&view](int v) { view.setCentreMode(v); };
    centre.itemEnabled = [](int i) { return i == 0; };
    add(std::move(centre));
    add(numberEdit("linesEvery", "Lines after every", "", s.linesEvery));
    Control u1;
    u1.id = "linesEveryUnit";
    u1.label = "km       or";
    add(std::move(u1));
    add(checkBox("linesAuto", "Auto control", "", s.linesAuto));
    add(numberEdit("thickEvery", "Thick lines after every", "", s.thickEvery));
    Control u2;
    u2.id = "thickEveryUnit";
    u2.label = "km       or";
    add(std::move(u2));
    add(checkBox("thickAuto", "Auto control", "", s.thickAuto));
    add(numberEdit("thickWidth", "Thick lines are", "", s.thickWidth));
    Control u3;
    u3.id = "thickWidthUnit";
    u3.label = " pixel thick or";
    add(std::move(u3));
    add(checkBox("thickWidthAuto", "Auto control", "", s.thickWidthAuto));
    add(okButton([this](bool a) { requestClose(a); }));
}

void MapPropertiesForm::closed() { m_view.sizeNotification(); }

}  // namespace quendar::map
