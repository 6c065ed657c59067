#include "core/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/meta_block.h"

namespace {

using testing::ElementsAre;

// Every object bound to a control of the main window.
const std::vector<const ControlBinding*> kBoundObjects = {
    &ALL_INSTALL_PATH, &HIGH_PERF_AIRCRAFT, &HELICOPTERS, &LIGHT_AIRCRAFT, &LOG, &RANGE,
    &flushStaticButton, &MAX_FIT_FL, &MAX_LIVE_SEL, &LEARN_SOFT, &WEEK, &MAX_FIT, &parking_percentage,
    &PARK_FAKE, &PARK_SOFT, &INITIAL_LOAD_ONLY, &AUTO_RANGE, &SIM_CHOICE, &SCAN_LIVERIES, &LIG_AUTOMATIC,
    &LIG_PRIORITIZE, &AI_PACKAGE_SELECTOR, &SUPPRESS_STUB, &ALWAYS_ON_TOP, &SCAN_AIRPORTS,
    &NAV_LIGHTS_WHILE_PARKED, &MATCHING_DEPTH, &AEROWINX, &GUID_CHANGES, &AR_ABOVE_HEIGHT,
    &CALLSIGN_OBJECTIDS, &BLOCK_CALLSIGN, &unblockButton, &CALLSIGN_2_OBJECTID, &COLLISION_USER_AIR,
    &COLLISION_USER_GND, &COLLISION_LIVE_PARKED_GND, &MAX_PARK_SEL, &DESTINATION, &AIRP_RANGE, &AIRP_HEIGHT,
    &STRAIGHT_PBS_ONLY, &reReadButton,
};

TEST(SettingsRegistry, ControlIdsAreUniqueAndInTheWindowsRange) {
    EXPECT_EQ(kBoundObjects.size(), 43U);
    std::set<std::uint16_t> ids;
    for (const auto* bound : kBoundObjects) {
        EXPECT_TRUE(ids.insert(bound->controlId).second) << std::hex << bound->controlId;
        EXPECT_GE(bound->controlId, 0x8003);
        EXPECT_LE(bound->controlId, 0x805a);
    }
    EXPECT_EQ(flushStaticButton.controlId, 0x805a);
    EXPECT_EQ(unblockButton.controlId, 0x803d);
    EXPECT_EQ(reReadButton.controlId, 0x8046);
    EXPECT_EQ(flushStaticButton.name, "Flush static");
    EXPECT_EQ(unblockButton.name, "Unblock");
    EXPECT_EQ(reReadButton.name, "Re-read");
}

TEST(SettingsRegistry, ChoiceLimitsAreTheFirstAndLastChoice) {
    struct Row {
        const IntChoiceParameter* setting;
        std::int32_t min;
        std::int32_t max;
        std::int32_t defaultValue;
    };
    const Row rows[] = {
        {&RANGE, 2, 100, 40},         {&MAX_LIVE_SEL, 0, 500, 500},       {&MAX_PARK_SEL, 0, 500, 500},
        {&MATCHING_DEPTH, 1, 4, 4},   {&AR_ABOVE_HEIGHT, 18000, 48000, 48000}, {&AIRP_RANGE, 5, 30, 20},
        {&AIRP_HEIGHT, 2000, 48000, 18000},
    };
    for (const auto& row : rows) {
        const auto& setting = *row.setting;
        EXPECT_EQ(setting.min, row.min) << setting.name;
        EXPECT_EQ(setting.max, row.max) << setting.name;
        EXPECT_EQ(setting.choices.front(), setting.min) << setting.name;
        EXPECT_EQ(setting.choices.back(), setting.max) << setting.name;
        EXPECT_TRUE(std::is_sorted(setting.choices.begin(), setting.choices.end())) << setting.name;
        EXPECT_EQ(setting.value, row.defaultValue) << setting.name;
        EXPECT_NE(std::find(setting.choices.begin(), setting.choices.end(), setting.defaultValue),
                  setting.choices.end())
            << setting.name;
    }
    EXPECT_EQ(RANGE.choices.size(), 20U);
    EXPECT_EQ(MAX_LIVE_SEL.choices, MAX_PARK_SEL.choices);
    EXPECT_EQ(SIM_CHOICE.items.front(), SIM_CHOICE.defaultValue);
    EXPECT_EQ(AI_PACKAGE_SELECTOR.items.front(), AI_PACKAGE_SELECTOR.defaultValue);
    EXPECT_EQ(AI_PACKAGE_SELECTOR.items.size(), 6U);
}

TEST(SettingsRegistry, StartValuesAgreeWithEachOther) {
    EXPECT_EQ(trafficRadiusNm, 40.0);
    EXPECT_EQ(trafficRadiusMeters, 74080U);
    EXPECT_EQ(trafficRadiusNm, RANGE.value);
    // MAX_FIT_FL = (MAX_FIT + 1) x 0.5
    EXPECT_EQ(MAX_FIT_FL.value, (MAX_FIT.value + 1) * 0.5F);
    EXPECT_EQ(MAX_FIT_FL.value, 24.0F);
    EXPECT_EQ(LAST_EPOCH_TIME.name, "LAST_EPOCH_TIME:");
    EXPECT_EQ(LAST_EPOCH_TIME.name.size(), 16U);
    EXPECT_EQ(PORT_NUMBER.value, "10747");
    EXPECT_EQ(lfolder[0].name, "lfolder0");
    EXPECT_EQ(lfolder[9].name, "lfolder9");
    EXPECT_FALSE(meta::copyright.value.empty());
    EXPECT_EQ(meta::copyright.value.load().find('\n'), std::string::npos);
}

TEST(SettingsRegistry, PerAirportSettingsAreNamedAsTheSettingsSpellThem) {
    std::vector<std::string> names;
    for (const auto* setting : perAirportSettings) {
        names.push_back(setting->name);
    }
    EXPECT_THAT(names, ElementsAre("LATERAL_RANGE", "AUTO_RANGE", "INITIAL_LOAD_ONLY", "PARK_SOFT", "PARK_FAKE",
                                   "parking_percentage", "MAX_FIT", "WEEK", "LEARN_SOFT", "MAX_LIVE"));
}

}  // namespace
