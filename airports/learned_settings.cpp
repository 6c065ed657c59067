#include "airports/learned_settings.h"

#include <optional>
#include <string_view>

#include "airports/stand_file.h"
#include "core/display_hooks.h"
#include "core/format.h"
#include "core/log.h"
#include "core/parameters_migration.h"
#include "core/parameters_xml.h"
#include "core/setting_choices.h"
#include "core/settings.h"
#include "core/strings.h"
#include "ui/status/control_texts.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"

namespace {

// A negative count is no limit: the count rule gives it the largest choice.
constexpr std::int32_t kNoLiveLimit = -1;

void lf_logSetting(std::string_view name, std::string_view value) {
    gf_writeLogIndented(fmtlib::format("{:24}: {}", name, value));
}

// True when the document holds the setting.
bool lf_applyBool(const pugi::xml_node& document, BoolControlParameter& setting) {
    const std::optional<bool> value = readBoolParameter(document, setting.name);
    if (!value) {
        return false;
    }
    setting.value = *value;
    gf_setCheckBox(setting);
    lf_logSetting(setting.name, gf_boolText(*value));
    return true;
}

void lf_applyMaxLive(const pugi::xml_node& document) {
    const std::optional<std::int32_t> value = readIntParameter(document, MAX_LIVE.name);
    MAX_LIVE_SEL.value = MAX_LIVE_SEL.clamped(gf_snapToCountChoice(value.value_or(kNoLiveLimit)));
    gf_selectChoice(MAX_LIVE_SEL);
    if (value) {
        lf_logSetting(MAX_LIVE.name, std::to_string(MAX_LIVE_SEL.value));
    }
}

void lf_applyLateralRange(const pugi::xml_node& document) {
    const std::optional<std::int32_t> value = readIntParameter(document, LATERAL_RANGE.name);
    if (!value) {
        return;
    }
    const int snapped = gf_snapToRangeChoice(*value);
    displayHooks.setRadiusNm(snapped);
    lf_logSetting(LATERAL_RANGE.name, std::to_string(snapped));
    gf_enableControl(RANGE, true);
}

void lf_applyAutoRange(const pugi::xml_node& document) {
    if (!lf_applyBool(document, AUTO_RANGE)) {
        return;
    }
    gf_enableControl(RANGE, false);
    if (AUTO_RANGE.value) {
        manualRadiusNm = RANGE.value.load();
        displayHooks.updateAutoRange();
    } else {
        gf_enableControl(RANGE, true);
        displayHooks.setRadiusNm(manualRadiusNm);
        gf_clearMessage();
    }
    gf_selectChoice(RANGE);
}

void lf_applyParkingPercentage(const pugi::xml_node& document) {
    const std::optional<std::int32_t> value = readIntParameter(document, parking_percentage.name);
    parking_percentage.value = value.value_or(parking_percentage.defaultValue);
    if (value) {
        lf_logSetting(parking_percentage.name, std::to_string(*value));
    }
    gf_setTbInt(parking_percentage);
}

void lf_applyMaxFit(const pugi::xml_node& document) {
    const std::optional<std::int32_t> value = readIntParameter(document, MAX_FIT.name);
    if (!value) {
        return;
    }
    MAX_FIT.value = MAX_FIT.clamped(*value);
    MAX_FIT_FL.value = static_cast<float>(MAX_FIT.value) * 0.5F + 0.5F;
    gf_setTbFloat(MAX_FIT_FL);
    gf_writeLogIndented(fmtlib::format("{:24}: {} (max number of half hours, is {} hrs decimal)", MAX_FIT.name,
                                       MAX_FIT.value.load(), gf_formatNumber(MAX_FIT_FL.value)));
}

}  // namespace

void applyLearnedSettings(const pugi::xml_node& document) {
    lf_applyBool(document, LEARN_SOFT);
    lf_applyMaxLive(document);
    lf_applyLateralRange(document);
    lf_applyAutoRange(document);
    lf_applyBool(document, PARK_FAKE);
    lf_applyBool(document, WEEK);
    lf_applyBool(document, PARK_SOFT);
    lf_applyParkingPercentage(document);
    lf_applyBool(document, INITIAL_LOAD_ONLY);
    lf_applyMaxFit(document);
}
