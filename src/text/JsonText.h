#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quendar::text {

// 8-bit mission text as a JSON string literal: bytes 0x80..0xFF become
// U+0080..U+00FF, control bytes (and 0x7F) "\u00XX", so every byte survives.
void appendQuoted(std::string& out, std::span<const uint8_t> bytes);
void appendQuoted(std::string& out, std::string_view bytes);
// The reverse for a decoded JSON string (UTF-8), written into `out` as far as
// it reaches: the length in characters, or none when a character lies beyond
// U+00FF.
std::optional<size_t> latin1(std::string_view utf8, std::span<uint8_t> out);

// The bytes of a text field without the zero padding behind it.
std::span<const uint8_t> withoutPadding(std::span<const uint8_t> field);

// Runs of bytes that differ from a baseline, at offsets where `keep` says so.
// Runs separated by fewer than four equal bytes are joined, unless a byte
// between them is one `keep` leaves out: a run never carries such a byte.
struct Run {
    int offset;
    std::vector<uint8_t> bytes;
};
template <typename Keep>
std::vector<Run> differingRuns(std::span<const uint8_t> data, std::span<const uint8_t> baseline,
                               Keep keep) {
    std::vector<Run> runs;
    int lastDiff = -100;
    const auto keptSince = [&](int from, int to) {
        for (int j = from + 1; j < to; ++j)
            if (!keep(j)) return false;
        return true;
    };
    for (int i = 0; i < static_cast<int>(data.size()); ++i) {
        const size_t k = static_cast<size_t>(i);
        if (!keep(i) || data[k] == baseline[k]) continue;
        if (!runs.empty() && i - lastDiff < 5 && keptSince(lastDiff, i)) {
            for (int j = lastDiff + 1; j <= i; ++j)
                runs.back().bytes.push_back(data[static_cast<size_t>(j)]);
        } else {
            runs.push_back({i, {data[k]}});
        }
        lastDiff = i;
    }
    return runs;
}
std::string hex(std::span<const uint8_t> bytes);
void appendHex(std::string& out, std::span<const uint8_t> bytes);
std::optional<std::vector<uint8_t>> unhex(std::string_view text);

// Where the value at a JSON path ("a.b[2].c") stands in a document: its
// 1-based line (0 when the path is not there) and its spelling, up to the end
// of its line for a list or an object. `skip`: the places to pass over first
// (1 finds a key's second place in its object).
struct PathPlace {
    int line = 0;
    std::string_view spelled;
};
PathPlace placeOfPath(std::string_view json, std::string_view path, int skip = 0);
inline int lineOfPath(std::string_view json, std::string_view path) {
    return placeOfPath(json, path).line;
}

// The first fault of a document that is not well-formed JSON: the path of
// the value it lies in (empty when none), its line (0 when unknown) and what
// is wrong.
struct JsonFault {
    std::string path;
    int line = 0;
    std::string message;
};
JsonFault findJsonFault(std::string_view text);

}  // namespace quendar::text
