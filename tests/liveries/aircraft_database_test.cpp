// The aircraft database: reading its sections, the errors of a bad file,
// and the queries on its tables.

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "core/exceptions.h"
#include "core/format.h"
#include "liveries/aircraft_database.h"
#include "liveries/dbase_file.h"
#include "liveries/liveries_state.h"
#include "liveries/support/liveries_fixture.h"

namespace {

constexpr double kMetresPerNm = 1852.0;

double halfSpanNm(double metres) { return metres * 0.5 / kMetresPerNm; }

// The text with its first occurrence of from replaced.
std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string replaced(std::string_view from, std::string_view to) {
    return replaced(std::string(test::kSmallDbase), from, to);
}

// The small database without the section.
std::string withoutSection(std::string_view name) {
    std::string xml(test::kSmallDbase);
    const auto begin = xml.find(fmtlib::format("<{}>", name));
    const auto end = xml.find(fmtlib::format("</{}>", name));
    EXPECT_NE(end, std::string::npos) << name;
    return xml.erase(begin, end + name.size() + 3 - begin);
}

using AircraftDatabaseTest = test::LiveriesTest;

TEST_F(AircraftDatabaseTest, ReadsEverySection) {
    loadDbase();
    EXPECT_EQ(dbase.knownAircraftTypes.size(), 16u);
    EXPECT_EQ(dbase.cargoTypes, (CodeSet{"B763", "B77L"}));
    ASSERT_EQ(dbase.similarTypeGroups.size(), 4u);
    EXPECT_EQ(dbase.similarTypeGroups[0], (std::vector<std::string>{"A319", "A320", "A321"}));  // sorted
    EXPECT_TRUE(gf_isKnownAirline("KLC"));
    EXPECT_FALSE(gf_isKnownAirline(""));
    EXPECT_FALSE(gf_isKnownAirline("klm"));
    EXPECT_EQ(dbase.cargoOperators, (CodeSet{"FDX"}));
    ASSERT_EQ(dbase.publisherGroups.size(), 2u);
    EXPECT_EQ(dbase.publisherGroups[1], (std::vector<std::string>{"Gaya Simulations", "gaya-simulations"}));
    EXPECT_EQ(dbase.typeFixes.at("A32N"), "A320");
    EXPECT_EQ(dbase.simaddonAirports20, (CodeSet{"EGLL", "EHAM"}));
    ASSERT_EQ(dbase.thirdpartyAirports20.size(), 1u);
    EXPECT_EQ(dbase.thirdpartyAirports20[0].publisher, "FlyTampa");
    EXPECT_EQ(dbase.thirdpartyAirports20[0].airports, (std::vector<std::string>{"EHAM212", "KBOS118"}));
    EXPECT_EQ(dbase.thirdpartyAirports24.size(), 1u);
    const auto record = gf_lookupRegcode("PH-EXA");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->airline, "KLM");
    EXPECT_EQ(record->type, "A320");
    EXPECT_EQ(record->operatorCode, "KLC");
    EXPECT_FALSE(record->cargo);
    EXPECT_TRUE(gf_lookupRegcode("N101FE")->cargo);
    EXPECT_TRUE(logged("   2 publishers"));
    EXPECT_TRUE(logged("3 dbase records read"));
}

TEST_F(AircraftDatabaseTest, SampleDatabaseLoads) {
    gf_loadDbaseXml(std::filesystem::path(VANTREL_SOURCE_DIR) / "data" / "dbase.xml");
    EXPECT_EQ(gf_getAircraftCategory("B77W"), AircraftCategory::Heavy);
    EXPECT_EQ(gf_getAircraftCategory("EC35"), AircraftCategory::Rotorcraft);
    EXPECT_TRUE(gf_isKnownAirline("ZZZ"));
    EXPECT_GT(dbase.regcodeTable.size(), 50u);
    for (const double halfSpan : dbase.categoryHalfSpanNm) {
        EXPECT_GT(halfSpan, 0.0);
    }
    for (const auto& line : logLines()) {
        EXPECT_EQ(line.find("===>"), std::string::npos) << line;  // nothing skipped
    }
}

