#pragma once

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "briefing/BriefingKinds.h"
#include "briefing/CommandList.h"
#include "briefing/UndoLog.h"

namespace quendar::core {
class ActionGroups;
}
namespace quendar::mission {
class ChangeJournal;
class MissionStore;
}  // namespace quendar::mission

namespace quendar::briefing {

// Layout of briefing 1's raw block in the store.
constexpr int kLengthOffset = 0;      // length mark, bytes 0-1
constexpr int kLengthCopyOffset = 2;  // written equal to the length mark
constexpr int kEventAreaStart = 10;   // first command
constexpr int kEventAreaEnd = 17418;  // one past the last byte of the event area
constexpr int kEventAreaSize = kEventAreaEnd - kEventAreaStart;  // 17408
constexpr int kTeamFlagsOffset = 17418;                          // teams 1..8
constexpr int kTeamFlagCount = 8;
constexpr int kEndCommandSize = 4;

// Times 0..65534 are command times. The saver marks a written record with
// 65535, and records at 65535 or above are never written.
constexpr int32_t kWrittenMark = 65535;
constexpr int kDefaultBriefingTime = 3000;  // length and end time of a new briefing

// The time slider runs over 0 .. briefing end time with these steps.
constexpr int kSliderLineStep = 10;
constexpr int kSliderPageStep = 100;

// Playback state that loading, saving, New and Reset Briefing 1 put back.
enum PlayState : int { kPlaying = 1, kStopped = 2, kStepped = 3 };
constexpr int kTickSlow = 150;
constexpr int kTickNormal = 56;
constexpr int kTickFast = 35;

struct Playback {
    int playState = kStopped;
    int tickInterval = kTickNormal;  // ms between playback ticks
    int stepSize = 1;                // units per single step, 1..5
    bool briefingLock = true;        // the view follows the briefing
    bool briefingMode = false;       // the map shows the briefing
    // The window's playback timer runs. The resets leave it alone: a playback
    // that runs when a mission is opened or saved goes on from 0.
    bool timerRunning = false;
};

// A command named by its list and its position in the list.
struct CommandRef {
    Kind kind;
    int index;
    bool operator==(const CommandRef&) const = default;
};

enum class ParseStatus {
    Ok,              // unpacked up to the end command
    ListFull,        // reached the end command, but some commands did not fit their list
    UnknownCommand,  // stopped at a code outside the command set
    NoEndCommand,    // ran to the end of the event area without an end command
};

struct ParseResult {
    ParseStatus status = ParseStatus::Ok;
    int commandsRead = 0;
    // Commands left out because their list was full (counted also when
    // unpacking stopped early).
    int droppedCommands = 0;
    int unknownCode = -1;  // the code word that stopped unpacking
    int stopOffset = -1;   // byte offset in the block where unpacking stopped
    // Whether the end command was reached: the end time was taken from it and
    // the time slider's range follows it.
    bool endReached() const { return status == ParseStatus::Ok || status == ParseStatus::ListFull; }
};

struct ListsSnapshot;

struct SerializeResult {
    int written = 0;  // commands written, the end command not counted
    // Commands left in the lists because the event area was full: the latest
    // ones in time order. The end command always fits.
    int unwritten = 0;
    int droppedNegative = 0;  // negative times, never shown and never written
    int droppedMarked = 0;    // times of 65535 and above
    int bytesUsed = 0;        // event area bytes, the end command included
};

// Briefing 1 in its unpacked form: one list per command kind, the end time,
// the editing position and the playback settings. The length mark and the
// team flags stay where the mission keeps them (the store's briefing length
// and the block's team bytes), so there is one copy of each.
//
// The model is bound to the store whose briefing 1 block it unpacks and packs.
// Every change of the lists, the end time and the tools' undo log goes into
// the store's change journal as it happens (the length mark and the team
// flags are store data and are journalled by the store).
class BriefingModel {
  public:
    static constexpr int kNoLimit = std::numeric_limits<int>::max();

    explicit BriefingModel(mission::MissionStore& store);
    ~BriefingModel();
    BriefingModel(const BriefingModel&) = delete;
    BriefingModel& operator=(const BriefingModel&) = delete;

    // The store's journal as the action groups the briefing forms open their
    // actions in (none when the store has no journal).
    core::ActionGroups* actionGroups() const;

    // --- the command lists
    const CommandList& list(Kind kind) const;
    int count(Kind kind) const { return list(kind).count(); }
    int capacity(Kind kind) const { return list(kind).capacity(); }
    std::span<const Record> records(Kind kind) const { return list(kind).records(); }
    const Record& record(Kind kind, int index) const { return list(kind).at(index); }
    int totalCount() const;
    // Undo and redo of the briefing tools move a list's count; it stays within
    // the records the list holds.
    void setCount(Kind kind, int count);

