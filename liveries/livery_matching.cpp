#include "liveries/livery_matching.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/random.h"
#include "core/settings.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "liveries/similar_models.h"

namespace {

// Picks at random among special candidates before giving up on them.
constexpr int kSpecialPickTries = 5;
// The catalogue's airline of liveries without an airline.
constexpr std::string_view kNoAirline = "ZZZ";
constexpr std::string_view kPrivateAirline = "PVT";

enum MatchStep : std::uint32_t {
    kRegistrationStep = 1,
    kAirlineModelStep = 2,
    kSimilarModelStep = 3,
    kNoAirlineStep = 4,
    kAnyAirlineStep = 5,
    kAnySimilarModelStep = 6,
};

// The airline and model under which the catalogue is asked.
struct MatchKey {
    std::string_view airline;
    std::string_view model;
};

// One ladder run: the subject and the title chosen so far.
struct Match {
    const LiverySubject& subject;
    TitleView title;

    LiveryKind kind() const { return subject.cargo ? kCargoLiveries : kPaxLiveries; }
};

bool lf_isSpecial(TitleView title) {
    const ViewSet& special = liveryCatalog.specialTitleSet;
    return !special.empty() && special.contains(title);
}

bool lf_isRefused(TitleView title) {
    const auto& refused = liveryCatalog.refusedTitles;
    return std::find(refused.begin(), refused.end(), title) != refused.end();
}

std::size_t lf_randomIndex(std::size_t count) { return static_cast<std::size_t>(gf_randomIndex(count).value_or(0)); }

// Sets the title to one candidate, passing over special liveries: a few
// random tries, then a random one of the candidates that are not special;
// when all are special, the last try stands. Titles worn by other aircraft
// are not excluded.
void pickFreeLivery(Match& match, TitleSpan candidates) {
    if (candidates.empty()) {
        return;
    }
    for (int attempt = 0; attempt < kSpecialPickTries; ++attempt) {
        match.title = candidates[lf_randomIndex(candidates.size())];
        if (!lf_isSpecial(match.title)) {
            return;
        }
    }
    const auto free = static_cast<std::size_t>(
        std::count_if(candidates.begin(), candidates.end(), [](TitleView t) { return !lf_isSpecial(t); }));
    if (free == 0) {
        return;
    }
    std::size_t wanted = lf_randomIndex(free);
    for (const TitleView candidate : candidates) {
        if (!lf_isSpecial(candidate) && wanted-- == 0) {
            match.title = candidate;
            return;
        }
    }
}

bool matchRegcodeLivery(Match& match) {
    if (match.subject.registration.empty()) {
        return false;
    }
    const auto& bound = liveryCatalog.regcodeTitles;
    const auto found = bound.find(match.subject.registration);
    match.title = found != bound.end() ? found->second : TitleView();
    return !match.title.empty();
}

bool matchAirlineModel(Match& match, MatchKey key, LiveryKind kind) {
    const auto& byAirline = liveryCatalog.byAirlinePaxCargo[kind];
    const auto airline = byAirline.find(key.airline);
    if (airline == byAirline.end()) {
        return false;
    }
    const auto model = airline->second.find(key.model);
    if (model == airline->second.end()) {
        return false;
    }
    pickFreeLivery(match, model->second);
    return !match.title.empty();
}

// A cargo aircraft falls back on a pax livery; a pax aircraft never gets a
// cargo livery.
bool matchAirlineModelCargoFirst(Match& match, MatchKey key) {
    return matchAirlineModel(match, key, match.kind()) ||
           (match.subject.cargo && matchAirlineModel(match, key, kPaxLiveries));
}

bool matchModelOnly(Match& match, std::string_view model) {
    const auto& byModel = liveryCatalog.byModelPaxCargo[match.kind()];
    const auto found = byModel.find(model);
    if (found == byModel.end()) {
        return false;
    }
    pickFreeLivery(match, found->second);
    return !match.title.empty();
}

// The similar models of the airline (in random order with RANDOM), each of
// the aircraft's category unless any category will do.
bool lf_matchModels(Match& match, std::string_view airline, const ModelList& models, bool sameCategoryOnly) {
    for (const std::string& model : models) {
        if (sameCategoryOnly && gf_getAircraftCategory(model) != match.subject.category) {
            continue;
        }
        if (matchAirlineModelCargoFirst(match, {airline, model})) {
            return true;
        }
    }
    return false;
}

bool matchSimilarModels(Match& match, MatchKey key) {
    return lf_matchModels(match, key.airline, gf_getSimilarModelsForAirline(key.airline, key.model), true);
}

bool lf_fallbackCategory(AircraftCategory category) {
    return category == AircraftCategory::Light || category == AircraftCategory::Buzjets ||
           category == AircraftCategory::Rotorcraft;
}

ModelPicker lf_randomModelPicker(AircraftCategory category) {
    switch (category) {
        case AircraftCategory::Light:
            return pickRandomLightModel;
        case AircraftCategory::Buzjets:
            return pickRandomBuzjetModel;
        default:
            return pickRandomRotorcraftModel;
    }
}

// Steps 4 to 6, below the airline steps; only at MATCHING_DEPTH 3 and 4.
std::optional<std::uint32_t> matchFallbackLivery(Match& match) {
    const LiverySubject& subject = match.subject;
    const MatchKey noAirline{kNoAirline, subject.model};
    if (MATCHING_DEPTH.value >= 4 && matchAirlineModelCargoFirst(match, noAirline)) {
        return kNoAirlineStep;
    }
    if (!lf_fallbackCategory(subject.category)) {
        return std::nullopt;
    }
    if (subject.airline != kPrivateAirline && matchAirlineModelCargoFirst(match, noAirline)) {
        return kNoAirlineStep;
    }
    if (matchModelOnly(match, subject.model)) {
        return kAnyAirlineStep;
    }
    const auto similar = similarModelsInstalled.find(subject.model);
    const ModelList& models = similar != similarModelsInstalled.end()
                                  ? gf_shuffledCopy(similar->second)
                                  : gf_singleModelList(lf_randomModelPicker(subject.category));
    for (const std::string& model : models) {
        if (matchModelOnly(match, model)) {
            return kAnySimilarModelStep;
        }
    }
    return std::nullopt;
}

// The database's airline of the registration, when the database names an
// operator for it: the second airline the airline steps try.
std::optional<std::string> lf_operatedAirline(std::string_view registration) {
    const auto record = gf_lookupRegcode(registration);
    if (!record || record->operatorCode.empty()) {
        return std::nullopt;
    }
    return record->airline;
}

LiveryMatch lf_ended(const Match& match, std::uint32_t step) {
    if (match.title.empty()) {
        return {};
    }
    if (lf_isRefused(match.title)) {
        return {LadderEnd::refused, {}, 0};
    }
    return {LadderEnd::matched, match.title, step};
}

LiveryMatch acceptLiveryMatch(const Match& match, std::uint32_t step) {
    LiveryMatch result = lf_ended(match, step);
    if (result.end == LadderEnd::matched) {
        ++liveryCatalog.matchStepCounts[step - 1];
    }
    return result;
}

}  // namespace

