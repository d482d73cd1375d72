#include "V5Import.h"

#include <map>
#include <set>

#include "DataStore.h"
#include "SharedRoutines.h"

Time64 V5PairDate(const V5BreedingSeasonRecord& season) {
    return MakeLocalTime(1, 3, season.date.year, 1, 1, 1).value_or(kNoDate);
}

Time64 V5LocalTime(const V5Date& d) {
    return MakeLocalTime(d.day, d.month, d.year, d.hour, d.minute, d.second).value_or(kNoDate);
}

namespace {

// One run: the writes go through a store of the run's own, so the program's store keeps what
// it had loaded until it is reloaded from the files.
class Run {
public:
    Run(const V5Data& data, const V5ImportOptions& options) : data_(data), options_(options) {}

    V5ImportSummary Go() {
        DataStoreBatch batch;
        if (!batch.ok()) return {};
        const bool written = LoftsAndCategories() && Birds() && Memberships() && WriteBack() &&
                             (!options_.pairs || Pairs()) && (!options_.flights || Flights());
        summary_.ok = written && batch.Commit();
        return summary_;
    }

private:
    // The new id of a version-5 bird id; 0 when that bird was not imported.
    int NewId(const Text& v5Id) const {
        const auto found = idMap_.find(v5Id);
        return found == idMap_.end() ? 0 : found->second;
    }

    // Loft names are unique in the file: a version-5 loft whose name is taken (by a loft there
    // already, or by another version-5 loft) gets the first free "name (2)", "name (3)", ….
    Text FreeLoftName(const Text& name) {
        Text candidate = name;
        for (long long n = 2; taken_.count(candidate) > 0; ++n) {
            candidate = name + u" (" + NumberText(n) + u")";
        }
        taken_.insert(candidate);
        return candidate;
    }

    bool LoftsAndCategories() {
        writer_.LoadLofts();
        for (const LoftRecord& loft : writer_.Lofts()) taken_.insert(loft.nazwahodowli);
        for (const V5LoftRecord& v5Loft : data_.lofts) {
            LoftRecord loft;
            loft.nazwahodowli = FreeLoftName(v5Loft.DisplayName());
            if (!writer_.WriteLoft(WriteMode::Insert, loft)) return false;
            loftIds_.push_back(loft.id);
            ++summary_.lofts;
            std::vector<int>& categories = categoryIds_.emplace_back();
            for (const V5GroupRecord& group : v5Loft.groups) {
                CategoryRecord category;
                category.id_hodowli = loft.id;
                category.nazwakategorii = group.Name();
                if (!writer_.WriteCategory(WriteMode::Insert, category)) return false;
                categories.push_back(category.id);
                ++summary_.categories;
            }
        }
        return true;
    }

    bool Birds() {
        for (const V5PigeonRecord& v5Bird : data_.pigeons) {
            if (v5Bird.id.empty() || !v5Bird.fileRead) {
                ++summary_.skippedPigeons;
                summary_.skippedPigeonIds.push_back(v5Bird.id);
                continue;
            }
            PigeonRecord bird;
            bird.CopyFromV5Record(v5Bird);
            if (!writer_.WritePigeon(WriteMode::Insert, bird)) return false;
            idMap_[v5Bird.id] = bird.id;
            indexOf_[bird.id] = imported_.size();
            imported_.push_back(std::move(bird));
            ++summary_.pigeons;
        }
        for (PigeonRecord& bird : imported_) {
            bird.id_ojca = NewId(bird.v5FatherKey);
            bird.id_matki = NewId(bird.v5MotherKey);
        }
        // A bird takes the loft of the (last) group that lists it; one in no group keeps 0.
        for (std::size_t l = 0; l < data_.lofts.size(); ++l) {
            for (const V5GroupRecord& group : data_.lofts[l].groups) {
                for (const Text& member : group.memberIds) {
                    const auto found = indexOf_.find(NewId(member));
                    if (found != indexOf_.end()) imported_[found->second].id_hodowli = loftIds_[l];
                }
            }
        }
        return true;
    }

