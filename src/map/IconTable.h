#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "mission/LargeBlock.h"

namespace quendar::core {
class Prompter;
}

namespace quendar::map {

inline constexpr const char* kIconFileName = "iconslist.dat";
inline constexpr const char* kIconCannotOpenMessage =
    "Cannot open file, therefore no icons available";
inline constexpr const char* kIconBadVersionMessage = "Incorrect version, no icons available";

// One craft picture: `width` columns of `height` pixels, three channel bytes per
// pixel (b0, b1, b2). A pixel whose three bytes are all 0 is transparent; the
// map draws the others inverted, as masks.
struct CraftIcon {
    static constexpr int kMaxSide = 128;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;  // column-major: ((col * height) + row) * 3

    bool empty() const { return width <= 0 || height <= 0; }
    const uint8_t* pixel(int col, int row) const {
        return &bytes[(static_cast<size_t>(col) * height + row) * 3];
    }
    bool transparent(int col, int row) const {
        const uint8_t* p = pixel(col, row);
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    }
};

struct IconLoadResult {
    enum class Status { Loaded, CannotOpen, BadVersion };
    Status status = Status::Loaded;
    int iconCount = 0;       // directory entries read
    bool truncated = false;  // the file ended inside the directory or the pixel data
    bool cropped = false;    // an icon was larger than 128 × 128 and was cut
    bool ok() const { return status == Status::Loaded; }
    // The message box to show, empty when the file loaded.
    std::string message() const;
    std::string caption() const { return ok() ? std::string() : kIconFileName; }
    void report(core::Prompter& prompter) const;
};

// The craft pictures, 256 slots indexed by icon number (= craft type code).
// Filled once from the icon file; slots the file does not name stay empty.
// Loading reads the whole file and every slot's size; a slot's pixels are
// copied out of the kept file bytes when the slot is first asked for, since a
// map shows only a few of the pictures.
//
// File: 11 bytes not interpreted, version bytes 1 and 1, n, then n directory
// entries (icon number, height, width) and the pixel data of the icons in
// directory order, column by column, three bytes per pixel.
//
// Damaged files never reach outside a slot:
// - every entry sets its slot's size before any pixels are read, so a number
//   listed twice reads its later size twice and the later pixels win;
// - an icon wider or taller than 128 keeps its top-left 128 × 128 pixels (its
//   remaining bytes are skipped so that the icons after it stay in step);
// - a file that ends inside the directory keeps the entries that are complete;
//   one that ends inside the pixel data leaves the missing pixels transparent.
class IconTable {
  public:
    static constexpr int kSlots = 256;

    IconLoadResult load(std::span<const uint8_t> file);
    IconLoadResult loadFile(const std::string& path);

    bool available() const { return m_available; }
    const CraftIcon& icon(int number) const;
    void setIcon(int number, CraftIcon icon);  // tests and the benchmark build tables by hand
    void clear();

  private:
    IconLoadResult parse();
    void copyPixels(int number) const;

    // The slots whose pixels are still in m_file: where their column data
    // starts and the rows per column in the file (0: nothing waiting).
    struct Waiting {
        size_t at = 0;
        int fileHeight = 0;
    };
    mutable std::array<CraftIcon, kSlots> m_icons;
    mutable std::array<Waiting, kSlots> m_waiting{};
    mission::LargeBlock m_file;
    size_t m_fileSize = 0;
    bool m_available = false;
};

}  // namespace quendar::map