LiveryMatch gf_chooseLiveLivery(const LiverySubject& subject) {
    Match match{subject, {}};
    if (matchRegcodeLivery(match)) {
        return acceptLiveryMatch(match, kRegistrationStep);
    }
    if (MATCHING_DEPTH.value < 2) {
        return {};
    }
    if (subject.airline == kPrivateAirline && matchAirlineModelCargoFirst(match, {kNoAirline, subject.model})) {
        return acceptLiveryMatch(match, kNoAirlineStep);
    }
    std::optional<std::string> operatedAirline;
    if (!subject.airline.empty()) {
        if (matchAirlineModelCargoFirst(match, {subject.airline, subject.model})) {
            return acceptLiveryMatch(match, kAirlineModelStep);
        }
        operatedAirline = lf_operatedAirline(subject.registration);
        if (operatedAirline && matchAirlineModelCargoFirst(match, {*operatedAirline, subject.model})) {
            return acceptLiveryMatch(match, kAirlineModelStep);
        }
    }
    if (MATCHING_DEPTH.value < 3) {
        return {};
    }
    if (!subject.airline.empty()) {
        if (matchSimilarModels(match, {subject.airline, subject.model})) {
            return acceptLiveryMatch(match, kSimilarModelStep);
        }
        if (operatedAirline && matchSimilarModels(match, {*operatedAirline, subject.model})) {
            return acceptLiveryMatch(match, kSimilarModelStep);
        }
    }
    const auto step = matchFallbackLivery(match);
    return step ? acceptLiveryMatch(match, *step) : LiveryMatch{};
}

LiveryMatch gf_chooseStaticLivery(const LiverySubject& subject) {
    Match match{subject, {}};
    if (matchRegcodeLivery(match)) {
        return lf_ended(match, kRegistrationStep);
    }
    if (MATCHING_DEPTH.value < 2) {
        return {};
    }
    if (subject.airline == kPrivateAirline && matchAirlineModelCargoFirst(match, {kNoAirline, subject.model})) {
        return lf_ended(match, kNoAirlineStep);
    }
    if (matchAirlineModelCargoFirst(match, {subject.airline, subject.model})) {
        return lf_ended(match, kAirlineModelStep);
    }
    const auto operatedAirline = lf_operatedAirline(subject.registration);
    if (operatedAirline && matchAirlineModelCargoFirst(match, {*operatedAirline, subject.model})) {
        return lf_ended(match, kAirlineModelStep);
    }
    if (MATCHING_DEPTH.value < 3) {
        return {};
    }
    // The similar models are those of the aircraft's own airline, tried
    // under that airline and then under the database's one.
    const ModelList& similar = gf_getSimilarModelsForAirline(subject.airline, subject.model);
    if (lf_matchModels(match, subject.airline, similar, false)) {
        return lf_ended(match, kSimilarModelStep);
    }
    if (operatedAirline && lf_matchModels(match, *operatedAirline, similar, false)) {
        return lf_ended(match, kSimilarModelStep);
    }
    const auto step = matchFallbackLivery(match);
    return step ? lf_ended(match, *step) : LiveryMatch{};
}
