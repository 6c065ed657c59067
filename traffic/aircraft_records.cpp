#include "traffic/aircraft_records.h"

#include <algorithm>
#include <array>
#include <numbers>
#include <utility>

#include "core/fixed_tables.h"
#include "core/random.h"
#include "liveries/aircraft_database.h"
#include "traffic/traffic_state.h"

namespace {

// A new identity's rotation and climb pitch lie this many percent above or
// below the category's value, the sign drawn at random, so that aircraft of
// one category do not rotate and climb in lockstep.
constexpr double kRotationPitchSpreadPercent = 2.5;
constexpr double kClimbPitchSpreadPercent = 5.0;

constexpr std::array<std::string_view, 5> kSimStateNames{"buffer", "adding2sim", "active", "liveryrespawn",
                                                         "removingfromsim"};
constexpr std::array<std::string_view, 8> kGroundPhaseNames{"pushing_back", "pushed_back", "taxi",   "take_off",
                                                            "flying",       "parking",     "parked", "birth"};

double lf_degreesToRadians(double degrees) { return degrees * std::numbers::pi / 180.0; }

std::uint32_t lf_categoryKey(AircraftCategory category) { return static_cast<std::uint32_t>(category); }

// Everything an identity takes from its category.
void lf_applyCategoryValues(AcIdentity& identity) {
    const std::uint32_t key = lf_categoryKey(identity.category);
    identity.flareTicks = gf_categoryValue(categoryTables.flareTicks, key);
    identity.rolloutTicks = gf_categoryValue(categoryTables.rolloutTicks, key);
    identity.rotationTicks = gf_categoryValue(categoryTables.rotationTicks, key);
    identity.climbPitchTicks = gf_categoryValue(categoryTables.climbPitchTicks, key);
    identity.rotationPitchRad = lf_degreesToRadians(
        gf_randomizeByPercent(gf_categoryValue(categoryTables.rotationPitchDeg, key), kRotationPitchSpreadPercent));
    identity.climbPitchRad = lf_degreesToRadians(
        gf_randomizeByPercent(gf_categoryValue(categoryTables.climbPitchDeg, key), kClimbPitchSpreadPercent));
    identity.taxiTurnRateRad = gf_categoryValue(categoryTables.taxiTurnRateRad, key);
}

}  // namespace

LiveAc::LiveAc(const ReportBlock& firstReport, AcIdentity identityIn, double feedTimeS)
    : identity(std::move(identityIn)),
      reports{firstReport},
      lastReportTimeS(feedTimeS),
      lastHeardSpeedKt(firstReport.groundSpeedKt) {}

ParkedAc::ParkedAc(AcIdentity identityIn, const GeoPosition& standPosition, double standHeadingRadIn,
                   std::uint32_t standIdIn, bool cargoStandIn)
    : identity(std::move(identityIn)),
      standLatDeg(standPosition.latDeg),
      standLonDeg(standPosition.lonDeg),
      standHeadingRad(standHeadingRadIn),
      standId(standIdIn),
      cargoStand(cargoStandIn) {}

AcIdentity buildAcIdentity(const LiveAcStrings& strings) {
    AcIdentity identity;
    identity.strings = strings;
    identity.halfSpanNm = gf_getHalfWingspanNm(strings.type);
    identity.category = gf_getAircraftCategory(strings.type);
    lf_applyCategoryValues(identity);
    return identity;
}

double gf_maxAltStepFt(AircraftCategory category) {
    static const CategoryTable<double> table{{0, 0.5}, {1, 0.75}, {2, 0.6}, {3, 0.5}, {4, 1.0}, {5, 0.75}};
    return gf_categoryValue(table, lf_categoryKey(category));
}

double gf_standTaxiSpeedKt(AircraftCategory category) {
    static const CategoryTable<double> table{{0, 5.0}, {1, 4.5}, {2, 4.0}, {3, 3.0}, {4, 4.5}, {5, 5.0}};
    return gf_categoryValue(table, lf_categoryKey(category));
}

void gf_rederiveFromType(AcIdentity& identity) {
    identity.halfSpanNm = gf_getHalfWingspanNm(identity.strings.type);
    const AircraftCategory category = gf_getAircraftCategory(identity.strings.type);
    if (category == identity.category) {
        return;
    }
    identity.category = category;
    lf_applyCategoryValues(identity);
    identity.turnRateRad = identity.taxiTurnRateRad;
    identity.maxAltStepFt = gf_maxAltStepFt(category);
    identity.standTaxiSpeedKt = gf_standTaxiSpeedKt(category);
}

std::string_view gf_simStateName(SimState state) {
    static const CategoryTable<std::string_view> table = gf_nameTable(kSimStateNames);
    return gf_categoryValue(table, static_cast<std::uint32_t>(state));
}

std::string_view gf_groundPhaseName(GroundPhase phase) {
    static const CategoryTable<std::string_view> table = gf_nameTable(kGroundPhaseNames);
    return gf_categoryValue(table, static_cast<std::uint32_t>(phase));
}

std::string_view gf_aircraftCategoryName(AircraftCategory category) {
    static const CategoryTable<std::string_view> table = [] {
        CategoryTable<std::string_view> names;
        for (const AircraftCategoryName& entry : aircraftCategoryNames) {
            names.emplace(lf_categoryKey(entry.id), entry.name);
        }
        return names;
    }();
    return gf_categoryValue(table, lf_categoryKey(category));
}

void gf_setGroundPhase(LiveAc& aircraft, GroundPhase phase) {
    if (phase == aircraft.groundPhase) {
        return;
    }
    aircraft.previousGroundPhase = aircraft.groundPhase;
    aircraft.groundPhase = phase;
}

LiveAc* gf_findLiveAircraft(std::uint32_t aircraftId) {
    const auto found = std::find_if(liveAircraft.begin(), liveAircraft.end(),
                                    [&](const LiveAc& aircraft) { return aircraft.identity.aircraftId == aircraftId; });
    return found == liveAircraft.end() ? nullptr : &*found;
}

std::optional<std::size_t> gf_liveIndexOf(const LiveAc& aircraft) {
    const LiveAc* first = liveAircraft.data();
    if (liveAircraft.empty() || &aircraft < first || &aircraft >= first + liveAircraft.size()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(&aircraft - first);
}