    // Members in file order, so each category keeps its group's bird order.
    bool Memberships() {
        for (std::size_t l = 0; l < data_.lofts.size(); ++l) {
            const std::vector<V5GroupRecord>& groups = data_.lofts[l].groups;
            for (std::size_t g = 0; g < groups.size(); ++g) {
                for (const Text& member : groups[g].memberIds) {
                    const int pigeonId = NewId(member);
                    if (pigeonId == 0) {
                        ++summary_.skippedMemberships;
                        continue;
                    }
                    if (!writer_.AddPigeonToCategory(categoryIds_[l][g], pigeonId)) return false;
                    ++summary_.memberships;
                }
            }
        }
        return true;
    }

    // Parents and lofts were known only once every bird had its id.
    bool WriteBack() {
        for (PigeonRecord& bird : imported_) {
            if (!writer_.WritePigeon(WriteMode::Update, bird)) return false;
        }
        return true;
    }

    // Lists a record left out by a rule; `pair` is the one it is or belongs to.
    V5LeftOutRecord& LeftOut(const RuleCheck& check, const V5PairRecord& pair) {
        V5LeftOutRecord& left = summary_.leftOut.emplace_back();
        left.rule = check.rule;
        left.cockId = pair.cockId;
        left.henId = pair.henId;
        return left;
    }

    bool Pairs() {
        for (std::size_t l = 0; l < data_.lofts.size(); ++l) {
            for (const V5BreedingSeasonRecord& season : data_.lofts[l].breedingSeasons) {
                const Time64 date = V5PairDate(season);
                for (const V5PairRecord& v5Pair : season.pairs) {
                    PairRecord pair;
                    pair.id_hodowli = loftIds_[l];
                    pair.id_samca = NewId(v5Pair.cockId);
                    pair.id_samicy = NewId(v5Pair.henId);
                    if (!v5Pair.texts.empty()) pair.uwagi = v5Pair.texts.front();
                    pair.DataParowania = date;
                    pair.DataDodania = date;
                    const RuleCheck pairRule = writer_.CheckPair(WriteMode::Insert, pair);
                    if (!pairRule.Kept()) {
                        V5LeftOutRecord& left = LeftOut(pairRule, v5Pair);
                        left.youngAlong = static_cast<int>(v5Pair.young.size());
                        continue;
                    }
                    if (!writer_.WritePair(WriteMode::Insert, pair)) return false;
                    ++summary_.pairs;
                    for (const V5YoungRecord& v5Young : v5Pair.young) {
                        YoungRecord young;
                        young.id_golebia = NewId(v5Young.pigeonId);
                        if (young.id_golebia == 0) {
                            ++summary_.skippedYoung;
                            continue;
                        }
                        young.id_pary = pair.id;
                        young.id_hodowli = loftIds_[l];
                        young.DataDodania = date;
                        young.uwagi = v5Young.notes;
                        const RuleCheck youngRule = writer_.CheckYoung(
                            WriteMode::Insert, young, pair.id_samca, pair.id_samicy);
                        if (!youngRule.Kept()) {
                            LeftOut(youngRule, v5Pair).pigeonId = v5Young.pigeonId;
                            continue;
                        }
                        if (!writer_.WriteYoung(WriteMode::Insert, young)) return false;
                        ++summary_.young;
                    }
                }
            }
        }
        return true;
    }

    static const Text& TextAt(const std::vector<Text>& texts, std::size_t i) {
        static const Text empty;
        return i < texts.size() ? texts[i] : empty;
    }

