#include "core/parameters_file.h"

#include <pugixml.hpp>
#include <utility>

#include "core/data_paths.h"
#include "core/format.h"
#include "core/log.h"
#include "core/parameter_controls.h"
#include "core/parameters_migration.h"
#include "core/parameters_store.h"
#include "core/parameters_xml.h"
#include "core/settings.h"
#include "core/strings.h"
#include "ui/radius.h"
#include "ui/status/control_texts.h"
#include "ui/status/main_window.h"

namespace {

constexpr const char* kRootName = "parameters";

std::set<std::string> lf_keysInFile(const pugi::xml_document& document) {
    std::set<std::string> keys;
    for (const pugi::xml_node entry : document.child(kRootName).children("parameter")) {
        keys.insert(entry.attribute("name").value());
    }
    return keys;
}

// Legacy keys are only read: appended to the file, their defaults would be
// carried into their successors at the next version update.
bool lf_appendsWhenMissing(const Parameter& setting) { return !gf_isLegacyParameter(setting); }

void lf_readOrAppend(pugi::xml_document& document, BoolParameter& setting) {
    if (!setting.read(document) && lf_appendsWhenMissing(setting)) {
        gf_appendBoolParameterNode(document.child(kRootName), setting.name, setting.value);
    }
}

void lf_readOrAppend(pugi::xml_document& document, IntParameter& setting) {
    if (!setting.read(document, true) && lf_appendsWhenMissing(setting)) {
        gf_appendIntParameterNode(document.child(kRootName), setting.name, setting.value);
    }
}

void lf_readOrAppend(pugi::xml_document& document, StringParameter& setting) {
    if (gf_isLiveryFolderParameter(setting)) {
        setting.readLiveryFolder(document);
    } else if (!setting.read(document)) {
        gf_appendParameterNode(document.child(kRootName), setting.name, setting.value);
    }
}

// A new file holds neither the legacy keys nor empty livery folders.
template <class Setting>
void lf_writeDefault(pugi::xml_node root, Setting& setting) {
    if (lf_appendsWhenMissing(setting) && !gf_isLiveryFolderParameter(setting)) {
        setting.writeDefault(root);
    } else {
        setting.value = setting.defaultValue;
    }
}

// Walks the groups in their order, handling each setting; the controls of
// groups 2 and 4 show each value when it is handled, those of group 6 once
// the whole group is.
template <class Handle>
void lf_forEachSetting(const ParameterGroups& groups, Handle handle) {
    for (auto* setting : groups.switches) {
        handle(*setting);
    }
    for (auto* setting : groups.checkBoxes) {
        handle(*setting);
        gf_setCheckBox(*setting);
    }
    for (auto* setting : groups.numbers) {
        handle(*setting);
    }
    for (auto* setting : groups.shownNumbers) {
        handle(*setting);
        gf_setTbInt(*setting);
    }
    for (auto* setting : groups.texts) {
        handle(*setting);
    }
    for (auto* setting : groups.shownTexts) {
        handle(*setting);
    }
    for (auto* setting : groups.shownTexts) {
        gf_setTbText(*setting);
    }
}

void lf_writeDefaults(pugi::xml_document& document, const ParameterGroups& groups) {
    const pugi::xml_node root = document.append_child(kRootName);
    lf_forEachSetting(groups, [root](auto& setting) { lf_writeDefault(root, setting); });
}

// Written by the start-up read on the worker, taken by the worker.
std::string parametersNotice;

}  // namespace

std::string gf_takeParametersNotice() { return std::exchange(parametersNotice, {}); }

bool gf_isLiveryFolderParameter(const Parameter& setting) { return setting.name.find("lfolder") != std::string::npos; }

