// aircraft.cfg files: the rules of one [fltsim.N] section in a table, the
// section numbers and the model of a file, the cutting into sections and
// the encodings files come in.

#include "liveries/aircraft_cfg.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "liveries/liveries_state.h"
#include "liveries/regcode_lists.h"
#include "liveries/scan_reports.h"
#include "liveries/support/cfg_files.h"
#include "liveries/support/liveries_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// The invalid airline codes, then the section reports.
std::vector<std::string> lf_allReports() {
    std::vector<std::string> reports(invalidAirlineLines.lines.begin(), invalidAirlineLines.lines.end());
    reports.insert(reports.end(), incompleteSectionLines.lines.begin(), incompleteSectionLines.lines.end());
    return reports;
}

class AircraftCfgTest : public test::LiveriesTest {
protected:
    AircraftCfgTest() {
        // One registration short enough to be found in a title.
        std::string dbaseText(test::kSmallDbase);
        dbaseText.replace(dbaseText.find("<dbase>"), 7, R"(<dbase><db reg="N51PA" airl="PVT" type="C172"/>)");
        loadDbase(dbaseText);
    }

    // Each case starts without reports and titles.
    static void clearReportsAndTitles() {
        incompleteSectionLines.lines.clear();
        invalidAirlineLines.lines.clear();
        liveryTitles.clear();
    }
};

TEST_F(AircraftCfgTest, SectionRules) {
    const std::string folder = "/pkg/a";
    const std::string cfgPath = "/pkg/a/aircraft.cfg";
    const std::string header = "[fltsim.0]";
    struct Case {
        const char* what;
        std::string model;
        Lines body;  // after the header
        std::optional<LiveryData> livery;
        std::vector<std::string> reports;
    };
    const auto livery = [](std::string airline, std::string model, std::string title, std::string atcId = "",
                           bool cargo = false) { return LiveryData{airline, model, title, atcId, 3, cargo}; };
    const std::string missingAirline = cfgPath + " " + header + " icao_airline is missing, or it has invalid info ";
    const Case cases[] = {
        {"complete", "B738",
         {R"(title = "KLM Boeing 737" ; Variation name)", "icao_airline = KLM", "atc_parking_types = GATE,RAMP",
          R"(atc_id = "PH-BXA" ; tail number)"},
         livery("KLM", "B738", "KLM Boeing 737", "PH-BXA"),
         {}},
        {"spaces inside the quotes", "B738", {R"(title = "  KLM 737  ")", "icao_airline=KLM"},
         livery("KLM", "B738", "KLM 737"), {}},
        {"quotes around nothing", "B738", {R"(title = "")", "icao_airline=KLM"}, std::nullopt,
         {folder + " " + header + " misses title"}},
        {"Fenix title, airline after it", "A320", {"title=FenixA320 KLM", "icao_airline=KLM"}, std::nullopt,
         {missingAirline}},
        {"stub", "B738", {"icao_airline=KLM", "title=KLM 737-STUB"}, std::nullopt, {}},
        {"cargo arm", "B738", {"title=BA 737", "icao_airline=BAWC"}, livery("BAW", "B738", "BA 737"), {}},
        {"no airline: no registration", "B738", {"title=White 737", R"(icao_airline="")", "atc_id=PH-BXA"},
         livery("ZZZ", "B738", "White 737"), {}},
        {"RFO", "B738", {"title=Retro", "icao_airline=RFO"}, std::nullopt, {}},
        {"unknown airline, registration in the title", "C172", {"title=Cessna N51PA", "icao_airline=XYZ"},
         livery("PVT", "C172", "Cessna N51PA", "N51PA"),
         {"XYZ          in " + cfgPath + " " + header, missingAirline}},
        {"unknown airline of a heavy", "B77W", {"title=Some 777", "icao_airline=XYZ"}, std::nullopt,
         {"XYZ          in " + cfgPath + " " + header, missingAirline,
          "'" + folder + "' '" + header + "' has no airline and no regcode info"}},
        {"airline of the registration", "B738", {"title=Reg 737", "atc_id=PH-BXA"},
         livery("KLM", "B738", "Reg 737", "PH-BXA"), {missingAirline}},
        {"heavy of an unknown registration", "B77W", {"title=Reg 777", "atc_id=N999ZZ"}, std::nullopt,
         {missingAirline, "'" + folder + "' '" + header + "' has no airline and regcode not in dbase"}},
        {"unknown registration", "B738", {"title=Reg 737", "atc_id=N999ZZ"},
         livery("PVT", "B738", "Reg 737", "N999ZZ"), {missingAirline}},
        {"registration cut at ';'", "B738", {"title=KLM 737", "icao_airline=KLM", "atc_id=G-ABCD;old"},
         livery("KLM", "B738", "KLM 737", "G-ABCD"), {}},
        {"registration of four characters", "B738", {"title=KLM 737", "icao_airline=KLM", "atc_id=ABCD"},
         livery("KLM", "B738", "KLM 737"), {}},
        {"two registrations", "B738", {"title=KLM 737", "icao_airline=KLM", "atc_id=PH-BXA,PH-BXB"},
         livery("KLM", "B738", "KLM 737"), {}},
        {"registration with '*'", "B738", {"title=KLM 737", "icao_airline=KLM", "atc_id=PH-B*A"},
         livery("KLM", "B738", "KLM 737"), {"invalid atc_id=PH-B*A in: KLM 737"}},
        {"registration too long", "B738", {"title=KLM 737", "icao_airline=KLM", "atc_id=ABCDEFGHIJKLM"},
         livery("KLM", "B738", "KLM 737"), {"invalid atc_id=ABCDEFGHIJKLM in: KLM 737"}},
        {"commented second parking types", "B738",
         {"title=KLM 737", "atc_parking_types=GATE", "//atc_parking_types=GATE", "icao_airline=KLM"}, std::nullopt,
         {folder + " " + header + " has more than one atc_parking_types key", missingAirline}},
        {"gate and cargo", "B763", {"title=FedEx 767", "icao_airline=FDX", "atc_parking_types=GATE, CARGO"},
         livery("FDX", "B763", "FedEx 767"), {}},
        {"cargo", "B763", {"title=FedEx 767", "icao_airline=FDX", "atc_parking_types=cargo , ramp"},
         livery("FDX", "B763", "FedEx 767", "", true), {}},
        {"second title", "B738", {"title=A", "icao_airline=KLM", "title=B"}, std::nullopt,
         {folder + " " + header + " has more than one title key"}},
        {"second airline", "B738", {"title=A", "icao_airline=KLM", "// icao_airline=DLH", "atc_parking_types=GATE"}, std::nullopt,
         {folder + " " + header + " has more than one atc_parking_codes key"}},
        {"second registration", "B738", {"title=A", "icao_airline=KLM", "atc_id=PH-BXA", "//atc_id=PH-BXB", "atc_parking_types=GATE"},
         std::nullopt, {folder + ", " + header + ", has more than one atc_id key"}},
        {"comments at the end are dropped", "B738", {"title=A", "icao_airline=KLM", "", "//icao_airline=DLH", ""},
         livery("KLM", "B738", "A"), {}},
        {"don't use", "B738", {"title=Do not use me", "icao_airline=KLM"}, std::nullopt, {}},
    };
    dontUseTitles = {"Do not use me"};
    for (const Case& c : cases) {
        clearReportsAndTitles();
        Lines section = {header};
        section.insert(section.end(), c.body.begin(), c.body.end());
        const CfgFile file{3, cfgPath, folder, c.model};
        const auto liveries = lf_procesFltSimSection(file, section);
        if (c.livery) {
            ASSERT_EQ(liveries.size(), 1u) << c.what;
            EXPECT_EQ(liveries.front(), *c.livery) << c.what;
            EXPECT_EQ(liveries.front().folderOrdinal, 3) << c.what;
        } else {
            EXPECT_TRUE(liveries.empty()) << c.what;
        }
        EXPECT_EQ(lf_allReports(), c.reports) << c.what;
    }
}

