// The per-category summary of the catalogue and the model lists of the
// small categories, from which the fallback step of the ladder draws.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/strings.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "ui/status/window_updates.h"

namespace {

constexpr std::size_t kModelsPerLogLine = 20;

// The liveries of one category in one half of byModelPaxCargo.
struct CategoryLiveries {
    std::size_t titleCount = 0;
    std::vector<std::string> models;
};

CategoryLiveries lf_collect(const CodeMap<TitleSpan>& byModel, AircraftCategory category) {
    CategoryLiveries found;
    for (const auto& [model, titles] : byModel) {
        if (gf_getAircraftCategory(model) == category) {
            found.titleCount += titles.size();
            found.models.push_back(model);
        }
    }
    return found;
}

// The optional category's setting and what its log line says is missing.
struct OptionalCategory {
    AircraftCategory category;
    BoolControlParameter* setting;
    std::string_view missing;
};

const OptionalCategory* lf_optionalCategory(AircraftCategory category) {
    static const std::array<OptionalCategory, 3> optional{{
        {AircraftCategory::Light, &LIGHT_AIRCRAFT, "light aircraft"},
        {AircraftCategory::HighPerf, &HIGH_PERF_AIRCRAFT, "High Perf aircraft"},
        {AircraftCategory::Rotorcraft, &HELICOPTERS, "Helicopters"},
    }};
    const auto found = std::find_if(optional.begin(), optional.end(),
                                    [category](const OptionalCategory& o) { return o.category == category; });
    return found != optional.end() ? &*found : nullptr;
}

void lf_switchOffEmptyCategory(const OptionalCategory& optional) {
    BoolControlParameter& setting = *optional.setting;
    if (setting.value) {
        setting.value = false;
        setting.save();
        gf_writeLogPlain(fmtlib::format("{} temporarily switched off because you do not have {} installed",
                                        setting.name, optional.missing));
    }
    gf_enableControl(setting, false);
}

}  // namespace

void logLiveryCategories(AircraftCategory category) {
    const auto& [paxMap, cargoMap] = liveryCatalog.byModelPaxCargo;
    CategoryLiveries pax = lf_collect(paxMap, category);
    const CategoryLiveries cargo = lf_collect(cargoMap, category);
    const std::string_view name = aircraftCategoryNames[gf_categoryIndex(category)].name;
    const OptionalCategory* optional = lf_optionalCategory(category);
    if (pax.titleCount == 0 && cargo.titleCount == 0) {
        gf_writeLogPlain(fmtlib::format("Category {}: No livery found", name));
        if (optional != nullptr) {
            lf_switchOffEmptyCategory(*optional);
        }
        return;
    }
    const std::string cargoText =
        cargo.titleCount == 0
            ? std::string()
            : fmtlib::format(" and {} cargo liverie{}", cargo.titleCount, gf_pluralSuffix(cargo.titleCount));
    gf_writeLogPlain(fmtlib::format("Category {}: {} pax liverie{}{}", name, pax.titleCount,
                                    gf_pluralSuffix(pax.titleCount), cargoText));
    std::vector<std::string>& codes = pax.models;
    codes.insert(codes.end(), cargo.models.begin(), cargo.models.end());
    if (!codes.empty()) {
        std::sort(codes.begin(), codes.end());
        codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
        fillCategoryModelList(category == AircraftCategory::Light, category == AircraftCategory::Buzjets,
                              category == AircraftCategory::Rotorcraft, codes);
    }
    if (optional != nullptr) {
        gf_enableControl(*optional->setting, true);
    }
}

void fillCategoryModelList(bool light, bool buzjet, bool rotorcraft, const std::vector<std::string>& codes) {
    std::vector<std::string>* list = light        ? &liveryCatalog.lightModels
                                     : buzjet     ? &liveryCatalog.buzjetModels
                                     : rotorcraft ? &liveryCatalog.rotorcraftModels
                                                  : nullptr;
    std::vector<std::string_view> line;
    const auto writeLine = [&line] {
        gf_writeLogPlain(fmtlib::format("  {}", fmtlib::join(line, ",")));
        line.clear();
    };
    for (const std::string& code : codes) {
        if (list != nullptr) {
            list->push_back(code);
        }
        line.push_back(code);
        if (line.size() == kModelsPerLogLine) {
            writeLine();
        }
    }
    if (!line.empty()) {
        writeLine();
    }
}