TEST_F(AircraftDatabaseTest, RequiredSectionsMustNotBeEmpty) {
    const struct {
        std::string xml;
        std::string_view section, element, attribute;
    } cases[] = {
        {withoutSection("aircrafts"), "aircrafts", "aircraft", "types"},
        {replaced(R"(<hvy types="B77W,B77L,B763,A388"/>)", R"(<hvy types=""/>)"), "heavy", "hvy", "types"},
        {withoutSection("high_performance"), "high_performance", "hpf", "types"},
        {replaced("<lar types", "<large types"), "large", "lar", "types"},
        {withoutSection("buzjet"), "buzjet", "bzj", "types"},
        {withoutSection("rotorcraft"), "rotorcraft", "rot", "types"},
        {withoutSection("cargo_types"), "cargo_types", "cargo_type", "types"},
        {withoutSection("ICAO_airlines"), "ICAO_airlines", "ICAO", "codes"},
        {withoutSection("cargo_operators"), "cargo_operators", "ICAO", "codes"},
        {withoutSection("simaddons20"), "simaddons20", "simaddon20", "arpts"},
    };
    for (const auto& c : cases) {
        try {
            loadDbase(c.xml);
            ADD_FAILURE() << "no error for " << c.section;
        } catch (const qrx::UserErrorException& error) {
            EXPECT_EQ(error.what(),
                      fmtlib::format("61: In XML file section [{}], element [{}], attribute [{}] is empty.", c.section,
                                     c.element, c.attribute));
        }
    }
}

TEST_F(AircraftDatabaseTest, OptionalSectionsMayBeMissing) {
    std::string xml = withoutSection("dbase");
    for (const std::string_view section : {"similar_types", "publishers", "wingspans", "fixes", "thirdparties20"}) {
        xml = replaced(xml, fmtlib::format("<{}>", section), fmtlib::format("<{}_gone>", section));
        xml = replaced(xml, fmtlib::format("</{}>", section), fmtlib::format("</{}_gone>", section));
    }
    loadDbase(xml);
    EXPECT_TRUE(dbase.regcodeTable.empty());
    EXPECT_TRUE(dbase.similarTypeGroups.empty());
    EXPECT_TRUE(dbase.halfSpanByType.empty());
    EXPECT_TRUE(logged("0 dbase records read"));
}

TEST_F(AircraftDatabaseTest, UnreadableFileIsUserError60) {
    writeText("broken.xml", "<aircrafts><aircraft types=\"A320\"></aircrafts>");
    try {
        gf_loadDbaseXml(folder() / "broken.xml");
        FAIL() << "no error";
    } catch (const qrx::UserErrorException& error) {
        const std::string text = error.what();
        EXPECT_TRUE(text.starts_with("60: '")) << text;
        EXPECT_NE(text.find("broken.xml' not read because of "), std::string::npos) << text;
    }
}

