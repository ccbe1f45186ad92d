#pragma once

#include <array>
#include <string>

namespace quendar::core {

// The persisted display and working preferences (qd.dat). Each value is held
// as an int and stored as one byte; the order of `kSettingCount` fields below
// is the file's order.
struct DisplaySettings {
    int intersectAuto = 1;
    int showHorizontalLabels = 0;
    int showVerticalLabels = 0;
    int showIntersectLabels = 1;
    int intersectEvery = 4;
    int labelColour = 0;              // 0 blue, 1 red, 2 green
    int intersectColour = 2;          // 0 blue, 1 red, 2 green
    int horizontalLabelPosition = 0;  // 0 up, 1 middle, 2 down
    int verticalLabelPosition = 0;    // 0 left, 1 middle, 2 right
    int thickAuto = 0;
    int linesAuto = 0;
    int thickWidthAuto = 1;
    int briefingMapColour = 0;  // 0 blue, 1 red
    int mapColour = 1;          // 0 blue, 1 red, 2 green
    int thickEvery = 4;
    int thickWidth = 3;
    int linesEvery = 1;
    int xzShowX = 0;
    int xzShowZ = 1;
    int yzShowY = 0;
    int yzShowZ = 1;
    int showOrigoAxis = 1;
    int showAxisCaption = 1;
    int origoColour = 1;  // 0 blue, 1 yellow
    int projection = 0;   // 0 X-Y, 1 X-Z, 2 Y-Z
    int briefingImages = 1;
    int briefingHints = 1;
    int runEccBeforeSave = 1;
    int checkFileNames = 1;

    std::string missionDirectory;  // at most 254 characters

    static constexpr int kSettingCount = 29;
    // The settings in file order, for the reader and writer.
    std::array<int*, kSettingCount> fields() {
        return {&intersectAuto,
                &showHorizontalLabels,
                &showVerticalLabels,
                &showIntersectLabels,
                &intersectEvery,
                &labelColour,
                &intersectColour,
                &horizontalLabelPosition,
                &verticalLabelPosition,
                &thickAuto,
                &linesAuto,
                &thickWidthAuto,
                &briefingMapColour,
                &mapColour,
                &thickEvery,
                &thickWidth,
                &linesEvery,
                &xzShowX,
                &xzShowZ,
                &yzShowY,
                &yzShowZ,
                &showOrigoAxis,
                &showAxisCaption,
                &origoColour,
                &projection,
                &briefingImages,
                &briefingHints,
                &runEccBeforeSave,
                &checkFileNames};
    }
};

}  // namespace quendar::core
