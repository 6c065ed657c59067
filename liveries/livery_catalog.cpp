#include "liveries/livery_catalog.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <tuple>

#include "core/random.h"
#include "liveries/livery_data.h"

LiveryCatalog liveryCatalog;

namespace {

// Room reserved ahead: the liveries of one airline and model in a scan, and
// the titles of one model over all airlines.
constexpr std::size_t kModelRunReserve = 4048;
constexpr std::size_t kModelTitlesReserve = 15000;
constexpr std::size_t kAirlinePrefixLength = 3;

// The run's entries moved into a vector of their exact size, under the key
// when it is absent; the scratch vector keeps its room for the next run.
void lf_flushRun(CodeMap<std::vector<LiveryEntry>>& models, const std::string& model,
                 std::vector<LiveryEntry>& run) {
    if (run.empty()) {
        return;
    }
    models.try_emplace(model, std::make_move_iterator(run.begin()), std::make_move_iterator(run.end()));
    run.clear();
}

void lf_flushAirline(const std::string& airline, CodeMap<std::vector<LiveryEntry>>& models) {
    if (models.empty()) {
        return;
    }
    liveryCatalog.byAirline.try_emplace(airline, std::move(models));
    models.clear();
}

void lf_buildTitleIndex() {
    auto& index = liveryCatalog.titleIndex;
    index.clear();
    index.reserve(liveryList.size());
    for (const auto& [airline, models] : liveryCatalog.byAirline) {
        for (const auto& [model, entries] : models) {
            for (const LiveryEntry& entry : entries) {
                index.insert(entry.title);
            }
        }
    }
}

TitleViews lf_exactCopy(const TitleViews& views) { return {views.begin(), views.end()}; }

void lf_insertUnlessEmpty(CodeMap<TitleViews>& map, std::string_view model, TitleViews& views) {
    if (!views.empty()) {
        map.try_emplace(std::string(model), lf_exactCopy(views));
    }
    views.clear();
}

std::string lf_pickModel(const std::vector<std::string>& models) {
    const auto index = gf_randomIndex(models.size());
    return index ? models[*index] : std::string();
}

}  // namespace

void buildAirlineModelCatalog() {
    std::string currentAirline;
    std::string currentModel;
    std::vector<LiveryEntry> run;
    run.reserve(kModelRunReserve);
    CodeMap<std::vector<LiveryEntry>> models;
    for (const LiveryData& livery : liveryList) {
        if (livery.model != currentModel) {
            lf_flushRun(models, currentModel, run);
            currentModel = livery.model;
        }
        if (livery.airline != currentAirline) {
            lf_flushRun(models, currentModel, run);
            lf_flushAirline(currentAirline, models);
            currentAirline = livery.airline;
        }
        run.push_back({livery.title, livery.cargo});
    }
    lf_flushRun(models, currentModel, run);
    lf_flushAirline(currentAirline, models);
    lf_buildTitleIndex();
}

void buildPaxCargoAirlineMaps() {
    auto& [paxMap, cargoMap] = liveryCatalog.byAirlinePaxCargo;
    for (const auto& [airline, models] : liveryCatalog.byAirline) {
        CodeMap<TitleViews> paxModels;
        CodeMap<TitleViews> cargoModels;
        for (const auto& [model, entries] : models) {
            const auto cargoCount = static_cast<std::size_t>(
                std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.cargo; }));
            TitleViews pax;
            TitleViews cargo;
            pax.reserve(entries.size() - cargoCount);
            cargo.reserve(cargoCount);
            for (const LiveryEntry& entry : entries) {
                (entry.cargo ? cargo : pax).push_back(entry.title);
            }
            if (!pax.empty()) {
                paxModels.try_emplace(model, std::move(pax));
            }
            if (!cargo.empty()) {
                cargoModels.try_emplace(model, std::move(cargo));
            }
        }
        if (!paxModels.empty()) {
            paxMap.try_emplace(airline, std::move(paxModels));
        }
        if (!cargoModels.empty()) {
            cargoMap.try_emplace(airline, std::move(cargoModels));
        }
    }
}

