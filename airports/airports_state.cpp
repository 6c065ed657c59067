#include "airports/airports_state.h"

std::atomic<bool> parkingActive{false};
bool learnSoftAllowed = false;
QualityFactors parkQualityFactors;
std::atomic<std::uint32_t> userMaxLiveSel{500};
std::atomic<bool> userLearnSoft{true};
std::uint32_t learnedUpdateCount = 0;
std::atomic<bool> parkingParamsChanged{false};
AirportFileInfo parkAirportFile;
std::atomic<std::int32_t> rtTrafficWeek{0};
std::vector<AirportRecord> airportList;
std::atomic<bool> airportsRead{false};
std::unordered_map<std::string, std::string> airportNames;
std::vector<ParkPosition> parkPositions;
bool learnedFileHandmade = false;
std::list<ParkAirportEntry> parkAirports;
SharedValue<AirportRecord> parkAirport;
SharedText reservedStandText;

void gf_resetAirportsState() {
    parkAirport = AirportRecord{};
    parkAirports.clear();
    parkPositions.clear();
    learnedUpdateCount = 0;
}
