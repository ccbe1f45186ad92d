#include "map/IconTable.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/Prompter.h"
#include "mission/FileIO.h"

namespace quendar::map {

std::string IconLoadResult::message() const {
    switch (status) {
        case Status::Loaded: return {};
        case Status::CannotOpen: return kIconCannotOpenMessage;
        case Status::BadVersion: return kIconBadVersionMessage;
    }
    return {};
}

void IconLoadResult::report(core::Prompter& prompter) const {
    if (!ok()) prompter.tell(message(), caption(), core::Icon::Exclamation);
}

// The slots keep their memory: a table loaded again (the fuzzer loads one
// table a million times) fills the same buffers instead of allocating anew.
void IconTable::clear() {
    for (auto& i : m_icons) {
        i.width = i.height = 0;
        i.bytes.clear();
    }
    m_waiting.fill({});
    m_file.reset();
    m_fileSize = 0;
    m_available = false;
}

const CraftIcon& IconTable::icon(int number) const {
    static const CraftIcon kNone;
    if (number < 0 || number >= kSlots) return kNone;
    if (m_waiting[number].fileHeight > 0) copyPixels(number);
    return m_icons[number];
}

void IconTable::setIcon(int number, CraftIcon icon) {
    if (number < 0 || number >= kSlots) return;
    icon.width = std::clamp(icon.width, 0, CraftIcon::kMaxSide);
    icon.height = std::clamp(icon.height, 0, CraftIcon::kMaxSide);
    icon.bytes.resize(static_cast<size_t>(icon.width) * icon.height * 3, 0);
    m_icons[number] = std::move(icon);
    m_waiting[number] = {};
    m_available = true;
}

IconLoadResult IconTable::load(std::span<const uint8_t> file) {
    auto copy = mission::allocateBlock(file.size());
    if (!file.empty()) std::memcpy(copy.get(), file.data(), file.size());
    clear();
    m_file = std::move(copy);
    m_fileSize = file.size();
    return parse();
}

IconLoadResult IconTable::parse() {
    IconLoadResult result;
    const std::span<const uint8_t> file(m_file.get(), m_fileSize);
    if (file.size() < 13 || file[11] != 1 || file[12] != 1) {
        clear();
        result.status = IconLoadResult::Status::BadVersion;
        return result;
    }
    // A file of 13 bytes has no count: it holds no icons.
    const int n = file.size() > 13 ? file[13] : 0;
    struct Entry {
        int number, height, width;
    };
    std::vector<Entry> directory;
    size_t pos = 14;
    for (int k = 0; k < n; ++k, pos += 3) {
        if (pos + 3 > file.size()) {
            result.truncated = true;
            pos = file.size();
            break;
        }
        directory.push_back({file[pos], file[pos + 1], file[pos + 2]});
    }
    // Every entry sets its slot's size first; a number listed twice thus
    // takes the size of its later entry. Then the pixels are read slot by slot
    // in directory order, each with the size its slot holds now, so a
    // repeated number reads that size twice and its later data wins: the
    // slot waits for the pixels of its last entry.
    int width[kSlots] = {}, height[kSlots] = {};
    for (const Entry& e : directory) {
        width[e.number] = e.width;
        height[e.number] = e.height;
    }
    for (const Entry& e : directory) {
        const int w = width[e.number], h = height[e.number];
        CraftIcon& icon = m_icons[e.number];
        icon.width = std::min(w, CraftIcon::kMaxSide);
        icon.height = std::min(h, CraftIcon::kMaxSide);
        if (icon.width != w || icon.height != h) result.cropped = true;
        icon.bytes.clear();
        m_waiting[e.number] = {pos, icon.empty() ? 0 : h};
        // The kept pixels of the last column end inside the file, or the
        // missing ones stay transparent.
        if (!icon.empty() &&
            pos + (static_cast<size_t>(icon.width - 1) * h + icon.height) * 3 > file.size())
            result.truncated = true;
        pos += static_cast<size_t>(w) * h * 3;
    }
    result.iconCount = static_cast<int>(directory.size());
    m_available = true;
    return result;
}

void IconTable::copyPixels(int number) const {
    CraftIcon& icon = m_icons[number];
    const Waiting from = std::exchange(m_waiting[number], Waiting{});
    const std::span<const uint8_t> file(m_file.get(), m_fileSize);
    icon.bytes.assign(static_cast<size_t>(icon.width) * icon.height * 3, 0);
    // A column's kept pixels are contiguous in the file and in the slot.
    // Reading stops at the file's end: what is missing stays transparent.
    for (int col = 0; col < icon.width; ++col) {
        const size_t at = from.at + static_cast<size_t>(col) * from.fileHeight * 3;
        const size_t have = at < file.size() ? (file.size() - at) / 3 : 0;
        const size_t rows = std::min<size_t>(have, static_cast<size_t>(icon.height));
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(std::min(at, file.size())), rows * 3,
                    icon.bytes.begin() + static_cast<std::ptrdiff_t>(col) * icon.height * 3);
        if (rows < static_cast<size_t>(icon.height)) break;
    }
}

// The table is only ever read, so the file is opened for reading alone (a
// read-only icon file loads too). Its bytes are kept as read, without a copy.
IconLoadResult IconTable::loadFile(const std::string& path) {
    auto bytes = mission::FileBytes::open(path);
    clear();
    if (!bytes) {
        IconLoadResult r;
        r.status = IconLoadResult::Status::CannotOpen;
        return r;
    }
    m_fileSize = bytes->bytes().size();
    m_file = bytes->takeData();
    return parse();
}

}  // namespace quendar::map