TEST_F(AircraftCfgTest, StubsAreKeptWhenTheUserWantsThem) {
    SUPPRESS_STUB.value = false;
    const Lines section = {"[fltsim.1]", "title=KLM 737-STUB", "icao_airline=KLM"};
    EXPECT_EQ(lf_procesFltSimSection({1, "/p/aircraft.cfg", "/p", "B738"}, section).size(), 1u);
}

TEST_F(AircraftCfgTest, SectionsAreCutAtHeadersAndOtherSections) {
    const Lines lines = {
        "[GENERAL]",         "title=before any section",  "[FLTSIM.0]", "title=KLM 1",    "icao_airline=KLM",
        "  [EFFECTS]",       "title=in effects",          "[fltsim.1]", "title=KLM 2",    "icao_airline=KLM",
        "[fltsim.2]",        "title=KLM 1",               "icao_airline=KLM",            "texture=[x]",
        "[fltsim.3] ; note", "title=KLM 3",               "icao_airline=KLM",
    };
    const auto liveries = lf_splitFltSimSections({1, "/p/aircraft.cfg", "/p", "B738"}, lines);
    std::vector<std::string> titles;
    for (const LiveryData& livery : liveries) {
        titles.push_back(livery.title);
    }
    // The later section of a title already taken is reported; a '[' past the
    // sixth column ends nothing.
    EXPECT_EQ(titles, (std::vector<std::string>{"KLM 1", "KLM 2", "KLM 3"}));
    EXPECT_EQ(lf_allReports(), std::vector<std::string>{"/p [fltsim.2] title 'KLM 1' already exists"});
}

