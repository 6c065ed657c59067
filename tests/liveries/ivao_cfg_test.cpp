// aircraft.cfg files of the IVAO model packages: the model from the folder
// name, the airline from the title, the texture folder of each section.

#include "liveries/ivao_cfg.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "liveries/liveries_state.h"
#include "liveries/scan_reports.h"
#include "liveries/support/liveries_fixture.h"

namespace {

class IvaoCfgTest : public test::LiveriesTest {
protected:
    IvaoCfgTest() { loadDbase(); }
};

TEST_F(IvaoCfgTest, ModelFromTheAircraftFolder) {
    struct Case {
        std::string path;
        std::string model;
    };
    const Case cases[] = {
        {"/c/IVAO_MTL/SimObjects/Airplanes/IVAO_B738WLfa/aircraft.cfg", "B738"},
        {"/c/ivao_x-csl/simobjects/AIRPLANES/ivao_A320wCFM/Aircraft.CFG", "A320"},
        {R"(C:\Community\IVAO_MTL\SimObjects\Airplanes\IVAO_B77W\aircraft.cfg)", "B77W"},
        {"/c/IVAO_MTL/SimObjects/Airplanes/IVAO_A32N/aircraft.cfg", "A320"},   // fixed
        {"/c/IVAO_MTL/SimObjects/Airplanes/IVAO_b738/aircraft.cfg", ""},       // not upper-cased: unknown
        {"IVAO_MTL/SimObjects/Airplanes/IVAO_B738/aircraft.cfg", ""},          // nothing before the package
        {"/c/IVAO_MTL/SimObjects/Airplanes/B738/aircraft.cfg", ""},
        {"/c/IVAO_MTL/SimObjects/Airplanes/IVAO_B7-8/aircraft.cfg", ""},
        {"/c/IVAO_MTL/SimObjects/Airplanes/IVAO_/aircraft.cfg", ""},
        {"/c/IVAO_MTL/Airplanes/IVAO_B738/aircraft.cfg", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lf_ivaoModelFromPath(c.path), c.model) << c.path;
    }
    EXPECT_EQ(modelFixLines.lines.size(), 1u);
    std::list<std::string> invalid = {"b738             in /c/IVAO_MTL/SimObjects/Airplanes/IVAO_b738/aircraft.cfg"};
    for (const Case& c : std::span(cases).subspan(5)) {
        invalid.push_back("                 in " + c.path);
    }
    EXPECT_EQ(invalidModelLines.lines, invalid);
}

TEST_F(IvaoCfgTest, AirlineFromTheTitle) {
    struct Case {
        std::string title;
        bool winglets;
        std::optional<std::string> airline;
    };
    const Case cases[] = {
        {"B738 KLM Royal Dutch", false, "KLM"},
        {"b738klm", false, "klm"},
        {"B738W  DLH", true, "DLH"},
        {"B738 W DLH", true, std::nullopt},
        {"B738W DLH", false, std::nullopt},  // "W D" are no three word characters
        {"B738 KL", false, std::nullopt},
        {"B738 K-L", false, std::nullopt},
        {"A320 KLM", false, std::nullopt},
        {"B738 KLM\rx", false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gf_airlineFromIvaoTitle(c.title, "B738", c.winglets), c.airline) << c.title;
    }
}

TEST_F(IvaoCfgTest, SectionsOfAFile) {
    const std::filesystem::path aircraft = "IVAO_MTL/SimObjects/Airplanes/IVAO_B738WLfa";
    for (const char* texture : {"texture.KLM", "Texture.white", "TEXTURE.dlh"}) {
        std::filesystem::create_directories(folder() / aircraft / texture);
    }
    writeText(aircraft / "aircraft.cfg", R"([fltsim.0]
title = " B738W KLM Royal Dutch "
texture = KLM
atc_id = PH-BXA
atc_parking_types = GATE
[fltsim.1]
title = B738W ZZZ White
texture = white
atc_id = N12345
[fltsim.2]
title = Lufthansa
texture = DLH
atc_id = PH-BXA
[fltsim.3]
title = Nothing
texture = KLM
[fltsim.4]
title = B738W XYZ Unknown
texture = KLM
[fltsim.5]
title = B738W DLH Missing texture
texture = NONE
[fltsim.6]
title = B738W KLM Royal Dutch
texture = KLM
[fltsim.7]
title = B738W BAW Bracket
description = [note]
texture = KLM
[fltsim.8]
title = B738W BAW One
title = B738W BAW Two
texture = KLM
)");
    const std::string file = (folder() / aircraft / "aircraft.cfg").string();
    const std::string prefix = (folder() / aircraft).string() + " ";
    const auto liveries = searchIvaoLiveriesInFile(4, file);
    EXPECT_EQ(std::vector<LiveryData>(liveries.begin(), liveries.end()),
              (std::vector<LiveryData>{{"KLM", "B738", "B738W KLM Royal Dutch", "PH-BXA", 4, false},
                                       {"ZZZ", "B738", "B738W ZZZ White", "", 4, false},
                                       {"KLM", "B738", "Lufthansa", "PH-BXA", 4, false}}));
    EXPECT_TRUE(logged("removed spaces around title ' B738W KLM Royal Dutch ' --> 'B738W KLM Royal Dutch'"));
    EXPECT_EQ(incompleteSectionLines.lines, (std::list<std::string>{
                                                prefix + "[fltsim.3] misses airlinecode in title: Nothing, and no regcode",
                                                prefix + "[fltsim.5] does not exist",
                                                prefix + "[fltsim.6] title already exists: B738W KLM Royal Dutch",
                                                prefix + "[fltsim.7] does not exist",
                                                prefix + "[fltsim.8] has more than one title key",
                                            }));
    EXPECT_EQ(invalidAirlineLines.lines, std::list<std::string>{"XYZ          in " + file + " [fltsim.4]"});
}

}  // namespace
