#pragma once

#include <cstddef>  // Image.h uses size_t

#include "core/Image.h"

namespace quendar::map {

// The two pictures the briefing shows over the map, 512 × 288 pixels, drawn
// by the program itself: the "technical data" screen (a schematic on a
// blueprint grid) and the "changing region" screen (streaks of a jump). The
// window loads them after the icon file has loaded and hands them to
// MapRenderer::setBriefingPictures.
inline constexpr int kBriefingPictureWidth = 512;
inline constexpr int kBriefingPictureHeight = 288;

core::RgbaImage technicalDataPicture();
core::RgbaImage regionChangePicture();

}  // namespace quendar::map
