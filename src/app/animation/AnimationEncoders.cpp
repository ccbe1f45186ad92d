// The two file formats of a briefing animation, over the system's libraries:
// lossless animated WebP (its animation encoder finds the changed rectangle
// of each frame itself) and animated GIF with one palette for every frame.
#include <gif_lib.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "app/animation/AnimationExport.h"

namespace quendar::app {

namespace {

class WebpEncoder : public AnimationEncoder {
  public:
    ~WebpEncoder() override {
        if (m_encoder) WebPAnimEncoderDelete(m_encoder);
        WebPPictureFree(&m_picture);
    }

    bool add(const FramePixels& f, int64_t startMs) override {
        if (!m_encoder && !start(f.width, f.height)) return false;
        if (f.width != m_picture.width || f.height != m_picture.height)
            return fail("the frames differ in size");
        // The encoder keeps its own copy of the canvas; the frame's pixels
        // are the painter's and stay untouched.
        std::memcpy(m_picture.argb, f.pixels, size_t(f.width) * f.height * 4);
        if (!WebPAnimEncoderAdd(m_encoder, &m_picture, static_cast<int>(startMs), &m_config))
            return fail(WebPAnimEncoderGetError(m_encoder));
        return true;
    }

    bool finish(int64_t endMs, std::vector<uint8_t>& file) override {
        if (!m_encoder) return fail("no frame to write");
        WebPData data;
        WebPDataInit(&data);
        if (!WebPAnimEncoderAdd(m_encoder, nullptr, static_cast<int>(endMs), nullptr) ||
            !WebPAnimEncoderAssemble(m_encoder, &data))
            return fail(WebPAnimEncoderGetError(m_encoder));
        file.assign(data.bytes, data.bytes + data.size);
        WebPDataClear(&data);
        return true;
    }

    const std::string& error() const override { return m_error; }

  private:
    bool fail(const std::string& why) {
        m_error = "WebP: " + why;
        return false;
    }

    bool start(int width, int height) {
        if (width > WEBP_MAX_DIMENSION || height > WEBP_MAX_DIMENSION)
            return fail("a picture is at most " + std::to_string(WEBP_MAX_DIMENSION) +
                        " pixels wide and high");
        WebPAnimEncoderOptions options;
        if (!WebPAnimEncoderOptionsInit(&options)) return fail("library version mismatch");
        options.anim_params.loop_count = 0;  // for ever
        // Key frames would encode the whole picture again now and then;
        // a briefing is watched from its start.
        options.kmax = 0;
        options.allow_mixed = 0;
        // Effort 2 of 0..9: the palette of a flat picture makes the file 30
        // times smaller than effort 0 does, at about the same speed; more
        // effort gains a few per cent.
        if (!WebPConfigInit(&m_config) || !WebPConfigLosslessPreset(&m_config, 2))
            return fail("library version mismatch");
        if (!WebPPictureInit(&m_picture)) return fail("library version mismatch");
        m_picture.use_argb = 1;
        m_picture.width = width;
        m_picture.height = height;
        if (!WebPPictureAlloc(&m_picture)) return fail("out of memory");
        m_encoder = WebPAnimEncoderNew(width, height, &options);
        if (!m_encoder)
            return fail("cannot make an encoder for " + std::to_string(width) + "x" +
                        std::to_string(height));
        return true;
    }

    WebPAnimEncoder* m_encoder = nullptr;
    WebPConfig m_config{};
    WebPPicture m_picture{};
    std::string m_error;
};

// GIF keeps a palette of 256 colours. The export first counts every colour
// of every frame; the 256 most used make the palette and any other colour
// (a shade at the edge of a letter) is drawn in the nearest one.
class GifEncoder : public AnimationEncoder {
  public:
    ~GifEncoder() override {
        if (m_gif) EGifCloseFile(m_gif, nullptr);
    }
    int passes() const override { return 2; }

