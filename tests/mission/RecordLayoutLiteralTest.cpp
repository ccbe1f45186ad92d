// The shipgroup record's field positions, copied by hand from the record's
// documented layout; a field moved by one byte fails here.
#include <gtest/gtest.h>

#include "mission/MissionStore.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::mission {
namespace {

TEST(RecordLayoutLiterals, ShipgroupFieldsSitAtTheirDocumentedOffsets) {
    struct Field {
        const char* name;
        int code;
        int literal;
    };
    const Field fields[] = {
        {"name", sg::name, 0},
        {"additionalInfo1Enable", sg::additionalInfo1Enable, 20},
        {"additionalInfo2Enable", sg::additionalInfo2Enable, 21},
        {"additionalInfo1", sg::additionalInfo1, 22},
        {"additionalInfo2", sg::additionalInfo2, 23},
        {"specialCargoIndex", sg::specialCargoIndex, 25},
        {"cargo", sg::cargo, 40},
        {"comment", sg::comment, 60},
        {"specialCargoCraft", sg::specialCargoCraft, 105},
        {"specialCargoRandom", sg::specialCargoRandom, 106},
        {"craftType", sg::craftType, 107},
        {"craftCount", sg::craftCount, 108},
        {"status1", sg::status1, 109},
        {"warhead", sg::warhead, 110},
        {"beam", sg::beam, 111},
        {"iff", sg::iff, 112},
        {"team", sg::team, 113},
        {"aiSkill", sg::aiSkill, 114},
        {"markings", sg::markings, 115},
        {"radio", sg::radio, 116},
        {"formation", sg::formation, 118},
        {"formationDistance", sg::formationDistance, 119},
        {"globalGroup", sg::globalGroup, 120},
        {"waves", sg::waves, 122},
        {"playerCraft", sg::playerCraft, 125},
        {"byte 129", sg::byte129, 129},
        {"arrivalTrigger1", sg::arrivalTrigger1, 136},
        {"arrivalTrigger2", sg::arrivalTrigger2, 142},
        {"arrivalValueA", sg::arrivalValueA, 148},
        {"arrivalValueB", sg::arrivalValueB, 149},
        {"arrivalOr12", sg::arrivalOr12, 150},
        {"arrivalTrigger3", sg::arrivalTrigger3, 152},
        {"arrivalTrigger4", sg::arrivalTrigger4, 158},
        {"arrivalValueC", sg::arrivalValueC, 164},
        {"arrivalValueD", sg::arrivalValueD, 165},
        {"arrivalOr34", sg::arrivalOr34, 166},
        {"arrivalOrConditions", sg::arrivalOrConditions, 168},
        {"arrivalDelayMinutes", sg::arrivalDelayMinutes, 170},
        {"arrivalDelaySeconds", sg::arrivalDelaySeconds, 171},
        {"departureTrigger1", sg::departureTrigger1, 172},
        {"departureTrigger2", sg::departureTrigger2, 178},
        {"departureValueA", sg::departureValueA, 184},
        {"departureValueB", sg::departureValueB, 185},
        {"departureOr", sg::departureOr, 186},
        {"departureDelayMinutes", sg::departureDelayMinutes, 188},
        {"departureDelaySeconds", sg::departureDelaySeconds, 189},
        {"arrivalMothership1", sg::arrivalMothership1, 194},
        {"arrivalMethod1", sg::arrivalMethod1, 195},
        {"arrivalMothership2", sg::arrivalMothership2, 196},
        {"arrivalMethod2", sg::arrivalMethod2, 197},
        // The departure motherships and methods have bytes of their own.
        {"departureMothership1", sg::departureMothership1, 198},
        {"departureMethod1", sg::departureMethod1, 199},
        {"departureMothership2", sg::departureMothership2, 200},
        {"departureMethod2", sg::departureMethod2, 201},
        {"orders", sg::orders, 202},
        {"order region 1 slot 2", sg::orderOffset(1, 2), 202 + 592 + 296},
        {"order region 3 slot 3", sg::orderOffset(3, 3), 202 + 3 * 592 + 3 * 148},
        {"waypoint 8 of region 2 slot 4", sg::waypointOffset(2, 3, 7), 202 + 1184 + 444 + 20 + 56},
        {"goals", sg::goals, 2826},
        {"goal 8", sg::goalOffset(7), 2826 + 7 * 80},
        {"startPoints", sg::startPoints, 3466},
        {"start point 4", sg::startPointOffset(3), 3490},
        {"startPointRegion", sg::startPointRegion, 3498},
        {"countermeasure", sg::countermeasure, 3527},
        {"status2", sg::status2, 3529},
        {"globalUnit", sg::globalUnit, 3530},
        {"optionalWarheads", sg::optionalWarheads, 3532},
        {"optionalBeams", sg::optionalBeams, 3540},
        {"optionalCountermeasures", sg::optionalCountermeasures, 3546},
        {"optionalShipMode", sg::optionalShipMode, 3550},
        {"optionalShipType", sg::optionalShipType, 3551},
        {"optionalShipCount", sg::optionalShipCount, 3561},
        {"optionalShipWaves", sg::optionalShipWaves, 3571},
        {"backdrop", sg::backdrop, 3602},
    };
    for (const Field& f : fields) EXPECT_EQ(f.code, f.literal) << f.name;
    EXPECT_EQ(kShipgroupSize, 3646);
}

}  // namespace
}  // namespace quendar::mission
