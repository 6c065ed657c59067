#include "traffic/stands/static_parking.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <gsl/narrow>

#include "airports/airports_state.h"
#include "airports/park_airports.h"
#include "airports/park_stands.h"
#include "core/calendar.h"
#include "core/format.h"
#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/strings.h"
#include "records/clock.h"
#include "records/week_slot.h"
#include "simlink/parking_controls.h"
#include "traffic/stands/live_parking.h"
#include "traffic/stands/parking_renewal.h"
#include "traffic/stands/stand_search.h"
#include "traffic/stands/stands_internal.h"
#include "traffic/stands/static_stand_search.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

constexpr std::size_t kBatchRoom = 512;
// An airport of up to 3 stands gets one static aircraft unless at least
// half of its stands are wanted.
constexpr std::size_t kFewStands = 3;
constexpr std::int32_t kHalfOfStands = 50;
constexpr std::uint32_t kRealKind = 1;
constexpr std::uint32_t kSoftKind = 0;
constexpr std::array<std::string_view, 7> kWeekdayNames{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

std::string_view lf_weekdayName(std::uint32_t weekday) {
    return weekday >= 1 && weekday <= kWeekdayNames.size() ? kWeekdayNames.at(weekday - 1) : "???";
}

std::int64_t lf_takenStandCount() {
    return std::count_if(parkPositions.begin(), parkPositions.end(), [](const ParkPosition& stand) { return stand.taken; });
}

void lf_repaintStatistics() { gf_repaint(WindowRegion::Statistics); }

void lf_logFound(std::int64_t added, bool real, std::int32_t fit, std::uint64_t timeOfWeek) {
    const std::uint32_t halfHour = gf_halfHourOf(timeOfWeek);
    const std::string days = WEEK.value ? std::string(", week") : fmtlib::format(", day {}", gf_weekdayOf(timeOfWeek));
    gf_writeLogPlain(fmtlib::format("{} {} position{} found, Max fit={} hours{}{}", added, real ? "real" : "soft",
                                    gf_pluralSuffix(added), gf_halfHoursAsHours(MAX_FIT.value), days,
                                    fmtlib::format(", hh:{} or {} hrs, fit: {} hour", halfHour,
                                                   gf_halfHoursAsHours(static_cast<std::int32_t>(halfHour)),
                                                   gf_halfHoursAsHours(fit))));
}

}  // namespace

std::string gf_halfHoursAsHours(std::int32_t halfHours) {
    return gf_formatNumber(static_cast<float>(halfHours) * 0.5F + 0.5F);
}

void gf_clearStandStates() {
    for (ParkPosition& stand : parkPositions) {
        stand.taken = false;
        stand.reserved = false;
        stand.neighbourTaken = false;
        for (ParkOption& option : stand.options) {
            option.aircraftPresent = false;
        }
    }
}

void gf_sortCandidatesBestLast() {
    std::sort(parkCandidates.begin(), parkCandidates.end(),
              [](const ParkCandidate& a, const ParkCandidate& b) { return a.fit > b.fit; });
}

std::uint64_t logTimeOfWeek() {
    const std::uint64_t timeOfWeek = currentWeekSlot;
    const std::uint32_t weekday = gf_weekdayOf(timeOfWeek);
    gf_writeLogPlain(fmtlib::format("\n{} (utc) It is day {} ({}), {} hours", gf_feedTimeOfDay(), weekday,
                                    lf_weekdayName(weekday),
                                    gf_halfHoursAsHours(static_cast<std::int32_t>(gf_halfHourOf(timeOfWeek)))));
    return timeOfWeek;
}

void markReservedStands() {
    const std::string reserved = reservedStandText;
    if (!reserved.empty()) {
        if (const auto stand = gf_findStandByName(reserved); stand != parkPositions.end()) {
            stand->reserved = true;
        }
    }
    const std::string userStand = gf_findStandAtPosition(gf_userPosition(runUserAcData));
    if (!userStand.empty() && userStand != reserved) {
        if (const auto stand = gf_findStandByName(userStand); stand != parkPositions.end()) {
            stand->reserved = true;
        }
    }
}

std::int64_t updateWantedParkedCount() {
    const std::int32_t percentage =
        CUSTOM_PARKING_PERCENTAGE.value >= 0 ? CUSTOM_PARKING_PERCENTAGE.value.load() : parking_percentage.value.load();
    if (MAX_PARK_SEL.value <= 0) {
        MainWindow::maxParkCount = 0;
        MainWindow::maxParkPercent = parking_percentage.value.load();
        lf_repaintStatistics();
        return 0;
    }
    const auto stands = static_cast<std::int64_t>(parkPositions.size());
    std::int64_t wanted = 1;
    if (stands > 1 && (stands > static_cast<std::int64_t>(kFewStands) || percentage >= kHalfOfStands)) {
        const std::int64_t product = percentage * stands;
        wanted = gsl::narrow<std::int32_t>(std::llround(static_cast<double>(product) / 100.0));
    }
    wanted = std::min<std::int64_t>(MAX_PARK_SEL.value, wanted);
    MainWindow::maxParkCount = static_cast<std::int32_t>(wanted);
    MainWindow::maxParkPercent = gf_percentOf(wanted, stands);
    lf_repaintStatistics();
    return wanted;
}

