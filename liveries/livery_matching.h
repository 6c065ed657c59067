#pragma once
// The matching ladders: which installed livery an aircraft wears. The
// simulator creates an AI aircraft by the title of an installed livery; a
// ladder picks that title from the catalogue (liveries/livery_catalog.h),
// from the most specific evidence down, no deeper than MATCHING_DEPTH:
//   1  the registration is bound to a title
//   2  a livery of the airline and model (then of the database's airline of
//      the registration, when the database names an operator)
//   3  a livery of the same airline for a similar model
//   4  a livery without an airline ("ZZZ") of the model
//   5  a livery of the model of any airline
//   6  a livery of any airline of a similar model, or of a random model of
//      the aircraft's size category
// Depth 1 stops after step 1, depth 2 after step 2, depth 3 reaches the
// fallback steps only for Light, Buzjets and Rotorcraft; depth 4 tries step
// 4 for every category. The live ladder counts its results for the summary;
// the static ladder follows the same steps with small differences. Both run
// on the worker thread; a title the simulator refused is never handed out.
//
// The ladders work on plain inputs; traffic/lifecycle/aircraft_livery.h
// applies them to the traffic manager's records and writes the log lines, and
// traffic/lifecycle/matching_summary.h sums them up.

#include <cstdint>
#include <string_view>

#include "liveries/aircraft_category.h"
#include "liveries/livery_catalog.h"

// What the ladders know of one aircraft.
struct LiverySubject {
    std::string_view airline;  // may be empty; "PVT" has a step of its own
    std::string_view model;
    std::string_view registration;  // may be empty
    AircraftCategory category = AircraftCategory::Large;
    bool cargo = false;  // wants a cargo livery
};

enum class LadderEnd : std::uint8_t {
    noLivery,  // nothing fits within MATCHING_DEPTH
    matched,   // title and step are set
    refused,   // the title found is one the simulator refused: no livery
};

struct LiveryMatch {
    LadderEnd end = LadderEnd::noLivery;
    TitleView title;         // set when matched
    std::uint32_t step = 0;  // 1 to 6 when matched
};

// The live ladder; a match is counted in liveryCatalog.matchStepCounts.
LiveryMatch gf_chooseLiveLivery(const LiverySubject& subject);

// The static ladder: the cargo flag is the stand's; counts nothing. It
// tries (airline, model) also for an empty airline, and similar models
// without the category test.
LiveryMatch gf_chooseStaticLivery(const LiverySubject& subject);
