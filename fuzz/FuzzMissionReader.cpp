// Opens arbitrary bytes as a mission the way the editor does (every section
// and briefing 1), saves it, and checks that the saved image is a fixed point:
// opening it and saving again gives the same bytes, and it is long enough for
// its own counts.
//
// The shipgroup and message counts an input claims are held to what its bytes
// can carry (see shaped()), so that checking an input costs time in proportion
// to its size rather than a 2 MB image for almost every input.
//
// One editor serves every input. It is put into the new-mission state once;
// after that each input is read over the previous one. The reader fills every
// byte the writer writes back (the slots behind the counts and the tails of
// empty short strings are never written), so what is left of an earlier input
// cannot reach the saved image and each input behaves the same on its own.
// The first image is kept in a reused buffer; the second is compared with it
// as it is produced.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "app/files/MissionIO.h"
#include "mission/MissionFile.h"

namespace {

using namespace quendar;

// Compares the bytes written into it with an expected image.
class ComparingSink : public mission::ByteSink {
  public:
    explicit ComparingSink(const std::vector<uint8_t>& expected) : m_expected(expected) {}
    using ByteSink::put;
    void put(const uint8_t* data, size_t size) override {
        if (m_pos + size > m_expected.size() ||
            std::memcmp(m_expected.data() + m_pos, data, size) != 0)
            m_same = false;
        m_pos += size;
    }
    bool same() const { return m_same && m_pos == m_expected.size(); }

  private:
    const std::vector<uint8_t>& m_expected;
    size_t m_pos = 0;
    bool m_same = true;
};

app::Editor& editor() {
    static app::Editor* e = [] {
        auto* made = new app::Editor;
        made->craftListPath.clear();  // no craft list: nothing outside the input is read
        app::resetEditorToNewMission(*made);
        // Every input is a file being opened, which the editor never journals.
        made->store.attachJournal(nullptr);
        return made;
    }();
    return *e;
}

// Header bytes 2 and 4 hold the shipgroup and message counts; the records
// follow the first 9,200 bytes.
constexpr size_t kShipgroupCountAt = 2;
constexpr size_t kMessageCountAt = 4;

// The input as the reader is given it. Past its end a file reads as 255, so
// nearly every short input would claim 255 shipgroups and 255 messages and
// cost a 2 MB image to check. The counts are lowered to the records the
// input's own bytes hold plus one, so records read past the end are still
// reached (a record cut short, or one read wholly past the end) while the work
// stays in proportion to the input. An input too short to hold the counts is
// lengthened to hold them with the 255 it would have read there.
std::span<const uint8_t> shaped(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> copy;
    const size_t room = size > mission::kHeaderEnd ? size - mission::kHeaderEnd : 0;
    const auto countAt = [&](size_t at) -> size_t { return at < size ? data[at] : 255; };
    const size_t ns = std::min(countAt(kShipgroupCountAt), room / mission::kShipgroupSize + 1);
    const size_t left = room - std::min(room, ns * mission::kShipgroupSize);
    const size_t nm = std::min(countAt(kMessageCountAt), left / mission::kMessageSize + 1);
    if (ns == countAt(kShipgroupCountAt) && nm == countAt(kMessageCountAt)) return {data, size};
    copy.assign(data, data + size);
    copy.resize(std::max(size, kMessageCountAt + 1), 255);
    copy[kShipgroupCountAt] = static_cast<uint8_t>(ns);
    copy[kMessageCountAt] = static_cast<uint8_t>(nm);
    return copy;
}

void open(app::Editor& e, std::span<const uint8_t> bytes, mission::ReadReport* report) {
    const mission::ReadReport r = mission::readMission(bytes, e.store);
    if (report) *report = r;
    e.briefing.parseBriefing();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    app::Editor& e = editor();
    static std::vector<uint8_t> image;

    open(e, shaped(data, size), nullptr);
    app::packBriefing(e);
    image.clear();
    mission::VectorSink sink(image);
    mission::writeMission(e.store, sink);

    mission::ReadReport again;
    open(e, image, &again);
    if (again.shortFile()) std::abort();
    app::packBriefing(e);
    ComparingSink compare(image);
    mission::writeMission(e.store, compare);
    if (!compare.same()) std::abort();
    return 0;
}
