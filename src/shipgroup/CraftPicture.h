#pragma once

#include "core/Image.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::shipgroup {

constexpr int kPictureWidth = 118;
constexpr int kPictureHeight = 74;

// The picture of the Basic form's "Type" box, 118 x 74 pixels. A craft is its
// map icon enlarged to fit the frame (when the program has icons), otherwise a
// silhouette drawn from its type number. A backdrop (type 183) is its picture
// number drawn as a 50 x 50 sphere 32 pixels right of and 20 below the corner.
core::RgbaImage craftPicture(const ShipgroupContext& ctx, int craftType, int backdrop);

// The icon scaled by a whole factor to fit the frame, centred, on the frame's
// background; black (empty) icon pixels stay background.
core::RgbaImage enlargeIcon(const core::RgbaImage& icon);

}  // namespace quendar::shipgroup
