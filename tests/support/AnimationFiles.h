#pragma once

// Reads exported animations back with the same libraries that wrote them:
// every frame as the whole picture a viewer shows, with when it ends.
#include <gif_lib.h>
#include <webp/demux.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/Image.h"
#include "mission/FileIO.h"

namespace quendar::testing {

struct ShownFrame {
    core::RgbaImage picture;  // 0xFFRRGGBB
    int endMs = 0;            // WebP: milliseconds; GIF: hundredths of a second
};

inline std::vector<ShownFrame> readWebp(const std::string& path) {
    std::vector<ShownFrame> frames;
    const auto bytes = mission::readWholeFile(path);
    if (!bytes) return frames;
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA;  // little-endian 0xAARRGGBB words
    const WebPData data{bytes->data(), bytes->size()};
    WebPAnimDecoder* dec = WebPAnimDecoderNew(&data, &options);
    if (!dec) return frames;
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(dec, &info);
    uint8_t* rgba = nullptr;
    for (int end = 0; WebPAnimDecoderGetNext(dec, &rgba, &end);) {
        frames.push_back({core::RgbaImage(int(info.canvas_width), int(info.canvas_height)), end});
        std::memcpy(frames.back().picture.pixels.data(), rgba,
                    frames.back().picture.pixels.size() * 4);
    }
    WebPAnimDecoderDelete(dec);
    return frames;
}

inline std::vector<ShownFrame> readGif(const std::string& path) {
    std::vector<ShownFrame> frames;
    int err = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &err);
    if (!gif) return frames;
    if (DGifSlurp(gif) == GIF_OK && gif->SColorMap) {
        core::RgbaImage canvas(gif->SWidth, gif->SHeight, 0xFF000000u);
        int end = 0;
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            const GifImageDesc& d = image.ImageDesc;  // in the one palette
            for (int y = 0; y < d.Height; ++y)
                for (int x = 0; x < d.Width; ++x) {
                    const GifColorType c =
                        gif->SColorMap->Colors[image.RasterBits[y * d.Width + x]];
                    canvas.set(d.Left + x, d.Top + y, core::rgb(c.Red, c.Green, c.Blue));
                }
            GraphicsControlBlock gcb{};
            DGifSavedExtensionToGCB(gif, i, &gcb);
            end += gcb.DelayTime;
            frames.push_back({canvas, end});
        }
    }
    DGifCloseFile(gif, &err);
    return frames;
}

}  // namespace quendar::testing
