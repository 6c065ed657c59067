#include "core/parameters_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "core/data_paths.h"
#include "core/parameters_migration.h"
#include "core/settings.h"
#include "support/settings_file_fixture.h"

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;

using ReadingParameters = test::SettingsFileTest;

// Every setting the file keeps, as the groups list them.
std::vector<const Parameter*> settingsOf(const ParameterGroups& groups) {
    std::vector<const Parameter*> settings;
    const auto add = [&settings](const auto& group) { settings.insert(settings.end(), group.begin(), group.end()); };
    add(groups.switches);
    add(groups.checkBoxes);
    add(groups.numbers);
    add(groups.shownNumbers);
    add(groups.texts);
    add(groups.shownTexts);
    return settings;
}

TEST_F(ReadingParameters, GroupsHoldEveryKeyOfTheFileOnce) {
    const auto groups = gf_parameterGroups();
    EXPECT_EQ(groups.switches.size(), 2U);
    EXPECT_EQ(groups.checkBoxes.size(), 24U);
    EXPECT_EQ(groups.numbers.size(), 13U);
    EXPECT_EQ(groups.shownNumbers.size(), 8U);
    EXPECT_EQ(groups.texts.size(), 20U);
    EXPECT_EQ(groups.shownTexts.size(), 2U);
    std::vector<std::string> keys;
    for (const auto* setting : settingsOf(groups)) {
        keys.push_back(setting->name);
    }
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
    for (const char* notKept : {"ALL_INSTALL_PATH", "CALLSIGN_2_OBJECTID", "parking_percentage", "MAX_FIT_FL"}) {
        EXPECT_THAT(keys, Not(Contains(notKept)));
    }
}

TEST_F(ReadingParameters, WithoutAFileEveryDefaultGoesIntoANewOne) {
    gf_readParameters();

    const auto lines = log.lines();
    ASSERT_GE(lines.size(), 4U);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], std::string(34, '*') + " parameters " + std::string(34, '*'));
    EXPECT_EQ(lines[2], path.string() + " not found, default values taken:");
    EXPECT_EQ(lines[3], "RANDOM=true");
    EXPECT_THAT(lines, Contains("RANGE=40"));
    EXPECT_THAT(lines, Contains("PORT_NUMBER=\"10747\""));
    EXPECT_THAT(lines, Contains("'" + path.string() + "' saved"));
    EXPECT_THAT(lines, Contains(std::string(80, '*')));

    // Every key but the livery folders and the legacy keys, PROGRAM_VERSION
    // filled in by the migration's first step.
    std::vector<std::string> expected;
    for (const auto* setting : settingsOf(gf_parameterGroups())) {
        if (!gf_isLiveryFolderParameter(*setting) && !gf_isLegacyParameter(*setting)) {
            expected.push_back(setting->name);
        }
    }
    std::vector<std::string> written;
    for (const auto& [name, value] : fileEntries()) {
        written.push_back(name);
    }
    EXPECT_EQ(written, expected);
    EXPECT_EQ(fileValue("PROGRAM_VERSION"), "11.0.3");
    EXPECT_EQ(fileValue("SIM_CHOICE"), "MSFS 2020");
    EXPECT_EQ(fileValue("LAST_EPOCH_TIME:"), "0");
    EXPECT_EQ(fileValue("WEEK"), "false");
    EXPECT_EQ(PROGRAM_VERSION.value, "11.0.3");
}

TEST_F(ReadingParameters, NumbersAreClampedToTheirLimitsNotSnappedToChoices) {
    const struct {
        IntParameter* setting;
        const char* text;
        std::int32_t expected;
    } rows[] = {
        {&RANGE, "7", 7},          {&RANGE, "500", 100},          {&RANGE, "abc", 2},
        {&RANGE, "-4", 2},         {&MAX_FIT, "30", 30},          {&MAX_FIT, "48", 47},
        {&MAX_LIVE_SEL, "42", 42}, {&LAST_EPOCH_TIME, "1700000000", 1700000000},
        {&CUSTOM_PARKING_PERCENTAGE, "-7", -1},
    };
    for (const auto& row : rows) {
        test::resetSettingsToDefaults();
        writeEntries({{row.setting->name, row.text}});
        loadParameters(gf_parameterGroups());
        EXPECT_EQ(row.setting->value, row.expected) << row.setting->name << " " << row.text;
    }
}

TEST_F(ReadingParameters, SwitchesAreTrueForTextsThatBeginWithOneTOrY) {
    const struct {
        BoolParameter* setting;
        std::optional<const char*> text;  // none: an entry without "value"
        bool expected;
    } rows[] = {
        {&WEEK, "Yes", true},     {&WEEK, "true", true},   {&WEEK, "1", true},       {&WEEK, "TRUE", true},
        {&LOG, "0", false},       {&LOG, "no", false},     {&LOG, "false", false},   {&LOG, std::nullopt, false},
        {&RANDOM, "", false},     {&RANDOM, "on", false},
    };
    for (const auto& row : rows) {
        test::resetSettingsToDefaults();
        row.setting->value = !row.expected;
        if (row.text) {
            writeEntries({{row.setting->name, *row.text}});
        } else {
            std::filesystem::create_directories(path.parent_path());
            test::writeBytes(path, "<parameters><parameter name=\"" + row.setting->name + "\"/></parameters>");
        }
        loadParameters(gf_parameterGroups());
        EXPECT_EQ(row.setting->value, row.expected) << row.setting->name << " " << row.text.value_or("(none)");
    }
}

