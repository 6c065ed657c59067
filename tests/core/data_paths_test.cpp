#include "core/data_paths.h"

#include <gtest/gtest.h>

#include "core/fixed_tables.h"
#include "liveries/liveries_state.h"

namespace {

TEST(DataPaths, CompositePathsJoinTheirParts) {
    const std::pair<std::filesystem::path, const char*> rows[] = {
        {dataPaths.dbaseEncFile, "input/dbase.enc"},
        {dataPaths.regcodesXmlFile, "input/AIG-regcodes.xml"},
        {dataPaths.myRegcodesFolder, "input/my_regcodes"},
        {dataPaths.learnedThirdpartyFolder, "airports/learned/thirdparty"},
        {dataPaths.myParkAirportsFile, "airports/my_park_airports.txt"},
        {dataPaths.liveriesCatalogFile, "output/LiveriesScanned.xml"},
        {dataPaths.airportsScanLogFile, "output/info/AirportsScanLog.txt"},
        {dataPaths.incompleteFltsimSectionsReportFile, "output/errors/IncompleFltsimSections.txt"},
        {dataPaths.installerFile, "install_new_version.exe"},
    };
    for (const auto& [path, expected] : rows) {
        EXPECT_EQ(path, std::filesystem::path(expected));
        EXPECT_TRUE(path.is_relative()) << expected;
    }
}

TEST(DataPaths, SettingsFileLiesInTheProgramsAppDataFolder) {
    const std::filesystem::path path{parametersPath};
    EXPECT_EQ(path.filename(), "parameters.xml");
    EXPECT_EQ(path.parent_path().filename(), "Vantrel");
    EXPECT_EQ(path.parent_path(), productDataFolder);
}

TEST(FixedTables, StockAircraftTypes) {
    EXPECT_EQ(stockAircraftTypes.size(), 30U);
    EXPECT_EQ(stockAircraftTypes.at("Asobo_A320_NEO"), "A20N");
    EXPECT_EQ(stockAircraftTypes.at("FlyByWire_A320_NEO"), "A20N");
    EXPECT_EQ(stockAircraftTypes.at("Asobo_Savage_ShockUltra"), "SAVG");
    EXPECT_FALSE(stockAircraftTypes.contains("Asobo_A320"));
    EXPECT_FALSE(stockAircraftTypes.contains("asobo_a320_neo"));
}

TEST(FixedTables, CategoryTablesCoverSixCategoriesAndRefuseOthers) {
    EXPECT_EQ(gf_categoryValue(categoryTables.rotationPitchDeg, 5), -20.0);
    EXPECT_EQ(gf_categoryValue(categoryTables.rolloutTicks, 2), 350U);
    EXPECT_NEAR(gf_categoryValue(categoryTables.taxiTurnRateRad, 0), 0.0026179938779914945, 1e-15);
    for (std::uint32_t category = 0; category < 6; ++category) {
        EXPECT_NO_THROW(gf_categoryValue(categoryTables.climbPitchTicks, category));
    }
    try {
        gf_categoryValue(categoryTables.flareTicks, 6);
        FAIL() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "invalid unordered_map<K, T> key");
    }
}

}  // namespace
