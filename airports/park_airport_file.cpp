#include "airports/park_airport_file.h"

#include <algorithm>
#include <bitset>
#include <cmath>

#include "airports/fake_traffic.h"
#include "airports/learned_airport_file.h"
#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "airports/stand_file_downloads.h"
#include "airports/stand_file_locations.h"
#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/folders.h"
#include "core/format.h"
#include "core/great_circle.h"
#include "core/log.h"
#include "core/settings.h"
#include "records/traffic_reader_state.h"
#include "ui/status/control_texts.h"
#include "ui/status/main_window.h"
#include "ui/status/window_updates.h"

namespace {

constexpr std::string_view kFunctionName = "gf_readApf";
constexpr int kMissingParameterCode = 65;
// Where a stand file of the server is put before it is read.
const std::filesystem::path kDownloadedStandFile = "park_airport.xml";
// Two stands are neighbours when their circles overlap by this margin: a
// tenth of their distance.
constexpr double kNeighbourMargin = 1.1;

// Quality factors. Each stand weighs by its radius (compared in nautical
// miles, so every real stand weighs 0.3 and the weights cancel out).
constexpr double kSmallStandNm = 7.0;
constexpr double kMiddleStandNm = 10.0;
constexpr double kSmallStandWeight = 0.3;
constexpr double kMiddleStandWeight = 1.5;
constexpr double kLargeStandWeight = 1.0;
// A stand's score for one kind of options: 20 per option up to 4000, a base
// of 10000, 100 per weekday seen and 2 per half hour seen up to 600.
constexpr double kScorePerOption = 20.0;
constexpr double kMaxOptionScore = 4000.0;
constexpr double kBaseScore = 10000.0;
constexpr double kScorePerDay = 100.0;
constexpr double kScorePerHalfHour = 2.0;
constexpr std::size_t kMaxHalfHours = 600;
// Turns the average score into percent: 16000 is 100.
constexpr double kPercentPerScore = 0.00625;
// Below this real factor the soft one is shown beside it.
constexpr std::int32_t kGoodRealFactor = 45;

double lf_standWeight(const ParkPosition& stand) {
    if (stand.radiusNm <= kSmallStandNm) {
        return kSmallStandWeight;
    }
    return stand.radiusNm <= kMiddleStandNm ? kMiddleStandWeight : kLargeStandWeight;
}

// The score of the stand's numbered options that are real (or soft).
double lf_standScore(const ParkPosition& stand, bool real) {
    std::size_t count = 0;
    std::size_t halfHours = 0;
    std::bitset<8> days;
    for (const ParkOption& option : stand.options) {
        if (option.sequence == 0 || option.real != real) {
            continue;
        }
        ++count;
        halfHours += option.timeSlots.count();
        if (option.day >= 1 && option.day <= 7) {
            days.set(static_cast<std::size_t>(option.day));
        }
    }
    if (count == 0) {
        return 0.0;
    }
    return std::min(kScorePerOption * static_cast<double>(count), kMaxOptionScore) + kBaseScore +
           kScorePerDay * static_cast<double>(days.count()) +
           kScorePerHalfHour * static_cast<double>(std::min(halfHours, kMaxHalfHours));
}

std::int32_t lf_percent(double weightedScore, double totalWeight) {
    return static_cast<std::int32_t>(
        std::clamp(std::round(weightedScore / totalWeight * kPercentPerScore), 0.0, 100.0));
}

// Ids from 1 in the stands' order, and the neighbours of each stand: the
// stands whose circles overlap its own.
void lf_numberStands(std::vector<ParkPosition>& stands) {
    for (std::size_t index = 0; index < stands.size(); ++index) {
        stands[index].standId = static_cast<std::uint32_t>(index + 1);
        stands[index].neighbourIds.clear();
    }
    for (std::size_t a = 0; a < stands.size(); ++a) {
        for (std::size_t b = a + 1; b < stands.size(); ++b) {
            const double distanceNm =
                gf_greatCircleDistanceNm({stands[a].latDeg, stands[a].lonDeg}, {stands[b].latDeg, stands[b].lonDeg});
            if (distanceNm * kNeighbourMargin < stands[a].radiusNm + stands[b].radiusNm) {
                stands[a].neighbourIds.push_back(stands[b].standId);
                stands[b].neighbourIds.push_back(stands[a].standId);
            }
        }
    }
    for (ParkPosition& stand : stands) {
        stand.neighbourIds.shrink_to_fit();
    }
}

// The file's name without folder and extension, "EHAM" for
// "archive/stock/EHAM.xml".
std::string lf_standFileName(std::string_view path) {
    const std::size_t folderEnd = path.find_last_of("/\\");
    std::string_view name = folderEnd == std::string_view::npos ? path : path.substr(folderEnd + 1);
    return std::string(name.substr(0, name.rfind('.')));
}

// Without a learned file the airport gets the default share of stands.
void lf_useDefaultPercentage() {
    parking_percentage.value = parking_percentage.defaultValue;
    gf_enableControl(parking_percentage, false);
    gf_setTbInt(parking_percentage);
    gf_writeLogIndented(fmtlib::format("{:24}: {}", parking_percentage.name, parking_percentage.defaultValue));
}

void lf_logSummary(const AirportFileInfo& record, QualityFactors qualityFactors) {
    const auto line = [](std::string_view name, const auto& value, std::string_view unit = "") {
        gf_writeLogIndented(fmtlib::format("{:24}: {}{}", name, value, unit));
    };
    line("publisher", record.publisher);
    line("altitude", record.altitudeFt, " ft");
    line("num_parkpos", parkPositions.size());
    line("quality factor", formatCountPair(qualityFactors));
    line("RT traffic week", rtTrafficWeek.load());
}

}  // namespace