TEST_F(AircraftDatabaseTest, BadEntriesAreSkippedAndLogged) {
    std::string xml = replaced(R"(<wingspan type="A320" meters="34.10"/>)", R"(<wingspan type="A320" meters="34.10"/>
                                  <wingspan type="A320" meters="99"/>
                                  <wingspan type="XXXX" meters="80"/>
                                  <wingspan type="" meters="80"/>
                                  <wingspan type="A319"/>
                                  <wingspan type="B738" meters="nan"/>)");
    xml = replaced(xml, R"(<fx wro="A32N" cor="A320"/>)", R"(<fx wro="A32N" cor="A320"/>
                                                       <fx wro="A32N" cor="A321"/>
                                                       <fx wro="B77F" cor="B77X"/>)");
    xml = replaced(xml, "</dbase>", R"(<db reg="PH-BXA" airl="DLH" type="A320"/></dbase>)");
    loadDbase(xml);
    EXPECT_TRUE(logged("===> wingspan model XXXX is not valid, skipped"));
    EXPECT_TRUE(logged("===> wingspan model  is not valid, skipped"));
    EXPECT_TRUE(logged("===> wingspan 'nan' of model B738 is not valid, skipped"));
    EXPECT_TRUE(logged("===> wrong part of fix: 'A32N', already exists, skipped"));
    EXPECT_TRUE(logged("===> wrong fix B77F -> B77X, the latter is not valid"));
    EXPECT_TRUE(logged("===> regcode PH-BXA already exists"));
    EXPECT_TRUE(logged("3 dbase records read"));  // distinct registrations
    EXPECT_EQ(dbase.typeFixes.at("A32N"), "A320");  // the first fix stays
    EXPECT_FALSE(dbase.typeFixes.contains("B77F"));
    EXPECT_EQ(gf_lookupRegcode("PH-BXA")->airline, "KLM");  // the first record stays
    // The first span of a type stays, but a repeat still counts for the largest.
    EXPECT_DOUBLE_EQ(gf_getHalfWingspanNm("A320"), halfSpanNm(34.10));
    EXPECT_DOUBLE_EQ(dbase.maxHalfSpanNm, halfSpanNm(99));
    EXPECT_FALSE(dbase.halfSpanByType.contains("XXXX"));
    EXPECT_FALSE(dbase.halfSpanByType.contains("B738"));
    EXPECT_EQ(gf_getHalfWingspanNm("A319"), 0.0);  // a span without metres
}

TEST_F(AircraftDatabaseTest, CategoriesInTheirTestOrder) {
    // A type in two sets takes the first of Large, Heavy, Buzjets,
    // Rotorcraft, HighPerf.
    std::string xml = replaced(R"(<hvy types="B77W,B77L,B763,A388"/>)", R"(<hvy types="B77W,B77L,B763,A388,A321"/>)");
    xml = replaced(xml, R"(<rot types="EC35,EC45"/>)", R"(<rot types="EC35,EC45,C56X,F16"/>)");
    xml = replaced(xml, R"(<bzj types="C25C,C56X"/>)", R"(<bzj types="C25C,C56X,EC45"/>)");
    loadDbase(xml);
    const struct {
        std::string_view type;
        AircraftCategory category;
    } cases[] = {
        {"A320", AircraftCategory::Large},      {"A321", AircraftCategory::Large},  // large and heavy
        {"B77W", AircraftCategory::Heavy},      {"C25C", AircraftCategory::Buzjets},
        {"C56X", AircraftCategory::Buzjets},    // buzjet and rotorcraft
        {"EC45", AircraftCategory::Buzjets},    // rotorcraft and buzjet
        {"EC35", AircraftCategory::Rotorcraft}, {"F16", AircraftCategory::Rotorcraft},  // rotorcraft and hpf
        {"C172", AircraftCategory::Light},      {"ZZZZ", AircraftCategory::Light},
        {"", AircraftCategory::Light},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gf_getAircraftCategory(c.type), c.category) << c.type;
    }
}