    // Appends a command at the end of its list. False when the list already
    // holds `limit` records (the tools' limits are 499 or 999) or is full.
    // Missing parameters are 0, extra ones are ignored.
    bool appendCommand(Kind kind, int32_t time, std::span<const int> params, int limit = kNoLimit);
    bool appendCommand(Kind kind, int32_t time, std::initializer_list<int> params = {},
                       int limit = kNoLimit) {
        return appendCommand(kind, time, std::span<const int>(params.begin(), params.size()),
                             limit);
    }
    // The commands at `time`, in listing order (kListingOrder), within a kind
    // in list order.
    std::vector<CommandRef> commandsAt(int32_t time) const;
    bool deleteCommand(Kind kind, int index);
    // Adds delta to every time greater than `from` and below 65535; records at
    // `from` stay. End time and length do not move.
    void shiftTimes(int32_t from, int32_t delta);

    // --- end time, length mark, team flags
    int briefingEndTime() const { return m_endTime; }
    void setBriefingEndTime(int time);
    int briefingLength() const;
    void setBriefingLength(int length);
    // The "Saving problem occured" question is due: the length mark lies
    // after the end command.
    bool lengthMarkAfterEnd() const { return briefingLength() > m_endTime; }
    // The OK answer of that question (and what the "Briefing length" form
    // does when the end time moves before the mark): length = end time.
    void correctLengthMark() { setBriefingLength(m_endTime); }
    bool teamSeesBriefing(int team) const;  // team 0..7
    void setTeamSeesBriefing(int team, bool sees);

    // --- editing position and playback
    int32_t currentTime() const { return m_currentTime; }
    void setCurrentTime(int32_t time) { m_currentTime = time; }
    Playback& playback() { return m_playback; }
    const Playback& playback() const { return m_playback; }
    // T = 0, stopped, normal speed, step 1 (a running timer is the window's).
    void resetPlayback();

    // --- the undo log of the briefing tools (emptied by New and Open, kept by Save)
    UndoLog& undoLog() { return m_undo; }
    const UndoLog& undoLog() const { return m_undo; }

    // --- packing and unpacking briefing 1's block
    // Empties the lists and fills them from the store's block; see
    // BriefingCodec.cpp for the rules.
    ParseResult parseBriefing();
    // After a save: end time 3000, then unpack what was written. Records
    // behind the counts stay; the journal takes the change as a bridge.
    ParseResult reparseAfterSave();
    // Writes the length mark, the commands in save order and the end command.
    // Written records are marked with 65535 in the lists.
    //
    // For the journal the marks and the re-read that follows them are one
    // change: the lists before the marks are kept until reparseAfterSave()
    // hands the journal the change from them to the lists it reads; if
    // something else changes the lists before the re-read, the marks are
    // journalled on their own first.
    SerializeResult serializeBriefing();
    // The Save's packing: the block as serializeBriefing writes it, but the
    // lists keep their times (no marks), so that whatever runs before the
    // re-read (a message box, the recovery timer) sees the lists whole. The
    // block is the file's copy of the lists and is not journalled.
    SerializeResult packForSave();
    // The file was not written: the block goes back to what it held.
    void saveFailed();
    // The save's packing and re-read in one go (the file writer reads only
    // the store, which the re-read leaves as it is).
    struct SaveOutcome {
        SerializeResult packed;
        ParseResult reread;
    };
    SaveOutcome packAndReread();
    // Packs the lists into another store's briefing 1 block (a copy of this
    // one, for the recovery file), leaving the lists, the marks and this
    // store as they are.
    SerializeResult packInto(mission::MissionStore& target) const;
    // How many commands serializeBriefing would leave out for lack of room.
    int unwrittenOnSave() const;

    // Reset Briefing 1 (after the user said Yes): clears the block, writes the
    // default length and a lone end command, empties the lists.
    void resetBriefing1();
    // The briefing part of the new-mission reset (also the start of Open):
    // lists empty, end time and length 3000, playback and lock back to their
    // start values. The block itself is cleared by the store's reset.
    void resetForNewMission();

  private:
    friend class ListsAccess;
    struct SavePlan;
    // The journal when it is recording (a save's marks still waiting for
    // their re-read are journalled first), else none.
    mission::ChangeJournal* recorder();
    ParseResult reread();
    void emptyLists();
    ParseResult parseLists();
    void planSave(SavePlan& plan) const;
    void writeBlock(std::span<uint8_t> block, const SavePlan& plan) const;

    mission::MissionStore& m_store;
    std::vector<CommandList> m_lists;
    // Work space of the saver's sort, one key per record the lists can hold.
    // Room for a key per record the lists can hold, left uninitialised so
    // that only what a save uses is ever touched.
    std::unique_ptr<uint64_t[]> m_saveKeys;
    std::unique_ptr<uint64_t[]> m_saveScratch;
    std::vector<uint8_t> m_packBuffer;  // briefing 1's block while it is packed
    int m_endTime = kDefaultBriefingTime;
    int32_t m_currentTime = 0;
    Playback m_playback;
    UndoLog m_undo;
    // The lists as they were before a save marked them, until the re-read.
    std::unique_ptr<ListsSnapshot> m_saveBefore;
    // Briefing 1's block before packForSave, until the re-read or saveFailed.
    std::vector<uint8_t> m_blockBeforeSave;
};

}  // namespace quendar::briefing
