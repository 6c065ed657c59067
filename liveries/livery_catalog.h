#pragma once
// The livery catalogue: the installed AI liveries indexed for the matching
// ladders (liveries/livery_matching.h) by airline and model, by model alone
// and by registration, with the special titles, the models of the small
// size categories and the titles the simulator refused.
//
// Built on the worker thread from liveryList (sorted by airline, model and
// title) when the scanned liveries are processed, in this order:
// buildAirlineModelCatalog, buildPaxCargoAirlineMaps, the registration codes
// (liveries/regcode_merge.h), buildModelTitleMaps, the similar-model tables
// (liveries/similar_models.h), logLiveryCategories for the categories 0 to
// 5. It is then only read, on the worker thread, without a lock; it lives
// until gf_resetLiveryCatalog, also across restarts of the worker.
//
// Title views: the catalogue holds the text of every title once, in
// titleText; every index holds std::string_view views of it, and the maps
// hold spans (slices) of the catalogue's own arrays of entries and views.
// Each build starts from an empty catalogue, which is then only read; an
// empty view means no title.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "liveries/aircraft_category.h"
#include "liveries/code_maps.h"
#include "liveries/text_store.h"
#include "liveries/title_index.h"

using TitleView = std::string_view;
using TitleViews = std::vector<TitleView>;
// The titles of one airline and model, or of one model, in one of the
// catalogue's arrays of views.
using TitleSpan = std::span<const TitleView>;

struct LiveryEntry {
    TitleView title;  // exactly as in aircraft.cfg
    bool cargo = false;
};

// Index of the pax and the cargo half of the split maps.
enum LiveryKind : std::size_t { kPaxLiveries = 0, kCargoLiveries = 1 };

struct LiveryCatalog {
    // The text of every title.
    TextStore titleText;
    // Every livery kept, in liveryList's order: byAirline's spans slice it.
    std::vector<LiveryEntry> entries;
    // airline ("ZZZ" without one) -> model -> its liveries.
    CodeMap<CodeMap<std::span<const LiveryEntry>>> byAirline;
    // The same split by kind; an airline is in a half only with liveries of
    // that kind. The spans slice airlineModelViews.
    std::array<CodeMap<CodeMap<TitleSpan>>, 2> byAirlinePaxCargo;
    TitleViews airlineModelViews;
    // model -> the titles of every airline, split by kind. The spans slice
    // modelViews.
    std::array<CodeMap<TitleSpan>, 2> byModelPaxCargo;
    TitleViews modelViews;
    // registration -> the title bound to it (in-line ATC ids, then the lists).
    CodeMap<TitleView> regcodeTitles;
    // Liveries meant for their own registrations only; free picks pass them over.
    TitleViews specialTitles;
    ViewSet specialTitleSet;  // the same titles, for the test in every pick
    // Models of the Light, Buzjets and Rotorcraft categories that have
    // liveries: ascending, no duplicates.
    std::vector<std::string> lightModels;
    std::vector<std::string> buzjetModels;
    std::vector<std::string> rotorcraftModels;
    // Live aircraft whose livery was accepted at ladder step 1 to 6 (index
    // step - 1), over the program's whole life.
    std::array<std::uint32_t, 6> matchStepCounts{};
    // Titles the simulator failed to create: appended by the traffic manager
    // when a creation fails, never handed out again by the ladders. Own
    // copies, so that they outlive a reset.
    std::vector<std::string> refusedTitles;
    // The title of every entry, for findCatalogTitle: of equal titles the
    // first entry's. Built with byAirline.
    TitleIndex titleIndex;
};

// Empties the catalogue (gf_resetLiveryCatalog), then fills titleText,
// entries and byAirline from liveryList in one walk: each airline, and each model
// within it, forms one run of the sorted list. A key met again later (a run
// that is not contiguous in an unsorted list) keeps its first run; the
// later one is dropped.
void buildAirlineModelCatalog();
// Fills byAirlinePaxCargo and airlineModelViews from byAirline.
void buildPaxCargoAirlineMaps();
// Fills byModelPaxCargo and modelViews from byAirline. A livery whose model
// is empty (a database correction can empty it) belongs to no model.
void buildModelTitleMaps();

// The catalogue's own view of the title; empty when it is not installed.
TitleView findCatalogTitle(std::string_view title);
bool catalogHasAirlineModel(std::string_view airline, std::string_view model);
// The first min(3, length) characters of each airline of byAirline, in its
// order, duplicates kept.
std::vector<std::string> listCatalogAirlinePrefixes();

// One model of lightModels / buzjetModels / rotorcraftModels at
// gf_randomIndex (the first with RANDOM off); "" when the list is empty.
std::string pickRandomLightModel();
std::string pickRandomBuzjetModel();
std::string pickRandomRotorcraftModel();

// Logs the pax and cargo liveries of the category, fills its model list
// (Light, Buzjets, Rotorcraft) and, for Light, HighPerf and Rotorcraft,
// switches the category's setting off (saved) when it has no livery and
// enables its check box only when it has one.
void logLiveryCategories(AircraftCategory category);
// Appends the codes to the first list whose flag is set and logs them, 20 a line.
void fillCategoryModelList(bool light, bool buzjet, bool rotorcraft, const std::vector<std::string>& codes);

// Empties the catalogue but for matchStepCounts and refusedTitles.
void gf_resetLiveryCatalog();
// Reserves room once per program; called at the start of every run.
void gf_reserveLiveryCatalog();