bool searchParkingFit(std::uint64_t timeOfWeek, bool real, std::int64_t wanted, std::vector<ParkCandidate>& batch) {
    if (wanted == 0) {
        return true;
    }
    const std::int64_t before = lf_takenStandCount();
    std::int32_t fit = 0;
    bool reached = false;
    for (;;) {
        lf_searchStands(timeOfWeek, real ? kRealKind : kSoftKind, static_cast<std::uint32_t>(fit), batch);
        if (wanted <= lf_takenStandCount()) {
            reached = true;
            break;
        }
        parkCandidates.insert(parkCandidates.end(), batch.begin(), batch.end());
        batch.clear();
        if (fit + 1 > MAX_FIT.value) {
            break;
        }
        ++fit;
    }
    const std::int64_t added = lf_takenStandCount() - before;
    const std::int32_t fitReached = reached ? fit : MAX_FIT.value + 1;
    if (real) {
        realFit = fitReached;
        softFit = -1;
    } else {
        softFit = fitReached;
    }
    if (added >= 1) {
        lf_logFound(added, real, fit, timeOfWeek);
    }
    MainWindow::softStandsUsed = !real && added >= 1;
    lf_repaintStatistics();
    return reached;
}

void selectParkingCandidates(std::uint64_t timeOfWeek, std::int64_t wanted, std::int64_t keptCount, bool real) {
    std::vector<ParkCandidate> batch;
    batch.reserve(kBatchRoom);
    if (!searchParkingFit(timeOfWeek, real, wanted, batch)) {
        return;
    }
    if (RANDOM.value && batch.size() >= 2) {
        std::shuffle(batch.begin(), batch.end(), randomEngine);
    }
    parkCandidates.insert(parkCandidates.end(), batch.begin(), batch.end());
    const std::int64_t excess = static_cast<std::int64_t>(parkCandidates.size()) + keptCount - wanted;
    if (excess >= 1 && excess <= static_cast<std::int64_t>(batch.size())) {
        parkCandidates.resize(parkCandidates.size() - static_cast<std::size_t>(excess));
    }
}

void fitParkedAircraft(std::uint64_t timeOfWeek, std::int64_t wanted, std::int64_t keptCount) {
    realFit = 0;
    softFit = -1;
    selectParkingCandidates(timeOfWeek, wanted, keptCount, true);
    if (wanted > static_cast<std::int64_t>(parkCandidates.size()) + keptCount && (PARK_SOFT.value || PARK_FAKE.value)) {
        selectParkingCandidates(timeOfWeek, wanted, keptCount, false);
    }
}

void calculateStaticParking() {
    const std::uint64_t timeOfWeek = logTimeOfWeek();
    gf_showMessage("Making changes to airport parking parameters is disabled while static parking takes place ...",
                   false);
    parkCandidates.clear();
    keptParked.clear();
    liveParkedList.clear();
    MainWindow::averageFitStatic = -1.0F;
    MainWindow::averageFitLive = -1.0F;
    MainWindow::softStandsUsed = false;
    lf_repaintStatistics();
    gf_clearStandStates();
    markReservedStands();
    const std::int64_t wanted = updateWantedParkedCount();
    if (wanted > 0) {
        fitParkedAircraft(timeOfWeek, wanted, 0);
    }
    std::sort(parkCandidates.begin(), parkCandidates.end(),
              [](const ParkCandidate& a, const ParkCandidate& b) { return a.fit < b.fit; });
    if (static_cast<std::int64_t>(parkCandidates.size()) > wanted) {
        parkCandidates.resize(static_cast<std::size_t>(std::max<std::int64_t>(wanted, 0)));
    }
    if (parkCandidates.empty()) {
        gf_writeLogPlain("no parking positions found");
        gf_unlockParkingControls();
        return;
    }
    const auto count = static_cast<std::int64_t>(parkCandidates.size());
    gf_writeLogPlain(fmtlib::format("{} positions ({}% vs wanted {}%, with Max fit={} hours)\n", count,
                                    gf_percentOf(count, static_cast<std::int64_t>(parkPositions.size())),
                                    parking_percentage.value.load(), gf_halfHoursAsHours(MAX_FIT.value)));
    gf_sortCandidatesBestLast();
    gf_lockParkingControls();
}
