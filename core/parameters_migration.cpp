#include "core/parameters_migration.h"

#include <array>
#include <filesystem>

#include "core/data_paths.h"
#include "core/display_hooks.h"
#include "core/format.h"
#include "core/log.h"
#include "core/setting_choices.h"
#include "core/settings.h"
#include "core/threshold_steps.h"
#include "core/version.h"

namespace {

constexpr std::array<ThresholdStep, 6> kCountSteps = {{{300, 500}, {88, 100}, {63, 75}, {38, 50}, {18, 25}, {1, 10}}};
constexpr std::array<ThresholdStep, 5> kAirportRangeStepsNm = {{{27, 30}, {23, 25}, {18, 20}, {13, 15}, {8, 10}}};

// The version whose files already hold the successors.
constexpr VersionData kFirstVersionWithSuccessors{11, 0, 2};

void lf_setAndSave(IntParameter& successor, std::int32_t value) {
    successor.value = successor.clamped(value);
    successor.save();
}

// A legacy setting and how its value goes into its successor.
struct LegacyCarry {
    const Parameter* legacy;
    void (*carry)();
};

constexpr std::array<LegacyCarry, 8> kLegacyCarries = {{
    {&MSFS_2020, [] { SIM_CHOICE.setValueAndSave(MSFS_2020.value ? "MSFS 2020" : "MSFS 2024"); }},
    {&AI_PACKAGE_ORDER,
     [] {
         const auto order = static_cast<std::size_t>(AI_PACKAGE_ORDER.value - AI_PACKAGE_ORDER.min);
         AI_PACKAGE_SELECTOR.setValueAndSave(AI_PACKAGE_SELECTOR.items.at(order));
     }},
    {&CUSTOM_MAX_PARK, [] { lf_setAndSave(MAX_PARK_SEL, gf_snapToCountChoice(CUSTOM_MAX_PARK.value)); }},
    {&MAX_LIVE, [] { lf_setAndSave(MAX_LIVE_SEL, gf_snapToCountChoice(MAX_LIVE.value)); }},
    {&LATERAL_RANGE, [] { lf_setAndSave(RANGE, gf_snapToRangeChoice(LATERAL_RANGE.value)); }},
    {&AIRPORT_RANGE,
     [] { lf_setAndSave(AIRP_RANGE, gf_firstStepReached(AIRPORT_RANGE.value, kAirportRangeStepsNm, 5)); }},
    {&AUTO_RANGE_ABOVE_HEIGHT,
     [] { lf_setAndSave(AR_ABOVE_HEIGHT, gf_snapToAirportHeightChoice(AUTO_RANGE_ABOVE_HEIGHT.value)); }},
    {&AIRPORT_HEIGHT, [] { lf_setAndSave(AIRP_HEIGHT, gf_snapToAirportHeightChoice(AIRPORT_HEIGHT.value)); }},
}};

void lf_carryLegacySettings(const std::set<std::string>& keysInFile) {
    for (const auto& [legacy, carry] : kLegacyCarries) {
        if (keysInFile.contains(legacy->name)) {
            carry();
        }
        legacy->removeFromFile();
    }
}

void lf_removeInstaller() {
    std::error_code error;
    std::filesystem::remove(dataPaths.installerFile, error);
    if (error) {
        gf_writeLogPlain(
            fmtlib::format("Failed to remove {}: {}", dataPaths.installerFile.string(), error.message()));
    }
}

void lf_switchScansOn() {
    for (BoolControlParameter* scan : {&SCAN_LIVERIES, &SCAN_AIRPORTS}) {
        scan->value = true;
        scan->save();
        displayHooks.showCheckBox(*scan);
    }
}

}  // namespace

bool gf_isLegacyParameter(const Parameter& setting) {
    for (const auto& carry : kLegacyCarries) {
        if (carry.legacy == &setting) {
            return true;
        }
    }
    return false;
}

std::int32_t gf_snapToCountChoice(std::int32_t count) {
    if (count == 0) {
        return 0;
    }
    return gf_firstStepReached(count, kCountSteps, 500);
}

void updateParameters(const std::set<std::string>& keysInFile) {
    const std::string running = gf_formatVersion(programVersion);
    if (PROGRAM_VERSION.value.empty()) {
        PROGRAM_VERSION.setValueAndSave(running);
        return;
    }
    const VersionData stored{PROGRAM_VERSION.value};
    if (stored != programVersion) {
        PROGRAM_VERSION.setValueAndSave(running);
    }
    if (!(programVersion > stored)) {
        return;
    }
    gf_writeLogPlain(fmtlib::format("This is a version update from {} -> {}", gf_formatVersion(stored), running));
    if (stored != kFirstVersionWithSuccessors) {
        lf_carryLegacySettings(keysInFile);
    }
    lf_removeInstaller();
    lf_switchScansOn();
}
