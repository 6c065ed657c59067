// The line readers of aircraft.cfg files, each on a table of lines, and
// hostile lines that must cost no more than their length.

#include "liveries/cfg_line_readers.h"

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>

namespace {

using Value = std::optional<std::string>;
using Reader = Value (*)(std::string_view);

struct ReaderCase {
    const char* readerName;
    Reader reader;
    std::string line;
    Value expected;
};

TEST(CfgLineReaders, KeyLines) {
    const ReaderCase cases[] = {
        {"title", lf_readTitle, R"(title = "KLM Boeing 737-800" ; Variation name)", "KLM Boeing 737-800"},
        {"title", lf_readTitle, "Title=C17 RCAF 701", "C17 RCAF 701"},
        {"title", lf_readTitle, "  TITLE\t=\t  Plain title  \t", "Plain title"},
        {"title", lf_readTitle, R"(title = " spaced " )", " spaced "},   // trimmed later by the section reader
        {"title", lf_readTitle, R"(title = "")", std::nullopt},         // quotes around nothing: no title
        {"title", lf_readTitle, R"(title = "unclosed)", std::nullopt},  // one quote: nothing between two
        {"title", lf_readTitle, "title =   ", std::nullopt},
        {"title", lf_readTitle, "title", std::nullopt},
        {"title", lf_readTitle, "//title=Commented", std::nullopt},
        {"title", lf_readTitle, "ui_title=Other key", std::nullopt},
        {"title", lf_readTitle, "titles=Longer key", std::nullopt},
        {"title", lf_readTitle, "title=A\rB", std::nullopt},  // a line end inside the value
        {"title", lf_readTitle, "title=AB\r", "AB"},
        {"texture", lf_readTexture, R"(texture = "CAN"; texture folder)", "CAN"},
        {"atc_parking_types", lf_readParkingTypes, R"(atc_parking_types = "GATE,RAMP" ; "ANY" / "RAMP")", "GATE,RAMP"},
        {"atc_parking_types", lf_readParkingTypes, "atc_parking_types=RAMP,CARGO,MIL_CARGO", "RAMP,CARGO,MIL_CARGO"},
        {"atc_id", lf_readAtcId, R"(atc_id = "ASXGS" ; tail number)", "ASXGS"},
        {"atc_id", lf_readAtcId, R"(atc_id="NATO")", std::nullopt},  // fewer than 5 characters
        {"atc_id", lf_readAtcId, "atc_id=G-ABCD;old", "G-ABCD;old"},
        {"atc_id", lf_readAtcId, "atc_id_enable = 1", std::nullopt},
        {"icao_airline", lf_readIcaoAirline, R"(icao_airline = "CAN" ; ###)", "CAN"},
        {"icao_airline", lf_readIcaoAirline, "icao_airline=bawc", "BAWC"},
        {"icao_airline", lf_readIcaoAirline, R"(icao_airline="")", "ZZZ"},
        {"icao_airline", lf_readIcaoAirline, "icao_airline=ZZZZ", "ZZZ"},
        {"icao_airline", lf_readIcaoAirline, "icao_airline = ", std::nullopt},
        {"icao_airline", lf_readIcaoAirline, "atc_airline = KLM", std::nullopt},
    };
    for (const ReaderCase& c : cases) {
        EXPECT_EQ(c.reader(c.line), c.expected) << c.readerName << ": " << c.line;
    }
}

TEST(CfgLineReaders, ModelLines) {
    struct Case {
        std::string line;
        std::string typeDesignator;
        std::string stockType;
    };
    const Case cases[] = {
        {R"(icao_type_designator = "A388")", "A388", ""},
        {"icao_type_designator = C17", "C17", ""},
        {R"(icao_type_designator = "Cabri")", "CABR", ""},
        {"icao_type_designator = b738 ; Boeing", "B738", ""},
        {R"(icao_type_designator = "")", "", ""},
        {R"(base_container = "..\Asobo_A320_NEO")", "", "A20N"},
        {"base_container=../Asobo_XCub", "", "CC19"},
        {R"(base_container = "..\FSLTL_A388")", "", ""},  // no stock aircraft
        {R"(base_container = "..\")", "", ""},
        {R"(base_container = "Asobo_A320_NEO")", "", ""},  // without the relative prefix
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lf_readTypeDesignator(c.line), c.typeDesignator) << c.line;
        EXPECT_EQ(lf_stockTypeFromBaseContainer(c.line), c.stockType) << c.line;
    }
}

