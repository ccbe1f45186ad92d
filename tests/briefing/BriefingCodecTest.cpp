#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"

namespace quendar::briefing {
namespace {

using mission::Table;

class BriefingCodec : public ::testing::Test {
  protected:
    mission::MissionStore store;
    BriefingModel model{store};

    std::span<uint8_t> block() { return store.mutableSlot(Table::Briefing1, 0); }
    int word(int pos) { return block()[pos] | (block()[pos + 1] << 8); }
    void putWords(int pos, std::initializer_list<int> words) {
        for (int w : words) {
            block()[pos] = static_cast<uint8_t>(w & 0xFF);
            block()[pos + 1] = static_cast<uint8_t>((w >> 8) & 0xFF);
            pos += 2;
        }
    }
    std::vector<uint8_t> bytes(int from, int n) {
        return {block().begin() + from, block().begin() + from + n};
    }
    // The codes of the written commands from byte 10 up to the end command.
    std::vector<int> writtenCodes() {
        std::vector<int> codes;
        for (int pos = kEventAreaStart; pos + 4 <= kEventAreaEnd;) {
            const int code = word(pos + 2) & 0xFF;
            codes.push_back(code);
            if (code == kEndCode) break;
            const auto kind = kindOfCode(code);
            if (!kind) break;
            pos += encodedSize(*kind);
        }
        return codes;
    }
};

TEST_F(BriefingCodec, FreshMissionWritesDefaultLengthAndLoneEndCommand) {
    model.resetForNewMission();
    // Something stands after the end command and in bytes 4-9: it stays.
    block()[5] = 0x5A;
    block()[14] = 0x77;
    block()[17426] = 0x42;
    const SerializeResult r = model.serializeBriefing();
    EXPECT_EQ(bytes(0, 4), (std::vector<uint8_t>{0xB8, 0x0B, 0xB8, 0x0B}));
    EXPECT_EQ(bytes(10, 4), (std::vector<uint8_t>{0xB8, 0x0B, 0x22, 0x00}));
    EXPECT_EQ(block()[5], 0x5A);
    EXPECT_EQ(block()[14], 0x77);
    EXPECT_EQ(block()[17426], 0x42);
    EXPECT_EQ(r.written, 0);
    EXPECT_EQ(r.bytesUsed, 4);
}

TEST_F(BriefingCodec, EqualTimesComeOutInReverseScanOrderOfKinds) {
    // Kinds: a BRC_SHOW and a BRC_COORD at 50 give SHOW then COORD.
    ASSERT_TRUE(model.appendCommand(BRC_COORD, 50, {1, 10, 20}));
    ASSERT_TRUE(model.appendCommand(BRC_SHOW, 50, {1, 4, 0}));
    // SKIP before ZOOM before SELECT1 at 7, and those before time 50.
    ASSERT_TRUE(model.appendCommand(BRC_SELECT1, 7, {3}));
    ASSERT_TRUE(model.appendCommand(BRC_ZOOM, 7, {32, 32}));
    ASSERT_TRUE(model.appendCommand(BRC_SKIP, 7));
    model.serializeBriefing();
    EXPECT_EQ(writtenCodes(), (std::vector<int>{3, 7, 9, 26, 28, kEndCode}));

    // Within one kind, records of equal time keep their list order, so a save
    // followed by a load gives the same lists and the same bytes again.
    ASSERT_TRUE(model.reparseAfterSave().endReached());
    model.resetForNewMission();
    ASSERT_TRUE(model.appendCommand(BRC_LOWER, 20, {1}));
    ASSERT_TRUE(model.appendCommand(BRC_LOWER, 20, {2}));
    ASSERT_TRUE(model.appendCommand(BRC_LOWER, 10, {3}));
    model.serializeBriefing();
    EXPECT_EQ(word(14), 3);  // time 10 first
    EXPECT_EQ(word(20), 1);  // then the records of time 20 in list order
    EXPECT_EQ(word(26), 2);
    const std::vector<uint8_t> first = bytes(kEventAreaStart, 24);
    ASSERT_EQ(model.reparseAfterSave().status, ParseStatus::Ok);
    ASSERT_EQ(model.count(BRC_LOWER), 3);
    EXPECT_EQ(model.record(BRC_LOWER, 0).param(0), 3);
    EXPECT_EQ(model.record(BRC_LOWER, 1).param(0), 1);
    EXPECT_EQ(model.record(BRC_LOWER, 2).param(0), 2);
    model.serializeBriefing();
    EXPECT_EQ(bytes(kEventAreaStart, 24), first);
}

TEST_F(BriefingCodec, WritesParameterWordsByTheirForm) {
    ASSERT_TRUE(model.appendCommand(BRC_LOWER, 1, {300}));
    ASSERT_TRUE(model.appendCommand(BRC_MOVEMAP, 2, {-1, -32768}));
    ASSERT_TRUE(model.appendCommand(BRC_ZOOM, 3, {40000, 200}));
    ASSERT_TRUE(model.appendCommand(BRC_TAG2, 4, {5, -300, 1234, 3}));
    const SerializeResult r = model.serializeBriefing();
    EXPECT_EQ(r.written, 4);
    // BRC_LOWER at byte 10: only the low byte of 300.
    EXPECT_EQ(bytes(10, 6), (std::vector<uint8_t>{1, 0, 5, 0, 44, 0}));
    // BRC_MOVEMAP at 16: x = -1 as FF FF, y = -32768 as 00 80.
    EXPECT_EQ(bytes(16, 8), (std::vector<uint8_t>{2, 0, 6, 0, 0xFF, 0xFF, 0x00, 0x80}));
    // BRC_ZOOM at 24: written whole.
    EXPECT_EQ(bytes(24, 8), (std::vector<uint8_t>{3, 0, 7, 0, 0x40, 0x9C, 200, 0}));
    // BRC_TAG2 at 32.
    EXPECT_EQ(word(36), 5);
    EXPECT_EQ(static_cast<int16_t>(word(38)), -300);
    EXPECT_EQ(word(40), 1234);
    EXPECT_EQ(word(42), 3);
    EXPECT_EQ(bytes(44, 4), (std::vector<uint8_t>{0xB8, 0x0B, 0x22, 0x00}));

    // Read back: coordinates sign-extended, the text index as written.
    ASSERT_EQ(model.reparseAfterSave().status, ParseStatus::Ok);
    EXPECT_EQ(model.record(BRC_LOWER, 0).param(0), 44);
    const Record& move = model.record(BRC_MOVEMAP, 0);
    EXPECT_EQ(move.params[0].low, 255);
    EXPECT_EQ(move.params[0].high, -1);
    EXPECT_EQ(move.param(0), -1);
    EXPECT_EQ(move.param(1), -32768);
    EXPECT_EQ(model.record(BRC_ZOOM, 0).param(0), 40000);
    EXPECT_EQ(model.record(BRC_TAG2, 0).param(1), -300);
}

TEST_F(BriefingCodec, WrittenRecordsAreMarkedAndReservedTimesDropped) {
    ASSERT_TRUE(model.appendCommand(BRC_SKIP, 65535));
    ASSERT_TRUE(model.appendCommand(BRC_SKIP, 70000));
    ASSERT_TRUE(model.appendCommand(BRC_SKIP, 65534));
    ASSERT_TRUE(model.appendCommand(BRC_SKIP, -3));
    const SerializeResult r = model.serializeBriefing();
    EXPECT_EQ(r.written, 1);
    EXPECT_EQ(r.droppedMarked, 2);
    EXPECT_EQ(r.droppedNegative, 1);
    EXPECT_EQ(word(10), 65534);
    EXPECT_EQ(word(14), 3000);
    EXPECT_EQ(word(16), kEndCode);
    // The written record now carries the mark; the others are untouched.
    EXPECT_EQ(model.record(BRC_SKIP, 2).time, kWrittenMark);
    EXPECT_EQ(model.record(BRC_SKIP, 3).time, -3);
    ASSERT_EQ(model.reparseAfterSave().status, ParseStatus::Ok);
    ASSERT_EQ(model.count(BRC_SKIP), 1);
    EXPECT_EQ(model.record(BRC_SKIP, 0).time, 65534);
}

TEST_F(BriefingCodec, LengthMarkAndEndTime) {
    model.setBriefingEndTime(1200);
    model.setBriefingLength(1500);
    EXPECT_TRUE(model.lengthMarkAfterEnd());
    model.correctLengthMark();
    EXPECT_FALSE(model.lengthMarkAfterEnd());
    EXPECT_EQ(model.briefingLength(), 1200);
    EXPECT_EQ(store.briefingLength, 1200);

    // Values without a word form are written as the nearest word.
    model.setBriefingLength(-2);
    model.setBriefingEndTime(70000);
    model.serializeBriefing();
    EXPECT_EQ(word(0), 0);
    EXPECT_EQ(word(2), 0);
    EXPECT_EQ(word(10), 65535);
    ASSERT_EQ(model.reparseAfterSave().status, ParseStatus::Ok);
    EXPECT_EQ(model.briefingEndTime(), 65535);
    EXPECT_EQ(model.briefingLength(), 0);
}

TEST_F(BriefingCodec, ParsingResetsPlaybackAndReadsTheScript) {
    model.setCurrentTime(77);
    model.playback().playState = kPlaying;
    model.playback().tickInterval = kTickFast;
    model.playback().stepSize = 4;
    model.setBriefingEndTime(99);
    putWords(0, {1234, 9});
    putWords(10, {5, 0x0109, 7,              // BRC_SELECT1 with a code high byte
                  6, 28, 2, 0xFFF6, 0x0105,  // BRC_COORD slot 2 (-10, 261)
                  8, 27, 0x0301, 2,          // BRC_TECH, plain high byte dropped
                  2500, kEndCode});
    const ParseResult r = model.parseBriefing();
    EXPECT_EQ(r.status, ParseStatus::Ok);
    EXPECT_EQ(r.commandsRead, 3);
    EXPECT_EQ(r.stopOffset, 10 + 6 + 10 + 8);
    EXPECT_EQ(model.briefingLength(), 1234);
    EXPECT_EQ(model.briefingEndTime(), 2500);
    EXPECT_EQ(model.currentTime(), 0);
    EXPECT_EQ(model.playback().playState, kStopped);
    EXPECT_EQ(model.playback().tickInterval, kTickNormal);
    EXPECT_EQ(model.playback().stepSize, 1);
    EXPECT_EQ(model.record(BRC_SELECT1, 0).param(0), 7);
    const Record& coord = model.record(BRC_COORD, 0);
    EXPECT_EQ(coord.time, 6);
    EXPECT_EQ(coord.param(0), 2);
    EXPECT_EQ(coord.param(1), -10);
    EXPECT_EQ(coord.param(2), 261);
    EXPECT_EQ(model.record(BRC_TECH, 0).param(0), 1);
    // The code word's high byte is carried to the next save.
    model.serializeBriefing();
    EXPECT_EQ(word(12), 0x0109);
}

TEST_F(BriefingCodec, UnknownCommandStopsAndKeepsWhatWasRead) {
    model.setBriefingEndTime(1777);
    putWords(0, {800});
    putWords(10, {5, 3,      // BRC_SKIP
                  6, 30, 2,  // BRC_REGION
                  7, 4,      // code 4: not a briefing command
                  8, 3, 900, kEndCode});
    const ParseResult r = model.parseBriefing();
    EXPECT_EQ(r.status, ParseStatus::UnknownCommand);
    EXPECT_FALSE(r.endReached());
    EXPECT_EQ(r.unknownCode, 4);
    EXPECT_EQ(r.stopOffset, 20);
    EXPECT_EQ(model.count(BRC_SKIP), 1);
    EXPECT_EQ(model.count(BRC_REGION), 1);
    EXPECT_EQ(model.briefingEndTime(), 1777);
    EXPECT_EQ(model.briefingLength(), 800);

    // A cleared block has no end command: the zero code stops it at once.
    std::fill(block().begin(), block().end(), uint8_t{0});
    EXPECT_EQ(model.parseBriefing().status, ParseStatus::UnknownCommand);
    EXPECT_EQ(model.totalCount(), 0);
}

TEST_F(BriefingCodec, ScriptRunningIntoTheTeamFlagsHasNoEnd) {
    // Fill the event area with 4-byte skip commands; none is an end command.
    for (int pos = kEventAreaStart; pos + 4 <= kEventAreaEnd; pos += 4) putWords(pos, {1, 3});
    model.setBriefingEndTime(444);
    ParseResult r = model.parseBriefing();
    EXPECT_EQ(r.status, ParseStatus::NoEndCommand);
    EXPECT_EQ(model.count(BRC_SKIP), 500);
    EXPECT_EQ(r.droppedCommands, kEventAreaSize / 4 - 500);
    EXPECT_EQ(model.briefingEndTime(), 444);

    // A command whose parameters would reach past the area is not read.
    std::fill(block().begin(), block().end(), uint8_t{0});
    int pos = kEventAreaStart;
    for (; pos + 12 <= kEventAreaEnd - 8; pos += 12) putWords(pos, {1, 18, 0, 0, 0, 0});
    putWords(pos, {2, 28});  // BRC_COORD needs 10 bytes, only 8 are left
    r = model.parseBriefing();
    EXPECT_EQ(r.status, ParseStatus::NoEndCommand);
    EXPECT_EQ(model.count(BRC_COORD), 0);
}

TEST_F(BriefingCodec, ListOverflowOnLoadKeepsWhatFits) {
    int pos = kEventAreaStart;
    for (int i = 0; i < 503; ++i, pos += 6) putWords(pos, {i, 9, i % 200});  // BRC_SELECT1
    putWords(pos, {600, 17});                                                // BRC_CLEARTAGS
    putWords(pos + 4, {1000, kEndCode});
    const ParseResult r = model.parseBriefing();
    EXPECT_EQ(r.status, ParseStatus::ListFull);
    EXPECT_TRUE(r.endReached());
    EXPECT_EQ(r.droppedCommands, 3);
    EXPECT_EQ(r.commandsRead, 501);
    EXPECT_EQ(model.count(BRC_SELECT1), 500);
    EXPECT_EQ(model.record(BRC_SELECT1, 499).time, 499);
    EXPECT_EQ(model.count(BRC_CLEARTAGS), 1);
    EXPECT_EQ(model.briefingEndTime(), 1000);
}

TEST_F(BriefingCodec, FullListsNeverWritePastTheEventArea) {
    // Every list full: far more than 17408 bytes of commands.
    for (int k = 0; k < kKindCount; ++k) {
        const Kind kind = static_cast<Kind>(k);
        for (int i = 0; i < model.capacity(kind); ++i)
            ASSERT_TRUE(model.appendCommand(kind, (i * 7 + k) % 4000, {1, 2, 3, 4}));
        EXPECT_FALSE(model.appendCommand(kind, 1, {}));
    }
    block()[kTeamFlagsOffset] = 0xEE;
    std::vector<int32_t> times;
    for (int k = 0; k < kKindCount; ++k)
        for (const Record& rec : model.records(static_cast<Kind>(k))) times.push_back(rec.time);
    std::sort(times.begin(), times.end());
    const int expectedUnwritten = model.unwrittenOnSave();
    const SerializeResult r = model.serializeBriefing();
    EXPECT_GT(r.unwritten, 0);
    EXPECT_EQ(r.unwritten, expectedUnwritten);
    EXPECT_EQ(r.written + r.unwritten, model.totalCount());
    EXPECT_LE(kEventAreaStart + r.bytesUsed, kEventAreaEnd);
    EXPECT_GT(kEventAreaStart + r.bytesUsed, kEventAreaEnd - 16);  // the area is used up
    EXPECT_EQ(block()[kTeamFlagsOffset], 0xEE);

    // The script ends with the end command and reads back whole; what was
    // left out is the latest part of the briefing.
    const ParseResult back = model.reparseAfterSave();
    EXPECT_EQ(back.status, ParseStatus::Ok);
    EXPECT_EQ(back.commandsRead, r.written);
    EXPECT_EQ(back.stopOffset, kEventAreaStart + r.bytesUsed - kEndCommandSize);
    int32_t latestWritten = 0;
    for (int k = 0; k < kKindCount; ++k)
        for (const Record& rec : model.records(static_cast<Kind>(k)))
            latestWritten = std::max(latestWritten, rec.time);
    EXPECT_LE(latestWritten, times[static_cast<size_t>(r.written)]);
}

TEST_F(BriefingCodec, ArbitraryBlocksLoadAndSaveSafely) {
    std::mt19937 rng(77);
    int seen[4] = {};
    for (int round = 0; round < 300; ++round) {
        // Random bytes with a run of known commands (as many as 4352 of
        // them) followed by an end command, a random word or nothing more.
        auto b = block();
        for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<uint8_t>(rng());
        const int commands = static_cast<int>(rng() % 4400);
        int pos = kEventAreaStart;
        for (int c = 0; c < commands && pos + 4 <= kEventAreaEnd; ++c) {
            const Kind kind = rng() % 3 ? BRC_SKIP : static_cast<Kind>(rng() % kKindCount);
            putWords(pos + 2, {kindInfo(kind).code});
            pos += encodedSize(kind);
        }
        if (rng() % 2 && pos + 4 <= kEventAreaEnd) putWords(pos + 2, {kEndCode});
        const std::vector<uint8_t> tail = bytes(kTeamFlagsOffset, 10);
        model.setBriefingEndTime(-1);
        const ParseResult r = model.parseBriefing();
        ++seen[static_cast<int>(r.status)];
        ASSERT_GE(r.stopOffset, kEventAreaStart);
        ASSERT_LE(r.stopOffset, kEventAreaEnd);
        if (r.endReached()) {
            EXPECT_EQ(word(r.stopOffset + 2) & 0xFF, kEndCode);
            EXPECT_EQ(model.briefingEndTime(), word(r.stopOffset));
        } else {
            EXPECT_EQ(model.briefingEndTime(), -1);
        }
        EXPECT_EQ(r.status == ParseStatus::ListFull, r.endReached() && r.droppedCommands > 0);
        for (int k = 0; k < kKindCount; ++k)
            ASSERT_LE(model.count(static_cast<Kind>(k)), model.capacity(static_cast<Kind>(k)));

        const SerializeResult w = model.serializeBriefing();
        EXPECT_LE(kEventAreaStart + w.bytesUsed, kEventAreaEnd);
        EXPECT_EQ(bytes(kTeamFlagsOffset, 10), tail);
        const ParseResult again = model.reparseAfterSave();
        EXPECT_EQ(again.status, ParseStatus::Ok);
        EXPECT_EQ(again.commandsRead, w.written);
    }
    // Every way of stopping was met.
    for (int n : seen) EXPECT_GT(n, 0);
}

// The save order as a plain repeated scan gives it: smallest time; on a tie
// the last kind found, and within that kind the first record found; mark it
// written, scan again.
std::vector<uint8_t> naiveSave(const BriefingModel& model) {
    std::vector<std::vector<Record>> lists(kKindCount);
    for (int k = 0; k < kKindCount; ++k) {
        const auto recs = model.records(static_cast<Kind>(k));
        lists[k].assign(recs.begin(), recs.end());
    }
    std::vector<uint8_t> out;
    auto put = [&out](int w) {
        out.push_back(static_cast<uint8_t>(w & 0xFF));
        out.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
    };
    for (;;) {
        int32_t best = 65535;
        Record* chosen = nullptr;
        Kind chosenKind = BRC_SKIP;
        for (Kind k : kSaveScanOrder) {
            Record* firstOfKind = nullptr;
            for (Record& r : lists[k])
                if (!firstOfKind || r.time < firstOfKind->time) firstOfKind = &r;
            if (firstOfKind && firstOfKind->time <= best) {
                best = firstOfKind->time;
                chosen = firstOfKind;
                chosenKind = k;
            }
        }
        if (best == 65535) break;
        const KindInfo& info = kindInfo(chosenKind);
        put(chosen->time);
        put(info.code | (chosen->codeHigh << 8));
        for (int i = 0; i < info.paramCount; ++i) {
            out.push_back(static_cast<uint8_t>(chosen->params[i].low & 0xFF));
            out.push_back(info.params[i] == ParamForm::Byte
                              ? 0
                              : static_cast<uint8_t>(chosen->params[i].high & 0xFF));
        }
        chosen->time = 65535;
    }
    put(model.briefingEndTime());
    put(kEndCode);
    return out;
}

int randomParam(std::mt19937& rng, ParamForm form) {
    switch (form) {
        case ParamForm::Signed: return std::uniform_int_distribution<int>(-32768, 32767)(rng);
        case ParamForm::Unsigned: return std::uniform_int_distribution<int>(0, 65535)(rng);
        default: return std::uniform_int_distribution<int>(0, 255)(rng);
    }
}

// A random briefing with many equal times; about 1000 commands, which fit.
void fillRandom(BriefingModel& model, std::mt19937& rng, int maxTime) {
    model.resetForNewMission();
    std::uniform_int_distribution<int> kindDist(0, kKindCount - 1);
    std::uniform_int_distribution<int> timeDist(0, maxTime);
    const int n = std::uniform_int_distribution<int>(0, 1000)(rng);
    for (int i = 0; i < n; ++i) {
        const Kind kind = static_cast<Kind>(kindDist(rng));
        const KindInfo& info = kindInfo(kind);
        int params[kMaxParams] = {};
        for (int p = 0; p < info.paramCount; ++p) params[p] = randomParam(rng, info.params[p]);
        int32_t time = timeDist(rng);
        if (rng() % 50 == 0) time = 65535 + static_cast<int32_t>(rng() % 3);
        model.appendCommand(kind, time, std::span<const int>(params, kMaxParams));
    }
    model.setBriefingEndTime(timeDist(rng));
}

TEST_F(BriefingCodec, SortedSaveEqualsTheRepeatedScan) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 60; ++round) {
        fillRandom(model, rng, round % 2 ? 30 : 5000);
        const std::vector<uint8_t> expected = naiveSave(model);
        model.serializeBriefing();
        ASSERT_EQ(bytes(kEventAreaStart, static_cast<int>(expected.size())), expected)
            << "round " << round;
    }
}