    void survey(const FramePixels& f) override {
        const size_t n = size_t(f.width) * f.height;
        for (size_t i = 0; i < n;) {
            const uint32_t c = f.pixels[i] & 0xFFFFFFu;
            size_t j = i + 1;
            while (j < n && (f.pixels[j] & 0xFFFFFFu) == c) ++j;
            m_counts[c] += j - i;
            i = j;
        }
    }

    bool add(const FramePixels& f, int64_t startMs) override {
        if (!m_gif && !start(f.width, f.height)) return false;
        if (f.width != m_width || f.height != m_height) return fail("the frames differ in size");
        std::vector<uint8_t> indices(size_t(m_width) * m_height);
        uint32_t lastColour = 0xFFFFFFFFu;
        uint8_t lastIndex = 0;
        for (size_t i = 0; i < indices.size(); ++i) {
            const uint32_t c = f.pixels[i] & 0xFFFFFFu;
            if (c != lastColour) {
                lastColour = c;
                lastIndex = indexOf(c);
            }
            indices[i] = lastIndex;
        }
        if (m_started && indices == m_shown) return true;  // the same after the palette
        if (!writePending(startMs)) return false;
        changedRect(indices);
        m_started = true;
        m_shown.swap(indices);
        m_pendingStart = startMs;
        m_havePending = true;
        return true;
    }

    bool finish(int64_t endMs, std::vector<uint8_t>& file) override {
        if (!m_gif) return fail("no frame to write");
        if (!writePending(endMs)) return false;
        int err = 0;
        const int closed = EGifCloseFile(m_gif, &err);
        m_gif = nullptr;
        if (closed != GIF_OK) return fail(GifErrorString(err));
        file.swap(m_file);
        return true;
    }

    const std::string& error() const override { return m_error; }

  private:
    bool fail(const std::string& why) {
        m_error = std::string("GIF: ") + (why.empty() ? "cannot write" : why);
        return false;
    }
    bool failGif() {
        const char* why = GifErrorString(m_gif ? m_gif->Error : 0);
        return fail(why ? why : "");
    }

    static int output(GifFileType* gif, const GifByteType* bytes, int size) {
        auto* file = static_cast<std::vector<uint8_t>*>(gif->UserData);
        file->insert(file->end(), bytes, bytes + size);
        return size;
    }

    uint8_t indexOf(uint32_t colour) {
        if (auto it = m_index.find(colour); it != m_index.end()) return it->second;
        int best = 0;
        long bestDistance = -1;
        for (size_t k = 0; k < m_palette.size(); ++k) {
            auto d = [&](int shift) {
                const long a = (colour >> shift) & 0xFF, b = (m_palette[k] >> shift) & 0xFF;
                return (a - b) * (a - b);
            };
            const long distance = d(16) + d(8) + d(0);
            if (bestDistance < 0 || distance < bestDistance) {
                best = static_cast<int>(k);
                bestDistance = distance;
            }
        }
        return m_index[colour] = static_cast<uint8_t>(best);
    }

