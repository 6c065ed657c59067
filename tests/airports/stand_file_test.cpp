// The airport stand file format: writing generated and learned files, reading
// stands and options back, the parameters; a file is never left half-written.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "airports/airports_state.h"
#include "airports/stand_file.h"
#include "core/format.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "airports/support/stand_file_fixture.h"
#include "liveries/liveries_state.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

class StandFile : public test::StandFileTest {
protected:
    // Writes the stands and loads the file back as a document.
    pugi::xml_document writeAndLoad(const std::vector<ParkPosition>& stands, AirportFileMode mode,
                                    const AirportFileInfo& airport = {}) {
        EXPECT_TRUE(gf_writeAirportFile(airport, stands, file_, mode));
        pugi::xml_document document;
        EXPECT_TRUE(document.load_file(file_.c_str()));
        return document;
    }
    // The attribute names of an element, in order.
    static std::vector<std::string> attributeNames(const pugi::xml_node& element) {
        std::vector<std::string> names;
        for (const pugi::xml_attribute attribute : element.attributes()) {
            names.emplace_back(attribute.name());
        }
        return names;
    }
    // The parameter names of a stand-file document, in order.
    static std::vector<std::string> parameterNames(const pugi::xml_document& document) {
        std::vector<std::string> names;
        for (const pugi::xml_node parameter : document.child("parameters").children("parameter")) {
            names.emplace_back(parameter.attribute("name").value());
        }
        return names;
    }
    // Reads every <parkpos> of the document into a fresh vector.
    static std::vector<ParkPosition> readBack(const pugi::xml_document& document, bool fromArchive = true) {
        std::vector<ParkPosition> stands;
        for (const pugi::xml_node parkpos : document.child("parkpositions").children("parkpos")) {
            readParkpos(parkpos, parkpos.attribute("id").value(), fromArchive, stands);
        }
        return stands;
    }

    const std::filesystem::path file_ = folder / "EHAM.xml";
};

TEST_F(StandFile, AGeneratedFileHoldsWholeStandsAndNoTraffic) {
    ParkPosition gate("A1", {test::makeOption("PH-ABC", "KLM", "B738", 2, {14})}, 52.3086011, 4.7638901,
                      271.3 * 0.017453292519943295, 25.0, true, false, false);
    gate.manual = true;
    ParkPosition helipad("H1", {}, 52.31, 4.77, 0.0, 10.0, false, true, true);
    AirportFileInfo airport;
    airport.airportName = "Schiphol";
    airport.publisher = "unknown";
    airport.bglPath = "C:\\x\\EHAM.bgl";
    airport.altitudeFt = -11;

    const pugi::xml_document document = writeAndLoad({gate, helipad}, AirportFileMode::generated, airport);

    EXPECT_STREQ(document.first_child().name(), "meta");
    EXPECT_THAT(parameterNames(document), ElementsAre("airport_name", "publisher", "altitude", "num_parkpos",
                                                      "BGLpath", "manufacturer", "creator"));
    const pugi::xml_node first = document.child("parkpositions").child("parkpos");
    EXPECT_THAT(attributeNames(first),
                ElementsAre("id", "latitude", "longitude", "heading", "radius", "cargo", "ramp", "manual"));
    EXPECT_STREQ(first.attribute("latitude").value(), "52.308601");
    EXPECT_STREQ(first.attribute("heading").value(), "271.3");
    EXPECT_STREQ(first.attribute("radius").value(), "25.0");
    EXPECT_FALSE(first.child("opt"));
    EXPECT_THAT(attributeNames(first.next_sibling()),
                ElementsAre("id", "latitude", "longitude", "heading", "radius", "heli", "ramp"));

    const std::vector<ParkPosition> stands = readBack(document);
    ASSERT_EQ(stands.size(), 2u);
    EXPECT_DOUBLE_EQ(stands[0].radiusNm, 0.01349892008639309);
    EXPECT_NEAR(stands[0].headingRad, gate.headingRad, 1e-9);
    EXPECT_TRUE(stands[0].cargo);
    EXPECT_TRUE(stands[1].heli);
    EXPECT_TRUE(stands[1].ramp);
}