std::string gf_readApf(const std::string& path, AirportFileInfo& record, QualityFactors& qualityFactors) {
    if (path.empty()) {
        return fmtlib::format("{}: xml is empty", kFunctionName);
    }
    AirportRecord airport = parkAirport.load();
    if (airport.code.empty()) {
        return fmtlib::format("{}: no park airport set", kFunctionName);
    }
    const bool local = gf_isLocalStandFilePath(path);
    const std::filesystem::path file =
        local ? gf_localStandFilePath(path) : dataPaths.airportsFolder / kDownloadedStandFile;
    if (!local) {
        if (std::string failure = downloadAirportFile(path, file); !failure.empty()) {
            return failure;
        }
    }
    learnedFileHandmade = false;
    pugi::xml_document document;
    if (!document.load_file(file.c_str())) {
        return fmtlib::format("{}: could not load file: {}", path, file.string());
    }
    rtTrafficWeek = readIntParameter(document, "RT_traffic_week").value_or(0);
    record.publisher = readStringParameter(document, "publisher").value_or("");
    const std::optional<std::int32_t> altitudeFt = readIntParameter(document, "altitude");
    if (!altitudeFt) {
        throw qrx::UserErrorException(kMissingParameterCode, "Parameter altitude not found");
    }
    record.altitudeFt = *altitudeFt;
    airport.alt = *altitudeFt;
    parkAirport = airport;
    record.airportName = readStringParameter(document, "airport_name").value_or("");
    readParkpositions(document.child("parkpositions"), true, parkPositions);

    QualityFactors factors{readIntParameter(document, "Qf_real").value_or(-1),
                           readIntParameter(document, "Qf_soft").value_or(-1)};
    const std::filesystem::path learnedPath = gf_localStandFilePath(learnedFilePath(path, record.publisher));
    if (!gf_pathExists(learnedPath)) {
        lf_useDefaultPercentage();
    } else {
        lf_readLearned(learnedPath, record, parkPositions);
        factors = computeQualityFactors(parkPositions);
        if (learnedFileHandmade) {
            gf_writeLogPlain("A handmade airport file overruled the archived file!");
        }
    }
    // Demo traffic wherever it is asked for (the learned file may ask),
    // above all where no traffic was ever learned.
    if (PARK_FAKE.value) {
        fillFakeTraffic(lf_standFileName(path), airport.code);
    }
    lf_numberStands(parkPositions);
    gf_writeLogPlain(fmtlib::format("Airport file read from '{}' for {}",
                                    learnedFileHandmade ? learnedPath.string() : path, record.airportName));
    lf_logSummary(record, factors);
    MainWindow::standCount = static_cast<std::int64_t>(parkPositions.size());
    MainWindow::parkDetailText = record.publisher;
    MainWindow::handmadeFile = learnedFileHandmade;
    MainWindow::qfText = formatCountPair(factors);
    gf_repaint(WindowRegion::Statistics);

    parkingActive = true;
    gf_enableControl(flushStaticButton, true);
    parkingParamsChanged = false;
    TrafficReaderState::parkAirportElevation = static_cast<double>(*altitudeFt);
    qualityFactors = factors;
    return parkPositions.empty() ? "no stands found" : "";
}

QualityFactors computeQualityFactors(const std::vector<ParkPosition>& stands) {
    const auto first =
        std::find_if(stands.begin(), stands.end(), [](const ParkPosition& stand) { return !stand.options.empty(); });
    if (first == stands.end()) {
        return {};
    }
    double totalWeight = 0.0;
    double realSum = 0.0;
    double softSum = 0.0;
    for (auto stand = first; stand != stands.end(); ++stand) {
        const double weight = lf_standWeight(*stand);
        totalWeight += weight;
        realSum += lf_standScore(*stand, true) * weight;
        softSum += lf_standScore(*stand, false) * weight;
    }
    return {lf_percent(realSum, totalWeight), lf_percent(softSum, totalWeight)};
}

std::string formatCountPair(QualityFactors qualityFactors) {
    if (qualityFactors.real < 0 && qualityFactors.soft < 0) {
        return "  ";
    }
    if (qualityFactors.real < kGoodRealFactor) {
        return fmtlib::format("{:2}/{:2}", qualityFactors.real, qualityFactors.soft);
    }
    return fmtlib::format("{:2}", qualityFactors.real);
}
