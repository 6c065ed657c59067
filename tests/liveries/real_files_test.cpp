// The aircraft.cfg files of real packages, read with our sample aircraft
// database (data/dbase.xml). What each should give was worked out from the
// file and the section rules, not taken from the program's output.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/format.h"
#include "liveries/aircraft_cfg.h"
#include "liveries/dbase_file.h"
#include "liveries/liveries_state.h"
#include "liveries/scan_reports.h"
#include "liveries/support/liveries_fixture.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const fs::path kRealCfgFolder = fs::path(VANTREL_FIXTURES_DIR) / "aircraft_cfg";

class RealAircraftCfgTest : public test::LiveriesTest {
protected:
    RealAircraftCfgTest() { gf_loadDbaseXml(fs::path(VANTREL_SOURCE_DIR) / "data" / "dbase.xml"); }

    struct Result {
        std::vector<LiveryData> liveries;
        Lines invalidAirlines;
        Lines invalidModels;
        Lines sections;
    };
    // The file read as the scan reads it, with ordinal 1, from a fresh scan.
    static Result read(const std::string& name) {
        clearScanReportLists();
        const auto liveries = lf_searchLiveriesinFile(1, kRealCfgFolder / name);
        return {{liveries.begin(), liveries.end()},
                {invalidAirlineLines.lines.begin(), invalidAirlineLines.lines.end()},
                {invalidModelLines.lines.begin(), invalidModelLines.lines.end()},
                {incompleteSectionLines.lines.begin(), incompleteSectionLines.lines.end()}};
    }
    static std::string path(const std::string& name) { return (kRealCfgFolder / name).string(); }
    static std::string missingAirline(const std::string& name, const std::string& header) {
        return path(name) + " " + header + " icao_airline is missing, or it has invalid info ";
    }

    const std::string folderText = kRealCfgFolder.string();
};

// A virtual airline's liveries of a heavy type: "CAN" is no airline of the
// database, and without a registration a heavy livery has no airline to
// take, so the FSLTL packs give nothing here.
TEST_F(RealAircraftCfgTest, FsltlVirtualAirlinePacks) {
    for (const std::string name : {"fsltl-cav_A388_CAN_aircraft.cfg", "fsltl-cav_MD11F_CAN_aircraft.cfg"}) {
        const Result result = read(name);
        EXPECT_TRUE(result.liveries.empty()) << name;
        EXPECT_EQ(result.invalidAirlines, Lines{"CAN          in " + path(name) + " [FLTSIM.0]"});
        EXPECT_EQ(result.sections, (Lines{missingAirline(name, "[FLTSIM.0]"),
                                          "'" + folderText + "' '[FLTSIM.0]' has no airline and no regcode info"}));
    }
}

// icao_type_designator "Cabri" is cut to CABR, which the database fixes to
// G2CA (the Guimbal Cabri G2). Its one section has no icao_airline but a
// registration of five characters that the database does not know: a
// private livery, not a heavy; RAMP alone is no freighter.
TEST_F(RealAircraftCfgTest, HelicopterWithAFixedTypeDesignator) {
    const std::string name = "atoolstest_cabri_g2_CRLF_aircraft.cfg";
    const Result result = read(name);
    EXPECT_EQ(result.liveries, (std::vector<LiveryData>{{"PVT", "G2CA", "Asobo Cabri G2", "ASXGS", 1, false}}));
    EXPECT_EQ(modelFixLines.lines, Lines{"Model fix: CABR found in " + path(name) + " changed into G2CA"});
    EXPECT_TRUE(result.invalidModels.empty());
    EXPECT_EQ(result.sections, Lines{missingAirline(name, "[FLTSIM.0]")});
}

