#pragma once
// Set-up shared by the traffic benchmarks: a quiet log, a simulator at 60
// frames a second, a livery catalogue of one KLM 737 that every aircraft
// matches, and live aircraft of that livery's airline and type.

#include <cstdint>
#include <string>
#include <utility>

#include "core/settings.h"
#include "liveries/liveries_file.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_data.h"
#include "liveries/similar_models.h"
#include "simlink/simlink_state.h"
#include "traffic/aircraft_records.h"
#include "traffic/traffic_state.h"

namespace bench {

// The feed's ids of the benchmark aircraft: this one plus the aircraft's index.
inline constexpr std::uint32_t kFirstAircraftId = 20000;

inline void quietTraffic() {
    LOG.value = false;
    simFrameRate = 60.0F;
}

inline void buildOneLiveryCatalog() {
    liveryList = {{"KLM", "B738", "KLM 737", "", 0, false}};
    gf_sortLiveryList();
    buildAirlineModelCatalog();
    buildPaxCargoAirlineMaps();
    buildModelTitleMaps();
    buildSimilarModelTables();
}

// A KLM 737 called KLM<index> (the callsign's suffix appended), its first
// report the block, appended to liveAircraft.
inline LiveAc& addKlmAircraft(std::uint32_t index, const ReportBlock& block, const std::string& callsignSuffix = "") {
    LiveAcStrings strings;
    strings.airline = "KLM";
    strings.type = "B738";
    strings.callsign = "KLM" + std::to_string(index) + callsignSuffix;
    AcIdentity identity = buildAcIdentity(strings);
    identity.aircraftId = kFirstAircraftId + index;
    return liveAircraft.emplace_back(block, std::move(identity), 0.0);
}

}  // namespace bench
