// The livery catalogue and the live matching ladder at the size of a large
// installation: the catalogue is built at every start from tens of
// thousands of liveries, and a match runs on the worker for every new
// aircraft.
//
// The generated world: 120 types in blocks of the six categories and in
// similar groups of four; 500 airlines with 100 liveries each over a window
// of the types (so each lacks 20 types), every tenth a cargo livery, every
// third with a registration; liveries without airline ("ZZZ") of ten Heavy
// types; no livery at all of T003, a Light type.

#include <benchmark/benchmark.h>

#include <list>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_file.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_data.h"
#include "liveries/regcode_merge.h"
#include "liveries/similar_models.h"
#include "traffic/lifecycle/aircraft_livery.h"

namespace {

constexpr int kTypeCount = 120;
constexpr int kAirlineCount = 500;
constexpr int kLiveriesPerAirline = 100;
constexpr int kTypeWithoutLiveries = 3;

std::string lf_type(int index) { return fmtlib::format("T{:03}", index); }

// Three letters: "AAA", "AAB", ...
std::string lf_airline(int index) {
    return {'A', static_cast<char>('A' + index / 26), static_cast<char>('A' + index % 26)};
}

void lf_fillDatabase() {
    dbase = DbaseTables{};
    for (int index = 0; index < kTypeCount; ++index) {
        const std::string type = lf_type(index);
        dbase.knownAircraftTypes.insert(type);
        // 0-29 Light, 30-49 Buzjets, 50-89 Large, 90-109 Heavy, 110-114 HighPerf, 115-119 Rotorcraft.
        if (index >= 115) {
            dbase.rotorcraftTypes.insert(type);
        } else if (index >= 110) {
            dbase.highPerformanceTypes.insert(type);
        } else if (index >= 90) {
            dbase.heavyTypes.insert(type);
        } else if (index >= 50) {
            dbase.largeTypes.insert(type);
        } else if (index >= 30) {
            dbase.buzjetTypes.insert(type);
        }
        if (index % 4 == 0) {
            dbase.similarTypeGroups.push_back({type, lf_type(index + 1), lf_type(index + 2), lf_type(index + 3)});
        }
    }
}

// The liveries as LiveriesScanned.xml is read back.
void lf_fillLiveryList(int count) {
    liveryList.clear();
    for (int n = 0; n < count; ++n) {
        const int airline = n % kAirlineCount;
        int type = (n / kAirlineCount + airline) % kTypeCount;
        if (type == kTypeWithoutLiveries) {
            --type;
        }
        const std::string code = lf_airline(airline);
        const std::string model = lf_type(type);
        liveryList.push_back({code, model, fmtlib::format("{} {} livery {}", code, model, n),
                              n % 3 == 0 ? fmtlib::format("R{:06}", n) : "", 0, n % 10 == 9});
    }
    for (int type = 90; type < 100; ++type) {
        liveryList.push_back({"ZZZ", lf_type(type), fmtlib::format("House livery {}", type), "", 0, false});
    }
    // The file holds the liveries sorted; its reader appends them in that
    // order and sorts the list once more, so that the list's records lie in
    // memory in list order.
    gf_sortLiveryList();
    std::list<LiveryData> read;
    for (const LiveryData& livery : liveryList) {
        read.push_back(livery);
    }
    liveryList = std::move(read);
    gf_sortLiveryList();
}

// Registration lists over the generated titles: one entry per fifth
// livery, one in ten of them special (spread over the types, as the 17th
// and 67th livery of each airline's 100 are of different types).
std::vector<RegcodeEntry> lf_regcodeEntries() {
    std::vector<RegcodeEntry> entries;
    int position = 0;
    for (const LiveryData& livery : liveryList) {
        if (position % 5 == 1) {
            entries.push_back({livery.title,
                               {fmtlib::format("L{:06}", position), fmtlib::format("M{:06}", position)},
                               position % 50 == 16});
        }
        ++position;
    }
    return entries;
}

// What the start-up does with the scanned liveries once they are read.
void lf_buildCatalog(const std::vector<RegcodeEntry>& entries) {
    regcodeMessages.clear();
    buildAirlineModelCatalog();
    buildPaxCargoAirlineMaps();
    checkInlineRegcodes();
    mergeRegcodes(entries);
    buildModelTitleMaps();
    buildSimilarModelTables();
    for (const auto& category : aircraftCategoryNames) {
        logLiveryCategories(category.id);
    }
}

void BM_BuildCatalog(benchmark::State& state) {
    lf_fillDatabase();
    lf_fillLiveryList(static_cast<int>(state.range(0)));
    const std::vector<RegcodeEntry> entries = lf_regcodeEntries();
    for (auto _ : state) {
        lf_buildCatalog(entries);
        benchmark::DoNotOptimize(liveryCatalog.byAirline.size());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(liveryList.size()));
    state.counters["liveries"] = static_cast<double>(liveryList.size());
}
BENCHMARK(BM_BuildCatalog)->Arg(12500)->Arg(50000)->Unit(benchmark::kMillisecond);

// One aircraft whose livery the ladder finds at the given step.
LiveAc lf_aircraftForStep(std::int64_t step) {
    struct Wanted {
        std::string airline, type, registration;
    };
    const Wanted wanted[] = {
        {lf_airline(7), lf_type(10), "R000000"},  // 1: its registration is bound
        {lf_airline(0), lf_type(1), ""},          // 2: the airline has liveries of the type
        {lf_airline(1), lf_type(101), ""},        // 3: ... of T100, similar to T101
        {"NOA", lf_type(90), ""},                 // 4: a livery without airline of the type
        {"NOA", lf_type(10), ""},                 // 5: any airline's livery of the type (Light)
        {"NOA", lf_type(kTypeWithoutLiveries), ""},  // 6: a livery of a similar type
    };
    const Wanted& w = wanted[step - 1];
    LiveAc aircraft{ReportBlock{}, AcIdentity{}, 0.0};
    aircraft.identity.strings.airline = w.airline;
    aircraft.identity.strings.type = w.type;
    aircraft.identity.strings.registration = w.registration;
    aircraft.identity.category = gf_getAircraftCategory(w.type);
    return aircraft;
}

void BM_LiveMatch(benchmark::State& state) {
    lf_fillDatabase();
    lf_fillLiveryList(50000);
    lf_buildCatalog(lf_regcodeEntries());
    LOG.value = false;
    const std::int64_t step = state.range(0);
    const LiveAc aircraft = lf_aircraftForStep(step);
    const auto countBefore = liveryCatalog.matchStepCounts[static_cast<std::size_t>(step - 1)];
    for (auto _ : state) {
        LiveAc copy = aircraft;
        gf_matchLiveLivery(copy);
        benchmark::DoNotOptimize(copy.identity.liveryTitle.data());
    }
    if (liveryCatalog.matchStepCounts[static_cast<std::size_t>(step - 1)] - countBefore != state.iterations()) {
        state.SkipWithError("the aircraft did not match at its step");
    }
}
BENCHMARK(BM_LiveMatch)->DenseRange(1, 6)->Unit(benchmark::kNanosecond);

}  // namespace