TEST_F(StandFile, ALearnedFileKeepsOnlyWhatWasLearnedOrChanged) {
    dbase.regcodeTable["PH-BXA"] = RegcodeRecord{"KLM", "B738", "", false};
    ParkPosition unchanged = test::makeStand("A1", 52.3, 4.7, 20.0);
    unchanged.options = {test::makeOption("PH-OLD", "KLM", "B738", 1, {1})};
    unchanged.options[0].sequence = 0;  // counts no more: never written
    ParkPosition resized = test::makeStand("A2", 52.3, 4.7, 18.0);
    resized.radiusChanged = true;
    ParkPosition recargoed = test::makeStand("A3", 52.3, 4.7, 20.0);
    recargoed.cargoChanged = true;
    ParkOption known = test::makeOption("PH-BXA", "KLM", "B738", 3, {14, 15, 16});
    known.callsign = "KLM1234";
    known.callsignSuffix = "KLM1235";
    ParkOption guessed = test::makeOption("", "EZY", "A320", 7, {0, 47});
    guessed.real = false;
    guessed.sequence = 2;
    recargoed.options = {known, guessed};

    const pugi::xml_document document = writeAndLoad({unchanged, resized, recargoed}, AirportFileMode::learned);

    const pugi::xml_node a1 = document.child("parkpositions").child("parkpos");
    EXPECT_THAT(attributeNames(a1), ElementsAre("id"));
    EXPECT_FALSE(a1.child("opt"));
    const pugi::xml_node a2 = a1.next_sibling();
    EXPECT_THAT(attributeNames(a2), ElementsAre("id", "radius_change", "radius"));
    EXPECT_STREQ(a2.attribute("radius").value(), "18.0");
    const pugi::xml_node a3 = a2.next_sibling();
    EXPECT_THAT(attributeNames(a3), ElementsAre("id", "cargo_change", "cargo"));
    const pugi::xml_node knownOpt = a3.child("opt");
    EXPECT_THAT(attributeNames(knownOpt), ElementsAre("reg", "day", "hh", "cs"));
    EXPECT_STREQ(knownOpt.attribute("hh").value(), "14,15,16");
    EXPECT_STREQ(knownOpt.attribute("cs").value(), "KLM1234:KLM1235");
    EXPECT_THAT(attributeNames(knownOpt.next_sibling()), ElementsAre("reg", "airl", "type", "soft", "day", "hh"));
    EXPECT_STREQ(knownOpt.next_sibling().attribute("hh").value(), "0,47");
}

TEST_F(StandFile, ALearnedFileCarriesTheAirportsSettings) {
    RANGE.value = 65;
    MAX_LIVE_SEL.value = 75;
    WEEK.value = true;

    const pugi::xml_document document = writeAndLoad({}, AirportFileMode::learned);

    EXPECT_THAT(parameterNames(document),
                ElementsAre("airport_name", "publisher", "num_parkpos", "LATERAL_RANGE", "AUTO_RANGE", "WEEK",
                            "PARK_FAKE", "PARK_SOFT", "parking_percentage", "INITIAL_LOAD_ONLY", "MAX_FIT",
                            "MAX_LIVE", "LEARN_SOFT"));
    EXPECT_EQ(readIntParameter(document, "LATERAL_RANGE"), 65);
    EXPECT_EQ(readIntParameter(document, "MAX_LIVE"), 75);
    // WEEK carries the setting itself, so reading it back keeps it on.
    EXPECT_EQ(readBoolParameter(document, "WEEK"), true);
}

TEST_F(StandFile, AHandmadeLearnedFileWritesEveryStandWhole) {
    learnedFileHandmade = true;
    ParkPosition resized = test::makeStand("A2", 52.3, 4.7, 18.0);
    resized.radiusChanged = true;
    resized.cargo = true;
    resized.cargoChanged = true;

    const pugi::xml_document document = writeAndLoad({resized}, AirportFileMode::learned);

    EXPECT_THAT(parameterNames(document),
                ElementsAre("airport_name", "publisher", "handmade", "altitude", "num_parkpos", "Qf_real", "Qf_soft",
                            "LATERAL_RANGE", "AUTO_RANGE", "WEEK", "PARK_FAKE", "PARK_SOFT", "parking_percentage",
                            "INITIAL_LOAD_ONLY", "MAX_FIT", "MAX_LIVE", "LEARN_SOFT"));
    // A changed stand of a handmade file comes back whole, with its changes.
    const std::vector<ParkPosition> stands = readBack(document);
    ASSERT_EQ(stands.size(), 1u);
    EXPECT_NEAR(stands[0].radiusNm * 1852.0, 18.0, 1e-9);
    EXPECT_TRUE(stands[0].cargo);
}

TEST_F(StandFile, AFailedWriteKeepsTheOldFile) {
    test::writeBytes(file_, "old");
    std::filesystem::create_directory(file_.string() + ".new");  // the new file cannot be made

    EXPECT_FALSE(gf_writeAirportFile({}, {test::makeStand("A1", 1.0, 1.0, 20.0)}, file_, AirportFileMode::generated));

    EXPECT_EQ(test::readBytes(file_), "old");
}

