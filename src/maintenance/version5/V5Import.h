#pragma once
// Writes what was read from a version-5 folder into the install folder's database files: its
// lofts with their groups as categories, its birds with their parents, lofts and category
// places, and, when asked, its breeding pairs with their young and its flights with their
// results. Everything is written in one batch: the files get all of it or none of it.
//
// A bird whose file was missing (or whose id is empty) is not imported; group members, young
// and results that name a bird that was not imported are left out, so no row names bird 0.
// Parents and a pair's cock or hen that were not imported become 0. Dates that cannot be turned
// into a local time are stored as not set.
//
// A pair, young or result that breaks a rule of the data store (RecordRule) is left out and
// listed, and the run goes on: a pair whose cock and hen are one bird (with its young), a young
// that is its pair's cock or hen or their forebear or already the young of a pair, a bird's
// second result in one flight.

#include "DataStore.h"
#include "V5Data.h"

struct V5ImportOptions {
    bool pairs = true;
    bool flights = false;
};

// A record of the old files left out because it could not be true, by the ids the files give.
struct V5LeftOutRecord {
    RecordRule rule = RecordRule::Kept;
    Text cockId, henId;             // the pair left out, or the young's pair
    Text pigeonId;                  // the young, or the bird of the result
    Text flightPlace;               // the result's flight
    Time64 flightRelease = kNoDate;
    int youngAlong = 0;             // the young of a pair left out, left out with it
};

struct V5ImportSummary {
    bool ok = false;  // false: the database refused a write and nothing was kept
    int lofts = 0;
    int categories = 0;
    int pigeons = 0;
    int memberships = 0;
    int pairs = 0;
    int young = 0;
    int flights = 0;
    int results = 0;
    int skippedPigeons = 0;      // named by IDS but not imported
    std::vector<Text> skippedPigeonIds;  // their ids, in IDS order (an empty id stays empty)
    int skippedMemberships = 0;  // group members whose bird was not imported
    int skippedYoung = 0;
    int skippedResults = 0;
    std::vector<V5LeftOutRecord> leftOut;  // in the order the files hold them
};

V5ImportSummary ImportV5Data(const V5Data& data, const V5ImportOptions& options);

// 1 March of the season's year at 01:01:01 local time, the date the import gives a pair; -1
// when that cannot be represented.
Time64 V5PairDate(const V5BreedingSeasonRecord& season);
// A version-5 date as a local time; -1 when it cannot be represented.
Time64 V5LocalTime(const V5Date& date);