    bool Flights() {
        for (std::size_t l = 0; l < data_.lofts.size(); ++l) {
            for (const V5FlightSeriesRecord& series : data_.lofts[l].flightSeries) {
                for (const V5FlightRecord& v5Flight : series.flights) {
                    FlightRecord flight;
                    flight.id_hodowli = loftIds_[l];
                    flight.typ = v5Flight.type;
                    flight.liczba_hodowcow = v5Flight.breeders;
                    flight.odleglosckm = v5Flight.distanceKm;
                    flight.odlegloscm = v5Flight.distanceM;
                    flight.golebi_oddzial = v5Flight.branchBirds;
                    flight.golebi_sekcja = v5Flight.sectionBirds;
                    flight.konkursow_sekcja = v5Flight.sectionCompetitions;
                    flight.konkursow_oddzial = v5Flight.branchCompetitions;
                    flight.wlozonychgolebi = v5Flight.basketed;
                    flight.iloscwkonkursie = v5Flight.inCompetition;
                    flight.miejscowosc = TextAt(v5Flight.texts, 0);
                    flight.pogodalokalna = TextAt(v5Flight.texts, 1);
                    flight.pogodawmiejscuwypuszczenia = TextAt(v5Flight.texts, 2);
                    flight.notatki = TextAt(v5Flight.texts, 3);
                    if (v5Flight.dates.size() >= 2) {
                        flight.czasodlotu = V5LocalTime(v5Flight.dates[0]);
                        flight.czas_trwania_konkursu_g = v5Flight.dates[1].hour;
                        flight.czas_trwania_konkursu_m = v5Flight.dates[1].minute;
                        flight.czas_trwania_konkursu_s = v5Flight.dates[1].second;
                    }
                    if (!writer_.WriteFlight(WriteMode::Insert, flight)) return false;
                    ++summary_.flights;
                    for (const V5FlightResultRecord& v5Result : v5Flight.results) {
                        FlightResultEntry result;
                        result.id_golebia = NewId(v5Result.pigeonId);
                        if (result.id_golebia == 0) {
                            ++summary_.skippedResults;
                            continue;
                        }
                        result.id_hodowli = loftIds_[l];
                        result.id_lotu = flight.id;
                        result.nr_konkursu = v5Result.branchPosition;
                        result.nr_konkursu_sekcja = v5Result.sectionPosition;
                        result.CoefficientOddzialowy = v5Result.branchCoefficient;
                        result.CoefficientSekcyjny = v5Result.sectionCoefficient;
                        result.PunktyOddzial = v5Result.branchPoints;
                        result.PunktySekcja = v5Result.sectionPoints;
                        result.notatki = v5Result.notes;
                        result.DataCzasPrzylotu = V5LocalTime(v5Result.arrival);
                        // An arrival at or before the release is the breeder's own record, with
                        // its positions and points: it is copied as the old files hold it.
                        const RuleCheck resultRule = writer_.CheckFlightResult(
                            WriteMode::Insert, result, RecordOrigin::Copied);
                        if (!resultRule.Kept()) {
                            V5LeftOutRecord& left = LeftOut(resultRule, {});
                            left.pigeonId = v5Result.pigeonId;
                            left.flightPlace = flight.miejscowosc;
                            left.flightRelease = flight.czasodlotu;
                            continue;
                        }
                        if (!writer_.WriteFlightResult(WriteMode::Insert, result,
                                                       RecordOrigin::Copied)) {
                            return false;
                        }
                        ++summary_.results;
                    }
                }
            }
        }
        return true;
    }

    const V5Data& data_;
    const V5ImportOptions options_;
    CDataStore writer_;
    V5ImportSummary summary_;
    std::vector<int> loftIds_;
    std::vector<std::vector<int>> categoryIds_;
    std::map<Text, int> idMap_;
    std::set<Text> taken_;
    std::map<int, std::size_t> indexOf_;
    std::vector<PigeonRecord> imported_;
};

}  // namespace

V5ImportSummary ImportV5Data(const V5Data& data, const V5ImportOptions& options) {
    return Run(data, options).Go();
}