TEST(CfgLineReaders, SectionHeadersAndKeyTests) {
    struct Case {
        std::string line;
        std::string number;
    };
    const Case cases[] = {
        {"[FLTSIM.0]", "0"},
        {"  [fltsim.12]  ", "12"},
        {"[FltSim.007]", "007"},
        {"[fltsim.99999999999]", "99999999999"},  // too big for an int: the file check refuses it
        {"[fltsim.x]", "10000"},
        {"[FLTSIM.3] ; comment", "10000"},
        {"[Fltsim.x]", ""},  // neither exact spelling of the test for other lines
        {"//[fltsim.3]", ""},
        {"[FLTSIM]", ""},
        {"[GENERAL]", ""},
        {"title=[fltsim.1] copy", "10000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lf_readFltSimNumber(c.line), c.number) << c.line;
    }
    EXPECT_TRUE(lf_hasAtcIdKey("//atc_id=N123"));
    EXPECT_FALSE(lf_hasAtcIdKey("atc_id = N123"));
    EXPECT_FALSE(lf_hasAtcIdKey("atc_id_enable=1"));
    EXPECT_TRUE(lf_hasParkingTypesKey("//atc_parking_types=GATE"));
    EXPECT_FALSE(lf_hasParkingTypesKey("ATC_PARKING_TYPES=GATE"));
}

// The matcher gives what the pattern \s*(key)\s*=\s*(.*\S)\s* (ECMAScript,
// case-insensitive, whole line) gives, on short lines where the pattern is
// safe to run.
TEST(CfgLineReaders, KeyMatcherAgreesWithThePattern) {
    const std::string lines[] = {
        "title=x", " title = x ", "TITLE=x", "title=", "title= ", "title =\t\v\f x \r", "title=a b",
        "title=a\rb", "title=\ra", "title\n=a", "xtitle=a", "title x=a", "title==a", "title=\"\"", "=title",
        "title", " \r\ntitle=\r\n", "title=\x01", "icao_airline = KLM ;", "atc_id =", "atc_id=\xC3\xA9\xC3\xA9",
    };
    for (const std::string key : {"title", "icao_airline", "atc_id"}) {
        const std::regex pattern("\\s*(" + key + ")\\s*=\\s*(.*\\S)\\s*", std::regex::ECMAScript | std::regex::icase);
        for (const std::string& line : lines) {
            std::smatch match;
            const std::optional<std::string> expected =
                std::regex_match(line, match, pattern) ? std::optional<std::string>(match[2].str()) : std::nullopt;
            const auto value = gf_cfgKeyValue(line, key);
            EXPECT_EQ(value ? std::optional<std::string>(*value) : std::nullopt, expected) << key << ": " << line;
        }
    }
}

// A regular expression needs time and stack in proportion to such lines (or
// worse); these take one pass.
TEST(CfgLineReaders, HostileLinesAreReadInOnePass) {
    const std::string blanks(4'000'000, ' ');
    EXPECT_EQ(lf_readTitle("title=" + blanks), std::nullopt);
    EXPECT_EQ(lf_readTitle("title=" + blanks + "x" + blanks), "x");
    EXPECT_EQ(lf_readTitle("title=" + std::string(4'000'000, 'a')), std::string(4'000'000, 'a'));
    EXPECT_EQ(lf_readFltSimNumber("[fltsim." + std::string(4'000'000, '7') + "x"), "10000");
    EXPECT_EQ(lf_readIcaoAirline(blanks + "icao_airline" + blanks + "=" + blanks), std::nullopt);
}

}  // namespace