void buildModelTitleMaps() {
    // The distinct models, ascending: a livery's model is sorted by its rank
    // in this list, which orders exactly as the code itself but compares two
    // numbers instead of two strings that lie all over the catalogue.
    std::vector<std::string_view> models;
    std::size_t liveryCount = 0;
    for (const auto& [airline, airlineModels] : liveryCatalog.byAirline) {
        for (const auto& [model, entries] : airlineModels) {
            models.push_back(model);
            liveryCount += entries.size();
        }
    }
    std::sort(models.begin(), models.end());
    models.erase(std::unique(models.begin(), models.end()), models.end());
    ViewMap<std::uint32_t> rankOf;
    rankOf.reserve(models.size());
    for (std::size_t rank = 0; rank < models.size(); ++rank) {
        rankOf.emplace(models[rank], static_cast<std::uint32_t>(rank));
    }

    struct ModelTitle {
        std::uint32_t modelRank;
        bool cargo;
        TitleView title;
    };
    std::vector<ModelTitle> all;
    all.reserve(liveryCount);
    for (const auto& [airline, airlineModels] : liveryCatalog.byAirline) {
        for (const auto& [model, entries] : airlineModels) {
            const std::uint32_t rank = rankOf.find(model)->second;
            for (const LiveryEntry& entry : entries) {
                all.push_back({rank, entry.cargo, entry.title});
            }
        }
    }
    std::sort(all.begin(), all.end(),
              [](const ModelTitle& a, const ModelTitle& b) { return a.modelRank < b.modelRank; });

    // Plain references, not a structured binding: the lambda below captures
    // them, which not every compiler allows for bindings.
    CodeMap<TitleViews>& paxMap = liveryCatalog.byModelPaxCargo[0];
    CodeMap<TitleViews>& cargoMap = liveryCatalog.byModelPaxCargo[1];
    TitleViews pax;
    TitleViews cargo;
    pax.reserve(kModelTitlesReserve);
    cargo.reserve(kModelTitlesReserve);
    // Each model's titles go under it when the next model begins. The titles
    // of an empty model are dropped there too, so that they never join the
    // list of the model after it.
    const auto flush = [&](std::string_view model) {
        if (model.empty()) {
            pax.clear();
            cargo.clear();
            return;
        }
        lf_insertUnlessEmpty(cargoMap, model, cargo);
        lf_insertUnlessEmpty(paxMap, model, pax);
    };
    std::optional<std::uint32_t> previousRank;
    for (const ModelTitle& item : all) {
        if (item.modelRank != previousRank) {
            if (previousRank) {
                flush(models[*previousRank]);
            }
            previousRank = item.modelRank;
        }
        (item.cargo ? cargo : pax).push_back(item.title);
    }
    if (previousRank) {
        flush(models[*previousRank]);
    }
}

TitleView findCatalogTitle(std::string_view title) {
    const auto found = liveryCatalog.titleIndex.find(title);
    return found != liveryCatalog.titleIndex.end() ? *found : TitleView();
}

bool catalogHasAirlineModel(std::string_view airline, std::string_view model) {
    const auto found = liveryCatalog.byAirline.find(airline);
    return found != liveryCatalog.byAirline.end() && found->second.contains(model);
}

std::vector<std::string> listCatalogAirlinePrefixes() {
    std::vector<std::string> prefixes;
    prefixes.reserve(liveryCatalog.byAirline.size());
    for (const auto& entry : liveryCatalog.byAirline) {
        prefixes.push_back(entry.first.substr(0, kAirlinePrefixLength));
    }
    return prefixes;
}

std::string pickRandomLightModel() { return lf_pickModel(liveryCatalog.lightModels); }
std::string pickRandomBuzjetModel() { return lf_pickModel(liveryCatalog.buzjetModels); }
std::string pickRandomRotorcraftModel() { return lf_pickModel(liveryCatalog.rotorcraftModels); }

void gf_resetLiveryCatalog() {
    auto& catalog = liveryCatalog;
    catalog.lightModels.clear();
    catalog.buzjetModels.clear();
    catalog.rotorcraftModels.clear();
    catalog.specialTitles.clear();
    catalog.specialTitleSet.clear();
    catalog.regcodeTitles.clear();
    for (auto& map : catalog.byModelPaxCargo) {
        map.clear();
    }
    for (auto& map : catalog.byAirlinePaxCargo) {
        map.clear();
    }
    catalog.titleIndex.clear();
    catalog.byAirline.clear();  // last: the views above point into it
}

void gf_reserveLiveryCatalog() {
    // Room for the maker's catalogues, reserved once per program.
    static bool reserved = false;
    if (reserved) {
        return;
    }
    reserved = true;
    liveryCatalog.specialTitles.reserve(4096);
    liveryCatalog.lightModels.reserve(64);
    liveryCatalog.buzjetModels.reserve(128);
    liveryCatalog.rotorcraftModels.reserve(32);
}
