#include "core/parameters_migration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/parameters_file.h"
#include "core/setting_choices.h"
#include "core/settings.h"
#include "support/settings_file_fixture.h"
#include "support/temp_folder.h"

namespace {

using testing::Contains;
using testing::Not;

using Entries = std::vector<std::pair<std::string, std::string>>;

// Each legacy entry with a value that differs from its default, and what
// its successor becomes.
const Entries kLegacyEntries = {
    {"MSFS_2020", "true"},
    {"AI_PACKAGE_ORDER", "4"},
    {"CUSTOM_MAX_PARK", "40"},
    {"MAX_LIVE", "17"},
    {"LATERAL_RANGE", "37"},
    {"AIRPORT_RANGE", "22"},
    {"AUTO_RANGE_ABOVE_HEIGHT", "20000"},
    {"AIRPORT_HEIGHT", "9500"},
};

// Successors set by the user in the newer version, unlike what the legacy
// defaults would give.
const Entries kChosenSuccessors = {
    {"SIM_CHOICE", "MSFS 2020"}, {"AI_PACKAGE_SELECTOR", "JF, AIG, FSLTL"},
    {"MAX_PARK_SEL", "25"},      {"MAX_LIVE_SEL", "75"},
    {"RANGE", "65"},             {"AIRP_RANGE", "10"},
    {"AR_ABOVE_HEIGHT", "30000"}, {"AIRP_HEIGHT", "4000"},
    {"SCAN_LIVERIES", "false"},  {"SCAN_AIRPORTS", "false"},
};

class MigratingParameters : public test::SettingsFileTest {
protected:
    // A start of the program with this file in a working folder that holds
    // the installer an update leaves.
    void start(const std::string& storedVersion, Entries entries) {
        entries.emplace_back("PROGRAM_VERSION", storedVersion);
        writeEntries(entries);
        test::writeBytes(log.folder() / "install_new_version.exe", "installer");
        gf_readParameters();
    }
    bool installerDeleted() const { return !std::filesystem::exists(log.folder() / "install_new_version.exe"); }
    void expectSuccessorsAsChosen() {
        for (const auto& [key, value] : kChosenSuccessors) {
            if (key != "SCAN_LIVERIES" && key != "SCAN_AIRPORTS") {
                EXPECT_EQ(fileValue(key), value) << key;
            }
        }
        EXPECT_EQ(SIM_CHOICE.value, "MSFS 2020");
        EXPECT_EQ(RANGE.value, 65);
        EXPECT_EQ(MAX_LIVE_SEL.value, 75);
    }
    void expectUpdateFrom(const std::string& version) {
        EXPECT_THAT(log.lines(), Contains("This is a version update from " + version + " -> 11.0.3"));
        EXPECT_TRUE(installerDeleted());
        EXPECT_TRUE(SCAN_LIVERIES.value);
        EXPECT_TRUE(SCAN_AIRPORTS.value);
        EXPECT_EQ(fileValue("SCAN_LIVERIES"), "true");
        EXPECT_EQ(fileValue("SCAN_AIRPORTS"), "true");
        EXPECT_EQ(fileValue("PROGRAM_VERSION"), "11.0.3");
    }
};

TEST_F(MigratingParameters, OlderVersionCarriesEveryLegacySettingPresentInTheFile) {
    Entries entries = kChosenSuccessors;
    entries.insert(entries.end(), kLegacyEntries.begin(), kLegacyEntries.end());
    start("10.5.0", entries);

    expectUpdateFrom("10.5.0");
    const Entries carried = {
        {"SIM_CHOICE", "MSFS 2020"}, {"AI_PACKAGE_SELECTOR", "FSLTL, JF, AIG"}, {"MAX_PARK_SEL", "50"},
        {"MAX_LIVE_SEL", "10"},      {"RANGE", "35"},                           {"AIRP_RANGE", "20"},
        {"AR_ABOVE_HEIGHT", "18000"}, {"AIRP_HEIGHT", "10000"},
    };
    for (const auto& [key, value] : carried) {
        EXPECT_EQ(fileValue(key), value) << key;
    }
    EXPECT_EQ(RANGE.value, 35);
    EXPECT_EQ(trafficRadiusNm, 35.0);
    EXPECT_EQ(AI_PACKAGE_SELECTOR.value, "FSLTL, JF, AIG");
    for (const auto& [legacy, value] : kLegacyEntries) {
        EXPECT_EQ(fileValue(legacy), "<absent>") << legacy;
        EXPECT_THAT(log.lines(), Contains("Parameter '" + legacy + "' removed"));
    }
}

// The fault this guards against: legacy keys that the file never held took
// their defaults into the successors (SIM_CHOICE became "MSFS 2024", RANGE
// 40, ...), overwriting what the user had chosen.
TEST_F(MigratingParameters, AbsentLegacySettingsChangeNothing) {
    const std::pair<const char*, const char*> versions[] = {
        {"10.5.0", "10.5.0"}, {"not a version", "0.0.0"}, {"11.0", "0.0.0"}};
    for (const auto& [stored, read] : versions) {
        test::resetSettingsToDefaults();
        start(stored, kChosenSuccessors);
        expectUpdateFrom(read);
        expectSuccessorsAsChosen();
        for (const auto& [legacy, value] : kLegacyEntries) {
            EXPECT_EQ(fileValue(legacy), "<absent>") << legacy;
        }
    }
}

TEST_F(MigratingParameters, UnreadableVersionCarriesOnlyThePresentLegacySetting) {
    Entries entries = kChosenSuccessors;
    entries.emplace_back("CUSTOM_MAX_PARK", "-1");
    start("garbage", entries);

    expectUpdateFrom("0.0.0");
    EXPECT_EQ(fileValue("MAX_PARK_SEL"), "500");
    EXPECT_EQ(fileValue("MAX_LIVE_SEL"), "75");
    EXPECT_EQ(fileValue("SIM_CHOICE"), "MSFS 2020");
    EXPECT_EQ(fileValue("CUSTOM_MAX_PARK"), "<absent>");
}

TEST_F(MigratingParameters, FromTheVersionBeforeOnlyTheInstallerGoesAndScansStart) {
    Entries entries = kChosenSuccessors;
    entries.insert(entries.end(), kLegacyEntries.begin(), kLegacyEntries.end());
    start("11.0.2", entries);

    expectUpdateFrom("11.0.2");
    expectSuccessorsAsChosen();
    EXPECT_EQ(fileValue("MSFS_2020"), "true");
}

TEST_F(MigratingParameters, SameOrNewerVersionOnlyRewritesTheVersion) {
    for (const char* stored : {"11.0.3", "12.0.0"}) {
        test::resetSettingsToDefaults();
        start(stored, kChosenSuccessors);
        EXPECT_EQ(fileValue("PROGRAM_VERSION"), "11.0.3");
        EXPECT_EQ(PROGRAM_VERSION.value, "11.0.3");
        EXPECT_FALSE(installerDeleted());
        EXPECT_FALSE(SCAN_LIVERIES.value);
        EXPECT_THAT(log.lines(), Not(Contains(testing::HasSubstr("version update"))));
        expectSuccessorsAsChosen();
    }
}

TEST_F(MigratingParameters, NoInstallerIsNoFailure) {
    writeEntries({{"PROGRAM_VERSION", "11.0.2"}});
    gf_readParameters();
    EXPECT_THAT(log.lines(), Not(Contains(testing::HasSubstr("Failed to remove"))));
    EXPECT_TRUE(SCAN_AIRPORTS.value);
}

TEST(MigrationRules, CountsSnapOntoTheCountChoices) {
    const std::pair<int, int> rows[] = {{-1, 500}, {-500, 500}, {0, 0},    {1, 10},   {17, 10},
                                        {18, 25},  {37, 25},    {38, 50},  {40, 50},  {62, 50},
                                        {63, 75},  {87, 75},    {88, 100}, {299, 100}, {300, 500}};
    for (const auto& [count, choice] : rows) {
        EXPECT_EQ(gf_snapToCountChoice(count), choice) << count;
    }
}

TEST(MigrationRules, RadiusAndHeightSnapOntoTheirChoices) {
    const std::pair<int, int> ranges[] = {{-5, 2}, {2, 2},   {3, 3},   {6, 6},   {7, 8},    {8, 8},   {9, 10},
                                          {22, 20}, {23, 25}, {37, 35}, {38, 40}, {44, 40},  {45, 50}, {72, 65},
                                          {73, 80}, {89, 80}, {90, 100}, {500, 100}};
    for (const auto& [nm, choice] : ranges) {
        EXPECT_EQ(gf_snapToRangeChoice(nm), choice) << nm;
    }
    const std::pair<int, int> heights[] = {{0, 2000},      {2999, 2000},   {3000, 4000},   {16999, 16000},
                                           {17000, 18000}, {26999, 18000}, {27000, 36000}, {47000, 48000}};
    for (const auto& [feet, choice] : heights) {
        EXPECT_EQ(gf_snapToAirportHeightChoice(feet), choice) << feet;
    }
}

}  // namespace
