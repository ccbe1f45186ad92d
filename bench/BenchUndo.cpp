// Undo and redo of the heaviest list operation, and what the journal holds
// after a long session of small edits.
#include <benchmark/benchmark.h>

#include "app/files/MissionIO.h"
#include "shipgroup/ShipgroupList.h"
#include "support/LargestMission.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"

namespace {

using namespace quendar;

// Deleting shipgroup 0 of the largest mission moves 198 records and their
// texts and renumbers every reference; one iteration takes it back and puts
// it back again.
void BM_UndoRedo_DeleteShipgroup(benchmark::State& state) {
    const std::vector<uint8_t> file = testing::largestMissionFile();
    app::Editor editor;
    {
        mission::ChangeJournal::Pause pause(editor.journal);
        app::loadMissionBytes(editor, file);
    }
    editor.journal.clear();
    testing::ScriptedPrompter prompter;
    testing::StubShipgroupPort port;
    shipgroup::ShipgroupContext ctx(editor.store, editor.shipgroupEvents, prompter, port);
    shipgroup::ShipgroupList list(ctx);
    editor.store.currentShipgroup = 0;
    if (!list.deleteSelected() || editor.journal.undoName() != "Delete shipgroup") {
        state.SkipWithError("the deletion was not journalled");
        return;
    }
    for (auto _ : state) {
        editor.journal.undo();
        editor.journal.redo();
    }
    state.counters["journal_bytes"] = static_cast<double>(editor.journal.memoryUse());
}
BENCHMARK(BM_UndoRedo_DeleteShipgroup)->Unit(benchmark::kMicrosecond);

// 100,000 single-byte edits, each its own action: the time to record them and
// the journal's memory afterwards (it must stay under 16 MB).
void BM_Journal_HundredThousandSingleByteEdits(benchmark::State& state) {
    size_t memory = 0;
    for (auto _ : state) {
        mission::MissionStore store;
        mission::ChangeJournal journal(store);
        for (int i = 0; i < 100000; ++i) {
            core::ActionScope action(journal, "Edit Skill");
            store.setByte(mission::Table::Messages, i % mission::kMaxMessages, i % 7,
                          static_cast<uint8_t>(i % 251 + 1));
        }
        memory = journal.memoryUse();
        benchmark::DoNotOptimize(memory);
    }
    state.counters["journal_MB"] = static_cast<double>(memory) / (1 << 20);
}
BENCHMARK(BM_Journal_HundredThousandSingleByteEdits)->Unit(benchmark::kMillisecond);

}  // namespace