// The stock A320neo: no section has icao_airline, so each is reported and
// becomes a private livery with its registration (none is in the database);
// GATE among its parking types makes it no freighter; the later two
// TEMPLATE sections repeat a title.
TEST_F(RealAircraftCfgTest, StockAirlinerWithoutAirlines) {
    const std::string name = "automegapack_asobo_A320neo_aircraft.cfg";
    const Result result = read(name);
    const auto pvt = [](std::string title, std::string atcId) {
        return LiveryData{"PVT", "A20N", std::move(title), std::move(atcId), 1, false};
    };
    EXPECT_EQ(result.liveries, (std::vector<LiveryData>{pvt("Airbus A320 Neo Asobo", "ASX320"),
                                                        pvt("Airbus A320 Neo Asobo AirTraffic 00", "N320B"),
                                                        pvt("Airbus A320 Neo Asobo AirTraffic 01", "N320C"),
                                                        pvt("Airbus A320 Neo Asobo AirTraffic 02", "N320C"),
                                                        pvt("Airbus A320 Neo TEMPLATE", "N320DL")}));
    Lines sections;
    for (int number = 0; number <= 6; ++number) {
        const std::string header = "[FLTSIM." + std::to_string(number) + "]";
        sections.push_back(missingAirline(name, header));
        if (number >= 5) {
            sections.push_back(folderText + " " + header + " title 'Airbus A320 Neo TEMPLATE' already exists");
        }
    }
    EXPECT_EQ(result.sections, sections);
    EXPECT_TRUE(result.invalidAirlines.empty());
}

// The C-17 in the liveries of many air forces: RRR and RCH are known
// airlines, an empty icao_airline is "ZZZ" (which drops the registration),
// registrations of four characters are not read, and unknown air forces of
// a heavy type without a known registration are refused. Every livery is a
// freighter (CARGO without GATE).
TEST_F(RealAircraftCfgTest, MilitaryTransportOfManyAirForces) {
    const std::string name = "delta-sim_C17_aircraft.cfg";
    const Result result = read(name);
    const auto c17 = [](std::string airline, std::string title, std::string atcId) {
        return LiveryData{std::move(airline), "C17", std::move(title), std::move(atcId), 1, true};
    };
    EXPECT_EQ(result.liveries, (std::vector<LiveryData>{
                                   c17("RRR", "C17 RAF 171", "ZZ171"),
                                   c17("RCH", "C17 USAF ED3121", "ED3121"),
                                   c17("RCH", "Boeing C17 USAF 30601", "CH5146"),
                                   c17("RCH", "Boeing C17 USAF 66165", "DO66165"),
                                   c17("RCH", "Boeing C17 USAF 88200", "GU88200"),
                                   c17("RCH", "Boeing C17 USAF 3113", "MI3113"),
                                   c17("RCH", "Boeing C17 USAF 5147", "HI5147"),
                                   c17("RCH", "Boeing C17 USAF 1109", "MC1109"),
                                   c17("RCH", "Altus C17 USAF AF0601", "AF0601"),
                                   c17("RCH", "Anchorage C17 USAF AF0601", "ANG0185"),
                                   c17("RCH", "Memphis C17 USAF AF0042", "ANG0042"),
                                   c17("ZZZ", "Boeing C17 House Livery", ""),
                                   c17("RCH", "Boeing C17 USAF CH7187", "CH7187"),
                                   c17("RCH", "Boeing C17 USAF CH7189", "CH7189"),
                                   c17("RCH", "Boeing C17 USAF CH7190", "CH7190"),
                                   c17("RCH", "Boeing C17 USAF CH7191", "CH7191"),
                                   c17("RCH", "Boeing C17 USAF CH8204", "CH8204"),
                                   c17("RCH", "Boeing C17 USAF CH9207", "CH9207"),
                                   c17("ZZZ", "Boeing C17 Factory", ""),
                               }));
    const auto invalid = [&](const char* code, int number) {
        return fmtlib::format("{:12} in {} [FLTSIM.{}]", code, path(name), number);
    };
    EXPECT_EQ(result.invalidAirlines, (Lines{invalid("ARC", 0), invalid("0AN", 12), invalid("ASY", 13),
                                             invalid("IAF", 14)}));
    const auto refused = [&](int number, const char* why) {
        return fmtlib::format("'{}' '[FLTSIM.{}]' has no airline and {}", folderText, number, why);
    };
    EXPECT_EQ(result.sections, (Lines{
                                   missingAirline(name, "[FLTSIM.0]"), refused(0, "regcode not in dbase"),
                                   missingAirline(name, "[FLTSIM.12]"), refused(12, "no regcode info"),
                                   missingAirline(name, "[FLTSIM.13]"), refused(13, "no regcode info"),
                                   missingAirline(name, "[FLTSIM.14]"), refused(14, "regcode not in dbase"),
                               }));
}

}  // namespace