ParameterGroups gf_parameterGroups() {
    ParameterGroups groups{
        .switches = {&RANDOM, &MSFS_2020},
        .checkBoxes = {&AEROWINX, &CALLSIGN_OBJECTIDS, &COLLISION_USER_AIR, &COLLISION_USER_GND,
                       &COLLISION_LIVE_PARKED_GND, &SUPPRESS_STUB, &LOG, &ALWAYS_ON_TOP, &SCAN_LIVERIES,
                       &LIG_AUTOMATIC, &LIG_PRIORITIZE, &SCAN_AIRPORTS, &LIGHT_AIRCRAFT, &HELICOPTERS,
                       &HIGH_PERF_AIRCRAFT, &NAV_LIGHTS_WHILE_PARKED, &AUTO_RANGE, &LEARN_SOFT, &STRAIGHT_PBS_ONLY,
                       &PARK_SOFT, &PARK_FAKE, &WEEK, &INITIAL_LOAD_ONLY, &GUID_CHANGES},
        .numbers = {&CUSTOM_PARKING_PERCENTAGE, &MainWindow::MAIN_WINDOW_X, &MainWindow::MAIN_WINDOW_Y,
                    &LATERAL_RANGE, &AIRPORT_RANGE, &AUTO_RANGE_ABOVE_HEIGHT, &AIRPORT_HEIGHT, &LAST_EPOCH_TIME,
                    &HOLDING_THRESHOLD_METERS, &MAX_HOLDING_MINUTES, &CUSTOM_MAX_PARK, &MAX_LIVE, &AI_PACKAGE_ORDER},
        .shownNumbers = {&MATCHING_DEPTH, &RANGE, &MAX_FIT, &AR_ABOVE_HEIGHT, &MAX_PARK_SEL, &MAX_LIVE_SEL,
                         &AIRP_RANGE, &AIRP_HEIGHT},
        .texts = {&PROGRAM_VERSION, &MSFS_INSTALL_PATH, &PORT_NUMBER},
        .shownTexts = {&BLOCK_CALLSIGN, &SIM_CHOICE},
    };
    for (auto& folder : lfolder) {
        groups.texts.push_back(&folder);
    }
    groups.texts.insert(groups.texts.end(), {&PROGRAM_INSTALL_PATH, &AIG_VERSION, &DBASE_VERSION,
                                             &VAVOVEVIDE24_VERSION, &MSFS_2024_INSTALL_PATH, &AI_PACKAGE_SELECTOR,
                                             &DESTINATION});
    return groups;
}

std::set<std::string> loadParameters(const ParameterGroups& groups) {
    gf_writeLogPlain(gf_makeBanner(70, 0, true, false, "parameters"));
    std::set<std::string> keysInFile;
    {
        const auto lock = gf_lockParametersFile();
        pugi::xml_document document;
        const ParametersFileLoad load = gf_loadParametersFile(document);
        if (load.state == ParametersFileState::loaded) {
            gf_writeLogPlain(fmtlib::format("from '{}'", parametersPath));
            keysInFile = lf_keysInFile(document);
            lf_forEachSetting(groups, [&document](auto& setting) { lf_readOrAppend(document, setting); });
        } else if (load.state == ParametersFileState::unreadable) {
            gf_keepUnreadableParametersFile(load);
            gf_writeLogPlain(fmtlib::format("{} could not be read, default values replace it:", parametersPath));
            parametersNotice = fmtlib::format("Settings file {} could not be read, default values replace it (the "
                                              "file is kept as {}.bad)",
                                              parametersPath, parametersPath);
            lf_writeDefaults(document, groups);
        } else {
            gf_writeLogPlain(fmtlib::format("{} not found, default values taken:", parametersPath));
            lf_writeDefaults(document, groups);
        }
        if (gf_writeParametersFile(document)) {
            gf_writeLogPlain(fmtlib::format("'{}' saved", parametersPath));
        } else {
            gf_writeLogPlain(fmtlib::format("could not save to '{}'", parametersPath));
        }
    }
    gf_writeLogPlain(gf_makeBanner(80, 0, false, true, ""));
    return keysInFile;
}

void gf_readParameters() {
    const auto keysInFile = loadParameters(gf_parameterGroups());
    updateParameters(keysInFile);
    gf_setRadiusNm(RANGE.value);
}