TEST_F(AircraftCfgTest, SectionNumbers) {
    const std::string cfgPath = "/p/aircraft.cfg";
    EXPECT_TRUE(lf_checkFltSimNumbers({"[fltsim.0]", "[fltsim.0]", "[fltsim.7]", "[FLTSIM.x]"}, cfgPath))
        << "numbers may repeat and skip; [fltsim.x] is 10000";
    EXPECT_TRUE(invalidCfgLines.lines.empty());

    EXPECT_FALSE(lf_checkFltSimNumbers({"[fltsim.0]", "[fltsim.10001]"}, cfgPath));
    EXPECT_EQ(invalidCfgLines.lines,
              std::list<std::string>{cfgPath + " contains a [fltsim.x] section with a number < 0 or > 10000"});

    EXPECT_FALSE(lf_checkFltSimNumbers({"[fltsim.0]", "[fltsim.99999999999]"}, cfgPath));
    EXPECT_TRUE(logged("===> fltsim num [fltsim.99999999999] incorrect"));

    EXPECT_TRUE(lf_checkFltSimNumbers({"[GENERAL]", "title=x"}, cfgPath));
    EXPECT_EQ(noSectionFiles.lines, std::list<std::string>{cfgPath});
}

TEST_F(AircraftCfgTest, ModelOfAFile) {
    const std::string cfgPath = "/p/aircraft.cfg";
    struct Case {
        const char* what;
        std::string path;
        Lines lines;
        std::string model;
    };
    const Case cases[] = {
        {"first designator", cfgPath, {"icao_type_designator=b738", "icao_type_designator=A320"}, "B738"},
        {"fixed", cfgPath, {"icao_type_designator=A32N"}, "A320"},
        {"unknown", cfgPath, {"icao_type_designator=ZZZZZ"}, ""},
        {"stock aircraft", cfgPath, {R"(base_container = "..\Asobo_A320_NEO")"}, ""},  // A20N is not in the small database
        {"stock aircraft known", cfgPath, {R"(base_container = "..\Asobo_C172sp_classic")"}, "C172"},
        {"none", cfgPath, {"title=x"}, ""},
        {"none, user aircraft", "/c/pmdg-aircraft-737/aircraft.cfg", {"title=x"}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(applyModelFixes(c.path, c.lines), c.model) << c.what;
    }
    EXPECT_EQ(modelFixLines.lines, std::vector<std::string>{"Model fix: A32N found in " + cfgPath + " changed into A320"});
    EXPECT_EQ(invalidModelLines.lines,
              (std::list<std::string>{"ZZZZ             in " + cfgPath, "A20N             in " + cfgPath}));
    EXPECT_EQ(invalidCfgLines.lines,
              std::list<std::string>{"Line icao_type_designator= is missing in [General] section of " + cfgPath});
}

// The same two sections in the encodings and line ends that files come in.
TEST_F(AircraftCfgTest, FilesInEveryEncoding) {
    const std::string text = "[GENERAL]\nicao_type_designator = \"B738\"\n\n[FLTSIM.0]\ntitle = \"KLM 737 \xC3\xA9t\xC3\xA9\"\n"
                             "icao_airline = KLM\n[FLTSIM.1]\ntitle = DLH 737\nicao_airline = DLH\natc_id = PH-BXA\n";
    using test::CfgEncoding;
    for (const CfgEncoding encoding : {CfgEncoding::utf8, CfgEncoding::utf8CrLf, CfgEncoding::utf8MarkCrLf,
                                       CfgEncoding::utf16CrLf, CfgEncoding::utf16BigEndian}) {
        const auto name = std::to_string(static_cast<int>(encoding));
        clearScanReportLists();
        test::writeCfgFile(folder() / name / "aircraft.cfg", text, encoding);
        const auto liveries = lf_searchLiveriesinFile(2, folder() / name / "aircraft.cfg");
        ASSERT_EQ(liveries.size(), 2u) << name;
        EXPECT_EQ(liveries.front(), (LiveryData{"KLM", "B738", "KLM 737 \xC3\xA9t\xC3\xA9", "", 2, false})) << name;
        EXPECT_EQ(liveries.back(), (LiveryData{"DLH", "B738", "DLH 737", "PH-BXA", 2, false})) << name;
    }
    EXPECT_TRUE(lf_searchLiveriesinFile(1, folder() / "missing" / "aircraft.cfg").empty());
    writeText("short/aircraft.cfg", "x");  // too short to tell its encoding
    EXPECT_TRUE(lf_searchLiveriesinFile(1, folder() / "short" / "aircraft.cfg").empty());
}

}  // namespace