TEST_F(StandFile, UnusableStandsAreSkippedAndTheRestRead) {
    struct Case {
        const char* attributes;
        bool read;
    };
    const Case cases[] = {
        {R"(latitude="0" longitude="0")", false},
        {R"(latitude="0.0" longitude="4.7")", true},
        {R"(latitude="nan" longitude="4.7")", false},
        {R"(latitude="52.3" longitude="inf")", false},
        {R"(latitude="91" longitude="4.7")", false},
        {R"(latitude="52.3" longitude="-180.5")", false},
        {R"(latitude="52.3" longitude="4.7" radius="nan")", false},
        {R"(latitude="52.3" longitude="4.7" heading="inf")", false},
        {R"(latitude="52.3" longitude="4.7")", true},  // no radius, no heading: 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(fmtlib::format(R"(<parkpos id="X" {}/>)", c.attributes).c_str()));
        std::vector<ParkPosition> stands;

        EXPECT_EQ(readParkpos(document.child("parkpos"), "X", true, stands), c.read);

        EXPECT_EQ(stands.size(), c.read ? 1u : 0u);
    }
    EXPECT_THAT(log.lines(), Contains("Parking position X skipped: no position"));
    EXPECT_THAT(log.lines(), Contains("Parking position X skipped: invalid position, heading or radius"));
}

TEST_F(StandFile, OptionsAreReadInOrderWithTheDatabasesAirlineAndType) {
    dbase.regcodeTable["PH-BXA"] = RegcodeRecord{"KLM", "B738", "", false};
    dbase.regcodeTable["PH-EXA"] = RegcodeRecord{"KLM", "E190", "KLC", false};
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(R"(<parkpos id="A1" latitude="52.3" longitude="4.7" radius="25.0" cargo="yes">
            <opt reg="PH-BXA" airl="XXX" type="A320" day="2" hh="0,47" cs="ABC123:X:Y"/>
            <opt reg="PH-EXA" soft="true" day="9" hh=""/>
            <opt reg="N123" airl="UAL" type="B77W" hh="12, 99" soft="no" cs="UAL1"/>
            <opt/></parkpos>)"));
    std::vector<ParkPosition> stands;

    ASSERT_TRUE(readParkpos(document.child("parkpos"), "A1", false, stands));

    const std::vector<ParkOption>& options = stands.front().options;
    ASSERT_EQ(options.size(), 4u);
    EXPECT_TRUE(stands.front().cargo);
    EXPECT_EQ(options[0].airline, "KLM");
    EXPECT_EQ(options[0].type, "B738");
    EXPECT_EQ(options[0].callsign, "ABC123");
    EXPECT_EQ(options[0].callsignSuffix, "X:Y");
    EXPECT_EQ(options[0].timeSlots, test::makeOption("", "", "", 0, {0, 47}).timeSlots);
    EXPECT_EQ(options[1].airline, "KLC");  // the operator
    EXPECT_FALSE(options[1].real);
    EXPECT_TRUE(options[1].timeSlots.none());
    EXPECT_EQ(options[2].airline, "UAL");
    EXPECT_EQ(options[2].callsignSuffix, "");
    EXPECT_EQ(options[2].timeSlots.count(), 1u);  // 99 is no half hour
    EXPECT_TRUE(options[2].real);
    EXPECT_EQ(options[3].day, 0);
    for (std::size_t index = 0; index < options.size(); ++index) {
        EXPECT_EQ(options[index].sequence, index + 1);
        EXPECT_FALSE(options[index].fromArchive);
    }
    EXPECT_THAT(log.lines(), Contains(HasSubstr("invalid hour '99'")));
}

TEST_F(StandFile, ParametersAreOptionalValues) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(
        (test::kStandFileMeta + test::standFileParameters({{"altitude", "-11"}, {"handmade", "yes"}, {"name", "x"}}))
            .c_str()));

    EXPECT_EQ(readIntParameter(document, "altitude"), -11);
    EXPECT_EQ(readBoolParameter(document, "handmade"), true);
    EXPECT_EQ(readStringParameter(document, "name"), "x");
    EXPECT_EQ(readIntParameter(document, "Qf_real"), std::nullopt);
    EXPECT_EQ(readStringParameter(document, "airport_name"), std::nullopt);
}

TEST_F(StandFile, AParameterWithoutValueReadsAsNothing) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(R"(<parameters><parameter name="bare"/></parameters>)"));

    EXPECT_EQ(readIntParameter(document, "bare"), 0);
    EXPECT_EQ(readBoolParameter(document, "bare"), false);
    EXPECT_EQ(readStringParameter(document, "bare"), "");
}

}  // namespace