TEST_F(BriefingCodec, RandomBriefingsSurviveSaveAndLoad) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 40; ++round) {
        fillRandom(model, rng, round % 2 ? 20 : 60000);
        model.setBriefingLength(static_cast<int>(rng() % 65536));
        const int endTime = model.briefingEndTime();
        const int length = model.briefingLength();
        // Expected per list: times below 65535, ordered by time, equal times
        // in their list order.
        std::vector<std::vector<Record>> expected(kKindCount);
        for (int k = 0; k < kKindCount; ++k) {
            const auto recs = model.records(static_cast<Kind>(k));
            for (int i = 0; i < static_cast<int>(recs.size()); ++i)
                if (recs[i].time < kWrittenMark) expected[k].push_back(recs[i]);
            std::stable_sort(expected[k].begin(), expected[k].end(),
                             [](const Record& a, const Record& b) { return a.time < b.time; });
        }
        const SerializeResult w = model.serializeBriefing();
        ASSERT_EQ(w.unwritten, 0);
        const ParseResult r = model.reparseAfterSave();
        ASSERT_EQ(r.status, ParseStatus::Ok);
        EXPECT_EQ(model.briefingEndTime(), endTime);
        EXPECT_EQ(model.briefingLength(), length);
        for (int k = 0; k < kKindCount; ++k) {
            const Kind kind = static_cast<Kind>(k);
            ASSERT_EQ(model.count(kind), static_cast<int>(expected[k].size()));
            for (int i = 0; i < model.count(kind); ++i) {
                const Record& got = model.record(kind, i);
                EXPECT_EQ(got.time, expected[k][i].time);
                for (int p = 0; p < kMaxParams; ++p)
                    EXPECT_EQ(got.param(p), expected[k][i].param(p)) << kindInfo(kind).name;
            }
        }
    }
}

}  // namespace
}  // namespace quendar::briefing