TEST_F(AircraftDatabaseTest, HalfSpansAndCategoryAverages) {
    loadDbase();
    const double largeAverage = (halfSpanNm(34.10) + halfSpanNm(35.80)) / 2;
    const struct {
        std::string_view type;
        double halfSpanNm;
    } cases[] = {
        {"A320", halfSpanNm(34.10)},  {"A319", largeAverage},  // without a span: its category's average
        {"B763", halfSpanNm(64.80)},  {"C182", halfSpanNm(11.00)}, {"UNKN", halfSpanNm(11.00)},  // Light
        {"C56X", halfSpanNm(15.49)},
        // No rotorcraft or high-performance type has a span: no average,
        // 0.0, never the NaN of 0/0.
        {"EC35", 0.0},                {"F16", 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(gf_getHalfWingspanNm(c.type), c.halfSpanNm) << c.type;
    }
    for (const double average : dbase.categoryHalfSpanNm) {
        EXPECT_FALSE(std::isnan(average));
    }
    EXPECT_DOUBLE_EQ(dbase.maxHalfSpanNm, halfSpanNm(64.80));
}

TEST_F(AircraftDatabaseTest, NoValidWingspanLeavesEveryAverageZero) {
    std::string xml = withoutSection("wingspans");
    loadDbase(replaced(xml, "<fixes>", R"(<wingspans><wingspan type="NONE" meters="30"/></wingspans><fixes>)"));
    EXPECT_EQ(dbase.categoryHalfSpanNm, (std::array<double, 6>{}));
    EXPECT_EQ(dbase.maxHalfSpanNm, 0.0);
}

TEST_F(AircraftDatabaseTest, RegistrationCandidates) {
    const struct {
        std::string_view registration;
        std::vector<std::string> candidates;
    } cases[] = {
        {"PHBXA", {"PH-BXA", "P-HBXA", "PHBXA"}},
        {"DAINA", {"DA-INA", "D-AINA", "DAINA"}},
        {"N12345", {"N12345"}},  // American: never dashed
        {"G-EUUA", {"G-EUUA"}},  // has its dash
        {"D123", {"D123"}},      // too short
        {"", {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gf_buildRegcodeCandidates(c.registration), c.candidates) << c.registration;
    }
}

TEST_F(AircraftDatabaseTest, RegistrationLookup) {
    loadDbase(replaced("</dbase>", R"(
        <db reg="PHBXB" airl="TRA" type="B738"/>
        <db reg="PH-BXB" airl="KLM" type="B738"/>
        <db reg="D-AINA" airl="DLH" type="A320"/>
        <db reg="N123AB" airl="DAL" type="A320"/>
      </dbase>)"));
    const struct {
        std::string_view registration;
        std::string airline;  // "" when not found
    } cases[] = {
        {"PHBXA", "KLM"},  {"PHBXB", "KLM"},  // the dashed form is tried first
        {"PH-BXA", "KLM"}, {"DAINA", "DLH"}, {"N123AB", "DAL"}, {"N-123AB", ""},
        {"PHBX", ""},      {"", ""},         {"ph-bxa", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gf_getRegcodeAirline(c.registration), c.airline) << c.registration;
        EXPECT_EQ(gf_lookupRegcode(c.registration).has_value(), !c.airline.empty()) << c.registration;
    }
    EXPECT_EQ(gf_getRegcodeOperator("PHEXA"), "KLC");
    EXPECT_EQ(gf_getRegcodeOperator("PH-BXA"), "");
    EXPECT_EQ(gf_getRegcodeOperator("unknown"), "");
}

TEST_F(AircraftDatabaseTest, ShortRegistrationInText) {
    loadDbase(replaced("</dbase>", R"(<db reg="G-ABC" airl="" type="C172"/></dbase>)"));
    EXPECT_EQ(gf_findShortRegcodeInText("Cessna 172 G-ABC club"), "G-ABC");
    EXPECT_FALSE(gf_findShortRegcodeInText("Cessna 172 g-abc club"));  // case-sensitive
    EXPECT_FALSE(gf_findShortRegcodeInText("KLM PH-BXA"));  // longer than 5 characters
}

TEST_F(AircraftDatabaseTest, PublisherOfAPath) {
    loadDbase();
    EXPECT_EQ(gf_findPublisher("Community/GAYA-SIMULATIONS-airport-lowi"), "Gaya Simulations");
    EXPECT_EQ(gf_findPublisher("Community/flytampa-eham"), "FlyTampa");
    EXPECT_EQ(gf_findPublisher("Community/other-airport"), "unknown");
}

TEST_F(AircraftDatabaseTest, PrefixedNumbers) {
    const struct {
        std::string_view entry;
        bool result;
        int number;  // starts at -7
    } cases[] = {
        {"EHAM12", true, 12}, {"EHAM-3", true, -3}, {"EHAMx", true, -7},
        {"EHAM", true, -7},   {"EHAM+3", true, -7}, {"EHAM99999999999", true, -7},
        {"EGLL3", false, -7},
    };
    for (const auto& c : cases) {
        int number = -7;
        EXPECT_EQ(gf_parsePrefixedNumber("FlyTampa", "EHAM", number, c.entry), c.result) << c.entry;
        EXPECT_EQ(number, c.number) << c.entry;
    }
    EXPECT_TRUE(logged("===> FlyTampa EHAM EHAMx invalid number"));
}

}  // namespace