    bool start(int width, int height) {
        m_width = width;
        m_height = height;
        std::vector<std::pair<uint64_t, uint32_t>> used;
        for (const auto& [colour, count] : m_counts) used.push_back({count, colour});
        // Most used first; among equals the lower colour, so a run is repeatable.
        std::sort(used.begin(), used.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        if (used.size() > 256) used.resize(256);
        for (const auto& u : used) m_palette.push_back(u.second);
        if (m_palette.empty()) m_palette.push_back(0);
        for (size_t k = 0; k < m_palette.size(); ++k) m_index[m_palette[k]] = uint8_t(k);

        int size = 2;
        while (size < static_cast<int>(m_palette.size())) size *= 2;
        std::vector<GifColorType> colours(size_t(size), GifColorType{0, 0, 0});
        for (size_t k = 0; k < m_palette.size(); ++k)
            colours[k] = {GifByteType(m_palette[k] >> 16), GifByteType(m_palette[k] >> 8),
                          GifByteType(m_palette[k])};
        int err = 0;
        m_gif = EGifOpen(&m_file, output, &err);
        if (!m_gif) return fail(GifErrorString(err));
        EGifSetGifVersion(m_gif, true);
        ColorMapObject* map = GifMakeMapObject(size, colours.data());
        if (!map) return fail("out of memory");
        const int described = EGifPutScreenDesc(m_gif, width, height, 8, 0, map);
        GifFreeMapObject(map);
        if (described != GIF_OK) return failGif();
        // Loop for ever.
        const GifByteType loop[3] = {1, 0, 0};
        if (EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
            EGifPutExtensionBlock(m_gif, 11, "NETSCAPE2.0") != GIF_OK ||
            EGifPutExtensionBlock(m_gif, 3, loop) != GIF_OK ||
            EGifPutExtensionTrailer(m_gif) != GIF_OK)
            return failGif();
        return true;
    }

    // The rectangle where `next` differs from what is shown (all of it at the
    // first frame).
    void changedRect(const std::vector<uint8_t>& next) {
        if (!m_started) {
            m_rect = {0, 0, m_width, m_height};
            return;
        }
        int left = m_width, top = m_height, right = -1, bottom = -1;
        for (int y = 0; y < m_height; ++y) {
            const uint8_t* a = &next[size_t(y) * m_width];
            const uint8_t* b = &m_shown[size_t(y) * m_width];
            if (std::memcmp(a, b, size_t(m_width)) == 0) continue;
            int x0 = 0, x1 = m_width - 1;
            while (a[x0] == b[x0]) ++x0;
            while (a[x1] == b[x1]) --x1;
            left = std::min(left, x0);
            right = std::max(right, x1);
            top = std::min(top, y);
            bottom = y;
        }
        m_rect = {left, top, right - left + 1, bottom - top + 1};
    }

    // Writes the frame that waits (its rectangle of m_shown) lasting until `untilMs`.
    bool writePending(int64_t untilMs) {
        if (!m_havePending) return true;
        auto hundredths = [](int64_t ms) { return (ms + 5) / 10; };
        GraphicsControlBlock gcb;
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.UserInputFlag = false;
        gcb.DelayTime = static_cast<int>(
            std::clamp<int64_t>(hundredths(untilMs) - hundredths(m_pendingStart), 1, 65535));
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&gcb, extension);
        if (EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK ||
            EGifPutImageDesc(m_gif, m_rect.x, m_rect.y, m_rect.w, m_rect.h, false, nullptr) !=
                GIF_OK)
            return failGif();
        for (int y = m_rect.y; y < m_rect.y + m_rect.h; ++y) {
            auto* row = const_cast<GifPixelType*>(&m_shown[size_t(y) * m_width + m_rect.x]);
            if (EGifPutLine(m_gif, row, m_rect.w) != GIF_OK) return failGif();
        }
        m_havePending = false;
        return true;
    }

    struct Rect {
        int x = 0, y = 0, w = 0, h = 0;
    };
    std::unordered_map<uint32_t, uint64_t> m_counts;
    std::vector<uint32_t> m_palette;
    std::unordered_map<uint32_t, uint8_t> m_index;
    GifFileType* m_gif = nullptr;
    std::vector<uint8_t> m_file;
    int m_width = 0, m_height = 0;
    std::vector<uint8_t> m_shown;  // palette indices of the last frame
    Rect m_rect;                   // where it differs from the one before
    int64_t m_pendingStart = 0;
    bool m_havePending = false;  // m_shown waits to be written
    bool m_started = false;      // a frame came
    std::string m_error;
};

}  // namespace

std::unique_ptr<AnimationEncoder> makeAnimationEncoder(AnimationFormat format) {
    if (format == AnimationFormat::Gif) return std::make_unique<GifEncoder>();
    return std::make_unique<WebpEncoder>();
}

}  // namespace quendar::app