TEST_F(ReadingParameters, PartialFileIsCompletedAndUnknownKeysStay) {
    writeEntries({{"OLD_UNKNOWN_KEY", "x"},
                  {"RANGE", "25"},
                  {"DESTINATION", "EDDF"},
                  {"SIM_CHOICE", "MSFS 2024"},
                  {"MAX_LIVE", "40"}});
    const auto keysInFile = loadParameters(gf_parameterGroups());

    EXPECT_EQ(keysInFile, (std::set<std::string>{"OLD_UNKNOWN_KEY", "RANGE", "DESTINATION", "SIM_CHOICE", "MAX_LIVE"}));
    EXPECT_EQ(RANGE.value, 25);
    EXPECT_EQ(DESTINATION.value, "EDDF");
    EXPECT_EQ(SIM_CHOICE.value, "MSFS 2024");
    EXPECT_EQ(MAX_LIVE.value, 40);
    EXPECT_EQ(WEEK.value, false);

    const auto entries = fileEntries();
    ASSERT_GE(entries.size(), 5U);
    EXPECT_EQ(entries[0], std::make_pair(std::string("OLD_UNKNOWN_KEY"), std::string("x")));
    EXPECT_EQ(fileValue("RANGE"), "25");
    EXPECT_EQ(fileValue("MAX_LIVE"), "40");
    // Missing entries appended with their defaults, legacy keys not.
    EXPECT_EQ(fileValue("WEEK"), "false");
    EXPECT_EQ(fileValue("PORT_NUMBER"), "10747");
    EXPECT_EQ(fileValue("MSFS_2020"), "<absent>");
    EXPECT_EQ(fileValue("LATERAL_RANGE"), "<absent>");
    EXPECT_THAT(log.lines(), Contains("from '" + path.string() + "'"));
    EXPECT_THAT(log.lines(), Contains("DESTINATION=\"EDDF\""));
}

TEST_F(ReadingParameters, EmptyLiveryFolderEntriesAreRemovedAndMissingOnesNotAdded) {
    writeEntries({{"lfolder3", ""}, {"lfolder4", "D:\\AI\\liveries"}});
    loadParameters(gf_parameterGroups());

    EXPECT_EQ(fileValue("lfolder3"), "<absent>");
    EXPECT_EQ(fileValue("lfolder4"), "D:\\AI\\liveries");
    EXPECT_EQ(fileValue("lfolder5"), "<absent>");
    EXPECT_EQ(lfolder[4].value, "D:\\AI\\liveries");
    const auto lines = log.lines();
    EXPECT_THAT(lines, Contains("Parameter 'lfolder3' removed"));
    EXPECT_THAT(lines, Contains("lfolder4=\"D:\\AI\\liveries\""));
    EXPECT_THAT(lines, Not(Contains(HasSubstr("lfolder5"))));
}

// The user's unreadable file is kept beside the new file of defaults, and
// the log and the user are told that the defaults replace it (not that no
// file was found).
TEST_F(ReadingParameters, UnreadableFileIsKeptBesideTheNewDefaults) {
    for (const char* damaged : {"<parameters><parameter name=\"RANGE\" value=\"20\"", "<settings/>", ""}) {
        test::resetSettingsToDefaults();
        std::filesystem::create_directories(path.parent_path());
        test::writeBytes(path, damaged);
        RANGE.value = 65;

        loadParameters(gf_parameterGroups());

        EXPECT_EQ(test::readBytes(path.string() + ".bad"), damaged);
        EXPECT_EQ(RANGE.value, 40) << damaged;
        EXPECT_EQ(fileValue("RANGE"), "40") << damaged;
        EXPECT_THAT(log.lines(), Contains(HasSubstr("it is kept as '" + path.string() + ".bad'")));
        EXPECT_THAT(log.lines(), Contains(path.string() + " could not be read, default values replace it:"));
        EXPECT_THAT(log.lines(), Not(Contains(HasSubstr("not found"))));
        EXPECT_EQ(gf_takeParametersNotice(), "Settings file " + path.string() +
                                                 " could not be read, default values replace it (the file is kept as " +
                                                 path.string() + ".bad)");
        EXPECT_EQ(gf_takeParametersNotice(), "");  // told once
    }
    std::filesystem::remove(path);
    loadParameters(gf_parameterGroups());
    EXPECT_EQ(gf_takeParametersNotice(), "") << "a missing file is no news";
}

TEST_F(ReadingParameters, LiveryFolderSettingsAreTheTenLfolders) {
    for (const auto& folder : lfolder) {
        EXPECT_TRUE(gf_isLiveryFolderParameter(folder)) << folder.name;
    }
    EXPECT_FALSE(gf_isLiveryFolderParameter(MSFS_INSTALL_PATH));
}

}  // namespace
