#pragma once

#include <vector>

#include "core/Image.h"

namespace quendar::map {

// The pixels of an image that are not transparent, as runs of columns per
// row, worked out once for an image drawn many times (the map's icons): the
// image is then drawn by copying the runs, without looking at the holes.
// Only images whose pixels are all opaque or fully transparent have runs;
// `rowStart` is empty for any other image.
struct ImageRuns {
    struct Run {
        int from = 0, to = 0;  // columns from..to-1
    };
    std::vector<int> rowStart;  // runs of row r: runs[rowStart[r]] .. runs[rowStart[r + 1] - 1]
    std::vector<Run> runs;
    bool empty() const { return rowStart.empty(); }
};

ImageRuns findImageRuns(const core::RgbaImage& image);

}  // namespace quendar::map
