// The matching ladders: every step of the live and the static ladder, the
// MATCHING_DEPTH cut-offs, refused and special titles, the choice with and
// without RANDOM, what the ladders write into the aircraft records and the
// log, and the summary of the live matches.

#include <gtest/gtest.h>

#include <set>

#include "core/format.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_matching.h"
#include "liveries/regcode_merge.h"
#include "liveries/similar_models.h"
#include "liveries/support/liveries_fixture.h"
#include "traffic/lifecycle/aircraft_livery.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/lifecycle/matching_summary.h"
#include "traffic/traffic_state.h"

namespace {

using test::makeLivery;

// A subject and where a ladder leaves it (title "" and step 0: no livery).
struct LadderCase {
    int depth;
    std::string_view airline, model, registration;
    bool cargo;
    std::string_view title;
    std::uint32_t step;
};

class LiveryMatchingTest : public test::LiveriesTest {
protected:
    LiveryMatchingTest() {
        loadDbase();
        buildCatalog({makeLivery("KLM", "B738", "KLM 737", "PH-BXA"),
                      makeLivery("KLM", "B738", "KLM 737 freighter", "", true), makeLivery("KLM", "A320", "KLM A320"),
                      makeLivery("DLH", "A320", "Lufthansa A320"), makeLivery("DLH", "A321", "FSLTL_DLH A321"),
                      makeLivery("BAW", "B738", "BA 737"), makeLivery("FDX", "B763", "FedEx 767", "", true),
                      makeLivery("ZZZ", "B77W", "Boeing 777 house"), makeLivery("ZZZ", "C172", "Club C172"),
                      makeLivery("EJA", "C56X", "NetJets 56X")});
    }

    static LiverySubject subject(const LadderCase& c) {
        return {c.airline, c.model, c.registration, gf_getAircraftCategory(c.model), c.cargo};
    }

    template <class Ladder>
    static void expectLadder(const std::vector<LadderCase>& cases, Ladder ladder) {
        for (const LadderCase& c : cases) {
            MATCHING_DEPTH.value = c.depth;
            const LiveryMatch match = ladder(subject(c));
            EXPECT_EQ(match.title, c.title) << c.depth << " " << c.airline << " " << c.model << " " << c.registration;
            EXPECT_EQ(match.step, c.step) << c.depth << " " << c.airline << " " << c.model << " " << c.registration;
            EXPECT_EQ(match.end, c.title.empty() ? LadderEnd::noLivery : LadderEnd::matched);
        }
    }

