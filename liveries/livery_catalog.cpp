#include "liveries/livery_catalog.h"

#include <algorithm>
#include <numeric>

#include "core/random.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_data.h"

namespace {

constexpr std::size_t kAirlinePrefixLength = 3;

using EntrySpan = std::span<const LiveryEntry>;

// The walk over liveryList: the current airline and model, and where their
// entries begin in liveryCatalog.entries. Every entry is appended as it is
// met; a run whose key is already taken is cut off again, so that the
// entries hold exactly the liveries the maps keep.
class CatalogWalk {
public:
    void add(const LiveryData& livery) {
        if (livery.model != model_) {
            flushRun();
            model_ = livery.model;
        }
        if (livery.airline != airline_) {
            flushRun();
            flushAirline();
            airline_ = livery.airline;
        }
        liveryCatalog.entries.push_back({liveryCatalog.titleText.keep(livery.title), livery.cargo});
    }

    void finish() {
        flushRun();
        flushAirline();
    }

private:
    void flushRun() {
        auto& entries = liveryCatalog.entries;
        if (entries.size() == runStart_) {
            return;
        }
        if (models_.try_emplace(model_, entries.data() + runStart_, entries.size() - runStart_).second) {
            runStart_ = entries.size();
        } else {
            entries.resize(runStart_);
        }
    }

    void flushAirline() {
        if (models_.empty()) {
            return;
        }
        auto& entries = liveryCatalog.entries;
        if (liveryCatalog.byAirline.try_emplace(airline_, std::move(models_)).second) {
            airlineStart_ = entries.size();
        } else {
            entries.resize(airlineStart_);
            runStart_ = airlineStart_;
        }
        models_.clear();
    }

    std::string airline_;
    std::string model_;
    std::size_t airlineStart_ = 0;
    std::size_t runStart_ = 0;
    CodeMap<EntrySpan> models_;  // the current airline's
};

void lf_buildTitleIndex() {
    std::vector<std::string_view> titles;
    titles.reserve(liveryCatalog.entries.size());
    for (const LiveryEntry& entry : liveryCatalog.entries) {
        titles.push_back(entry.title);
    }
    liveryCatalog.titleIndex.build(std::move(titles));
}

// The titles of the entries of one kind, in order.
void lf_appendTitles(EntrySpan entries, bool cargo, TitleViews& views) {
    for (const LiveryEntry& entry : entries) {
        if (entry.cargo == cargo) {
            views.push_back(entry.title);
        }
    }
}

// views[start, end) under the model, unless that is empty.
void lf_insertSlice(CodeMap<TitleSpan>& map, std::string_view model, const TitleViews& views, std::size_t start,
                    std::size_t end) {
    if (end > start) {
        map.try_emplace(std::string(model), views.data() + start, end - start);
    }
}

std::string lf_pickModel(const std::vector<std::string>& models) {
    const auto index = gf_randomIndex(models.size());
    return index ? models[*index] : std::string();
}

}  // namespace

void buildAirlineModelCatalog() {
    // A build starts afresh: the arrays below are sized once for it, so that
    // no span into them moves, and a catalogue left from an earlier build
    // would hold spans into them.
    gf_resetLiveryCatalog();
    auto& catalog = liveryCatalog;
    catalog.entries.reserve(liveryList.size());
    CatalogWalk walk;
    for (const LiveryData& livery : liveryList) {
        walk.add(livery);
    }
    walk.finish();
    lf_buildTitleIndex();
}

void buildPaxCargoAirlineMaps() {
    auto& catalog = liveryCatalog;
    // Filled afresh, so that no span is left into the array it refills.
    auto& [paxMap, cargoMap] = catalog.byAirlinePaxCargo;
    paxMap.clear();
    cargoMap.clear();
    TitleViews& views = catalog.airlineModelViews;
    views.clear();
    views.reserve(catalog.entries.size());
    for (const auto& [airline, models] : catalog.byAirline) {
        CodeMap<TitleSpan> paxModels;
        CodeMap<TitleSpan> cargoModels;
        for (const auto& [model, entries] : models) {
            // The model's pax titles, then its cargo titles, each in order.
            const std::size_t paxStart = views.size();
            lf_appendTitles(entries, false, views);
            const std::size_t cargoStart = views.size();
            lf_appendTitles(entries, true, views);
            lf_insertSlice(paxModels, model, views, paxStart, cargoStart);
            lf_insertSlice(cargoModels, model, views, cargoStart, views.size());
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
    auto& catalog = liveryCatalog;
    // Each model's rank among the distinct models, ascending: the titles are
    // ordered by the rank, which orders exactly as the code itself.
    ViewMap<std::uint32_t> rankOf;
    struct ModelRun {
        const std::uint32_t* modelRank;  // in rankOf, whose nodes never move
        EntrySpan entries;
    };
    std::vector<ModelRun> runs;
    for (const auto& [airline, airlineModels] : catalog.byAirline) {
        for (const auto& [model, entries] : airlineModels) {
            runs.push_back({&rankOf.try_emplace(model, 0).first->second, entries});
        }
    }
    std::vector<std::string_view> models;
    models.reserve(rankOf.size());
    for (const auto& [model, rank] : rankOf) {
        models.push_back(model);
    }
    std::sort(models.begin(), models.end());
    for (std::size_t rank = 0; rank < models.size(); ++rank) {
        rankOf.find(models[rank])->second = static_cast<std::uint32_t>(rank);
    }

    // A counting sort into one array: each model's pax titles, then its cargo
    // titles (bucket 2 * rank + cargo), each in byAirline's order.
    const auto bucketOf = [](std::uint32_t rank, const LiveryEntry& entry) {
        return 2 * std::size_t{rank} + (entry.cargo ? 1 : 0);
    };
    std::vector<std::size_t> bucketStart(2 * models.size() + 1, 0);
    for (const ModelRun& run : runs) {
        for (const LiveryEntry& entry : run.entries) {
            ++bucketStart[bucketOf(*run.modelRank, entry) + 1];
        }
    }
    std::partial_sum(bucketStart.begin(), bucketStart.end(), bucketStart.begin());
    TitleViews& views = catalog.modelViews;
    views.assign(bucketStart.back(), TitleView());
    std::vector<std::size_t> next(bucketStart.begin(), bucketStart.end() - 1);
    for (const ModelRun& run : runs) {
        for (const LiveryEntry& entry : run.entries) {
            views[next[bucketOf(*run.modelRank, entry)]++] = entry.title;
        }
    }

    auto& [paxMap, cargoMap] = catalog.byModelPaxCargo;
    paxMap.clear();  // no span is left into the array refilled above
    cargoMap.clear();
    for (std::size_t rank = 0; rank < models.size(); ++rank) {
        if (models[rank].empty()) {
            continue;  // a livery without a model belongs to no model
        }
        const std::size_t pax = bucketStart[2 * rank];
        const std::size_t cargo = bucketStart[2 * rank + 1];
        lf_insertSlice(cargoMap, models[rank], views, cargo, bucketStart[2 * rank + 2]);
        lf_insertSlice(paxMap, models[rank], views, pax, cargo);
    }
}

TitleView findCatalogTitle(std::string_view title) {
    return liveryCatalog.titleIndex.find(title);
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
    catalog.modelViews.clear();
    catalog.airlineModelViews.clear();
    catalog.byAirline.clear();
    // Last: every view and span above points into them.
    catalog.entries.clear();
    catalog.titleText.clear();
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
