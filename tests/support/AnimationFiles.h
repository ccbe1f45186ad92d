#pragma once

// Reads an exported animation back with the library that wrote it (by the
// name's ending): every frame as the whole picture a viewer shows, with when
// it ends (WebP: milliseconds; GIF: hundredths of a second).
#include <gif_lib.h>
#include <webp/demux.h>

#include <cstring>
#include <vector>

#include "core/Image.h"
#include "mission/FileIO.h"

namespace quendar::testing {

struct ShownFrame {
    core::RgbaImage picture;  // 0xFFRRGGBB
    int end = 0;
};

inline std::vector<ShownFrame> readFrames(const std::string& path) {
    std::vector<ShownFrame> frames;
    int end = 0, error = 0;
    GifFileType* gif = path.ends_with(".gif") ? DGifOpenFileName(path.c_str(), &error) : nullptr;
    if (gif && DGifSlurp(gif) == GIF_OK && gif->SColorMap) {
        core::RgbaImage canvas(gif->SWidth, gif->SHeight, 0xFF000000u);
        for (int i = 0; i < gif->ImageCount; ++i) {
            const GifImageDesc& d = gif->SavedImages[i].ImageDesc;  // in the one palette
            for (int p = 0; p < d.Width * d.Height; ++p) {
                const GifColorType c = gif->SColorMap->Colors[gif->SavedImages[i].RasterBits[p]];
                canvas.set(d.Left + p % d.Width, d.Top + p / d.Width,
                           core::rgb(c.Red, c.Green, c.Blue));
            }
            GraphicsControlBlock gcb{};
            DGifSavedExtensionToGCB(gif, i, &gcb);
            frames.push_back({canvas, end += gcb.DelayTime});
        }
    }
    DGifCloseFile(gif, &error);  // no file: an error code, nothing freed
    if (path.ends_with(".gif")) return frames;
    const auto bytes = mission::readWholeFile(path).value_or(std::vector<uint8_t>{});
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA;  // little-endian 0xAARRGGBB words
    const WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoder* dec = WebPAnimDecoderNew(&data, &options);
    WebPAnimInfo info{};
    if (dec) WebPAnimDecoderGetInfo(dec, &info);
    core::RgbaImage picture(int(info.canvas_width), int(info.canvas_height));
    for (uint8_t* argb = nullptr; dec && WebPAnimDecoderGetNext(dec, &argb, &end);) {
        std::memcpy(picture.pixels.data(), argb, picture.pixels.size() * 4);
        frames.push_back({picture, end});
    }
    WebPAnimDecoderDelete(dec);
    return frames;
}

}  // namespace quendar::testing