    static AcIdentity identity(std::string airline, std::string type, std::string registration = "") {
        AcIdentity identity;
        identity.strings.airline = std::move(airline);
        identity.strings.type = std::move(type);
        identity.strings.callsign = "CS123";
        identity.strings.registration = std::move(registration);
        identity.category = gf_getAircraftCategory(identity.strings.type);
        return identity;
    }
};

TEST_F(LiveryMatchingTest, LiveLadderSteps) {
    expectLadder(
        {
            {4, "KLM", "B738", "PH-BXA", false, "KLM 737", 1},        // registration
            {1, "DLH", "A320", "PH-BXA", false, "KLM 737", 1},        // whatever the airline
            {4, "KLM", "B738", "", false, "KLM 737", 2},              // airline and model
            {4, "KLM", "B738", "", true, "KLM 737 freighter", 2},     // cargo first
            {4, "BAW", "B738", "", true, "BA 737", 2},                // a cargo aircraft takes pax
            {4, "FDX", "B763", "", false, "", 0},                     // a pax aircraft never takes cargo
            {4, "FDX", "B763", "", true, "FedEx 767", 2},
            {2, "KLC", "A320", "PH-EXA", false, "KLM A320", 2},       // the operator's airline
            {2, "KLC", "A320", "PHEXA", false, "KLM A320", 2},
            {4, "DLH", "A319", "", false, "Lufthansa A320", 3},       // similar model of the airline
            {4, "KLC", "A319", "PH-EXA", false, "KLM A320", 3},       // ... of the operator's airline
            {4, "UAL", "B77W", "", false, "Boeing 777 house", 4},     // without airline
            {2, "PVT", "C172", "", false, "Club C172", 4},            // private: at depth 2 already
            {4, "XYZ", "C56X", "", false, "NetJets 56X", 5},          // any airline
            {4, "XYZ", "C182", "", false, "Club C172", 6},            // any airline, similar model
            {4, "XYZ", "P28A", "", false, "Club C172", 6},            // a random Light model
            {3, "", "C56X", "", false, "NetJets 56X", 5},             // no airline: to the fallback
        },
        gf_chooseLiveLivery);
}

TEST_F(LiveryMatchingTest, DepthCutOffs) {
    expectLadder(
        {
            {1, "KLM", "B738", "", false, "", 0},          // registration only
            {2, "KLM", "B738", "", false, "KLM 737", 2},
            {2, "DLH", "A319", "", false, "", 0},          // similar models from depth 3
            {3, "DLH", "A319", "", false, "Lufthansa A320", 3},
            {3, "UAL", "B77W", "", false, "", 0},          // Heavy: no fallback at depth 3
            {4, "UAL", "B77W", "", false, "Boeing 777 house", 4},
            {2, "XYZ", "C172", "", false, "", 0},
            {3, "XYZ", "C172", "", false, "Club C172", 4},  // Light: "ZZZ" at depth 3
            {3, "PVT", "C56X", "", false, "NetJets 56X", 5},
            {4, "", "B738", "", false, "", 0},             // Large without airline finds nothing
        },
        gf_chooseLiveLivery);
}

TEST_F(LiveryMatchingTest, StaticLadderSteps) {
    // The static ladder tries similar models without the category test.
    airlineSimilarModels["KLM"]["C172"] = {"B738"};
    expectLadder(
        {
            {4, "KLM", "B738", "PH-BXA", false, "KLM 737", 1},
            {1, "KLM", "B738", "", false, "", 0},
            {2, "KLM", "B738", "", true, "KLM 737 freighter", 2},
            {2, "KLC", "A320", "PH-EXA", false, "KLM A320", 2},
            // The operator's airline is tried with the similar models of the
            // aircraft's own airline, of which KLC has none.
            {3, "KLC", "A319", "PH-EXA", false, "", 0},
            {3, "KLM", "A319", "PH-EXA", false, "KLM A320", 3},
            {4, "KLM", "C172", "", false, "KLM 737", 3},
            {2, "PVT", "C172", "", false, "Club C172", 4},
            {4, "UAL", "B77W", "", false, "Boeing 777 house", 4},
            {4, "XYZ", "C182", "", false, "Club C172", 6},
        },
        gf_chooseStaticLivery);
    // The live ladder passes the Large model over for a Light aircraft.
    expectLadder({{4, "KLM", "C172", "", false, "Club C172", 4}}, gf_chooseLiveLivery);
}

TEST_F(LiveryMatchingTest, RefusedTitlesAreNeverHandedOut) {
    liveryCatalog.refusedTitles = {"KLM 737", "KLM A320"};
    for (const auto ladder : {gf_chooseLiveLivery, gf_chooseStaticLivery}) {
        // Refused at step 1: no lower step is tried.
        LiveryMatch match = ladder({"KLM", "B738", "PH-BXA", AircraftCategory::Large, true});
        EXPECT_EQ(match.end, LadderEnd::refused);
        EXPECT_TRUE(match.title.empty());
        match = ladder({"KLC", "A320", "PH-EXA", AircraftCategory::Large, false});
        EXPECT_EQ(match.end, LadderEnd::refused);
    }
    EXPECT_EQ(liveryCatalog.matchStepCounts, (std::array<std::uint32_t, 6>{}));
}

TEST_F(LiveryMatchingTest, LiveMatchesAreCounted) {
    gf_chooseLiveLivery({"KLM", "B738", "PH-BXA", AircraftCategory::Large, false});
    gf_chooseLiveLivery({"KLM", "B738", "PH-BXA", AircraftCategory::Large, false});
    gf_chooseLiveLivery({"XYZ", "C182", "", AircraftCategory::Light, false});
    gf_chooseLiveLivery({"XYZ", "B738", "", AircraftCategory::Large, false});  // no livery
    gf_chooseStaticLivery({"KLM", "B738", "", AircraftCategory::Large, false});
    EXPECT_EQ(liveryCatalog.matchStepCounts, (std::array<std::uint32_t, 6>{2, 0, 0, 0, 0, 1}));
}

TEST_F(LiveryMatchingTest, SpecialLiveriesAreForTheirRegistrations) {
    gf_resetLiveryCatalog();
    buildCatalog({makeLivery("KLM", "B738", "KLM 737 a"), makeLivery("KLM", "B738", "KLM 737 b"),
                  makeLivery("KLM", "B738", "KLM 737 c"), makeLivery("DLH", "A320", "Lufthansa retro")});
    mergeRegcodes({{"KLM 737 a", {"PH-BXA"}, true}, {"Lufthansa retro", {"D-AIZA"}, true}});
    const LiverySubject klm{"KLM", "B738", "", AircraftCategory::Large, false};
    EXPECT_EQ(gf_chooseLiveLivery(klm).title, "KLM 737 b");  // the first that is not special
    EXPECT_EQ(gf_chooseLiveLivery({"KLM", "B738", "PH-BXA", AircraftCategory::Large, false}).title, "KLM 737 a");
    // Only special candidates: one is used rather than none.
    EXPECT_EQ(gf_chooseLiveLivery({"DLH", "A320", "", AircraftCategory::Large, false}).title, "Lufthansa retro");
    RANDOM.value = true;
    std::set<std::string_view> picked;
    for (int draw = 0; draw < 64; ++draw) {
        picked.insert(gf_chooseLiveLivery(klm).title);
    }
    EXPECT_EQ(picked, (std::set<std::string_view>{"KLM 737 b", "KLM 737 c"}));
}

TEST_F(LiveryMatchingTest, RandomOffRepeatsTheChoice) {
    gf_resetLiveryCatalog();
    buildCatalog({makeLivery("KLM", "B738", "a"), makeLivery("KLM", "B738", "b"), makeLivery("KLM", "B738", "c"),
                  makeLivery("KLM", "B738", "d")});
    const LiverySubject klm{"KLM", "B738", "", AircraftCategory::Large, false};
    std::set<std::string_view> picked;
    for (int draw = 0; draw < 32; ++draw) {
        picked.insert(gf_chooseLiveLivery(klm).title);
    }
    EXPECT_EQ(picked, std::set<std::string_view>{"a"});
    RANDOM.value = true;
    for (int draw = 0; draw < 64; ++draw) {
        picked.insert(gf_chooseLiveLivery(klm).title);
    }
    EXPECT_EQ(picked.size(), 4u);
}

TEST_F(LiveryMatchingTest, LiveAircraftTakesTheTitleAndItsLogLine) {
    LiveAc aircraft{ReportBlock{}, identity("DLH", "A321"), 0.0};
    aircraft.identity.strings.origin = "FRA";
    gf_matchLiveLivery(aircraft);
    EXPECT_EQ(aircraft.identity.liveryTitle, "FSLTL_DLH A321");
    EXPECT_TRUE(aircraft.identity.reverseThrust);
    EXPECT_TRUE(logged("          DLH A321 CS123             FRA->    =2= FSLTL_DLH A321"));

    LOG.value = false;
    LiveAc other{ReportBlock{}, identity("KLM", "B738"), 0.0};
    other.identity.reverseThrust = true;
    gf_matchLiveLivery(other);
    EXPECT_EQ(other.identity.liveryTitle, "KLM 737");
    EXPECT_FALSE(other.identity.reverseThrust);
    EXPECT_FALSE(logged("          KLM B738 CS123                      =2= KLM 737"));

    LiveAc unmatched{ReportBlock{}, identity("UAL", "B738"), 0.0};
    gf_matchLiveLivery(unmatched);
    EXPECT_TRUE(unmatched.identity.liveryTitle.empty());
}

TEST_F(LiveryMatchingTest, StaticAircraftTakesTheStandCargoFlag) {
    ParkedAc freighter{identity("KLM", "B738"), {}, 0.0, 12, true};
    EXPECT_TRUE(gf_matchStaticLivery(freighter));
    EXPECT_EQ(freighter.identity.liveryTitle, "KLM 737 freighter");
    EXPECT_TRUE(freighter.identity.cargo);
    EXPECT_TRUE(logged("          KLM B738 CS123                      =2= KLM 737 freighter"));

    // A title it carries already stays.
    EXPECT_TRUE(gf_matchStaticLivery(freighter));
    EXPECT_TRUE(logged("          KLM B738 CS123                      =s= KLM 737 freighter"));

    ParkedAc unmatched{identity("UAL", "B738", "N123"), {}, 0.0, 7, false};
    EXPECT_FALSE(gf_matchStaticLivery(unmatched));
    EXPECT_TRUE(unmatched.identity.liveryTitle.empty());
    EXPECT_TRUE(logged("unknown : UAL B738 CS123    N123 no livery match ..."));

    liveryCatalog.refusedTitles = {"KLM 737"};
    ParkedAc refused{identity("KLM", "B738"), {}, 0.0, 0, false};
    const std::size_t linesBefore = logLines().size();
    EXPECT_FALSE(gf_matchStaticLivery(refused));
    EXPECT_EQ(logLines().size(), linesBefore);  // silent
}

TEST_F(LiveryMatchingTest, Summary) {
    uncreatableKinds = {"B738 KLM"};
    gf_logLiveryMatchingSummary();
    EXPECT_FALSE(logged("Matches at step: "));  // nothing counted: nothing written

    liveryCatalog.matchStepCounts = {3, 0, 1, 0, 0, 2};
    const std::size_t linesBefore = logLines().size();
    gf_logLiveryMatchingSummary();
    const auto all = logLines();
    const std::vector<std::string> lines(all.begin() + static_cast<long>(linesBefore), all.end());
    const std::string stars(31, '*');
    EXPECT_EQ(lines, (std::vector<std::string>{"", stars + " live traffic livery matching summary " + stars,
                                               "Matches at step: ", "  1: 3", "  2: 0", "  3: 1", "  4: 0", "  5: 0",
                                               "  6: 2", "", "Could not be created by MSFS:", "  B738 KLM",
                                               std::string(100, '*'), ""}));
}

}  // namespace
