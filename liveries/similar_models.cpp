#include "liveries/similar_models.h"

#include <set>

#include "core/format.h"
#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/strings.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"

namespace {

bool lf_hasLiveries(std::string_view model) {
    const auto& [paxMap, cargoMap] = liveryCatalog.byModelPaxCargo;
    return paxMap.contains(model) || cargoMap.contains(model);
}

// One text per member of a group that has installed companions: the member,
// then "," and each other member with liveries, in group order
// ("A319,A320,A321"). Equal texts collapse; the set orders them.
std::set<std::string> lf_installedGroupTexts() {
    std::set<std::string> texts;
    for (const auto& group : dbase.similarTypeGroups) {
        for (std::size_t member = 0; member < group.size(); ++member) {
            std::string text = group[member];
            bool anyOther = false;
            for (std::size_t other = 0; other < group.size(); ++other) {
                if (other != member && lf_hasLiveries(group[other])) {
                    text += ',';
                    text += group[other];
                    anyOther = true;
                }
            }
            if (anyOther) {
                texts.insert(std::move(text));
            }
        }
    }
    return texts;
}

void lf_buildAirlineTable() {
    for (const std::string& airline : listCatalogAirlinePrefixes()) {
        CodeMap<ModelList> models;
        for (const auto& [model, similar] : similarModelsInstalled) {
            if (catalogHasAirlineModel(airline, model)) {
                continue;
            }
            ModelList owned;
            for (const std::string& candidate : similar) {
                if (catalogHasAirlineModel(airline, candidate)) {
                    owned.push_back(candidate);
                }
            }
            if (!owned.empty()) {
                models.try_emplace(model, std::move(owned));
            }
        }
        if (!models.empty()) {
            airlineSimilarModels.try_emplace(airline, std::move(models));
        }
    }
}

}  // namespace

void buildSimilarModelTables() {
    // Built afresh from the current catalogue, so that a catalogue rebuilt
    // after a new scan never keeps models of the old one.
    similarModelsInstalled.clear();
    airlineSimilarModels.clear();
    for (const std::string& text : lf_installedGroupTexts()) {
        ModelList pieces = gf_splitComma(text);
        std::string model = std::move(pieces.front());
        pieces.erase(pieces.begin());
        // The smallest text of a type in two groups wins.
        similarModelsInstalled.try_emplace(std::move(model), std::move(pieces));
    }
    lf_buildAirlineTable();
    gf_writeLogPlain(fmtlib::format("{} similar model definitions", similarModelsInstalled.size()));
}

ModelList gf_getSimilarModelsForAirline(std::string_view airline, std::string_view model) {
    const auto airlineEntry = airlineSimilarModels.find(airline);
    if (airlineEntry == airlineSimilarModels.end()) {
        return {};
    }
    const auto modelEntry = airlineEntry->second.find(model);
    if (modelEntry == airlineEntry->second.end()) {
        return {};
    }
    return gf_shuffledCopy(modelEntry->second);
}

ModelList gf_singleModelList(ModelPicker picker) {
    std::string model = picker();
    if (model.empty()) {
        return {};
    }
    return {std::move(model)};
}

ModelList gf_shuffledCopy(const ModelList& models) {
    ModelList copy = models;
    if (RANDOM.value && copy.size() >= 2) {
        gf_shuffleList(copy);
    }
    return copy;
}
