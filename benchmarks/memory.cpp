// Peak memory (resident set) of the program holding what a large
// installation and a busy sky give it: a livery catalogue of 50,000 liveries
// and 1,000 live aircraft of the feed. Each case runs in a child process of
// its own, so that neither the benchmark library nor another case counts;
// its peak is the child's largest resident set as wait4 reports it.
//   BM_PeakRss/0: the child does nothing: the floor of the program itself.
//   BM_PeakRss/1: a start-up with a livery scan of 12,500 aircraft.cfg files
//   (livery_installation.h; 625 packages, 50,000 liveries) and registration
//   lists for every fifth livery, the catalogue read back and built, then
//   1,000 aircraft of the feed taken in through the traffic reader and the
//   traffic manager, ten reports each, 5 s apart, for 6,000 ticks (the
//   first reports come due after 3,000 and 500 aircraft, the live limit,
//   are sent to the simulator).
// Besides the peak, the child reports the peak after the scan, its resident
// set after the catalogue and after the aircraft, and the heap in use at
// both points (what is held, without what the allocator keeps of memory
// freed on the way).

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "core/format.h"
#include "core/settings.h"
#include "core/worker_slots.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_scan.h"
#include "livery_installation.h"
#include "run/run_state.h"
#include "run/traffic_reader.h"
#include "simlink/simlink_state.h"
#include "traffic/aircraft_records.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/traffic_state.h"
#include "ui/status/main_window.h"

namespace {

namespace fs = std::filesystem;
using livery_installation::GeneratedInstallation;

constexpr int kPackageCount = 625;
constexpr int kAircraftCount = 1000;
constexpr int kReportsPerAircraft = 10;
constexpr double kSecondsBetweenReports = 5.0;
constexpr std::int32_t kTicksAfterReports = 1000;
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;

// The installation and, in its own folder, the program's working folder:
// the output folder and a user registration list naming every fifth
// livery's title with two registrations.
struct MemoryFixture {
    MemoryFixture() : installation("memory", kPackageCount), work(installation.root.string() + "-work") {
        fs::create_directories(work / "output");
        fs::create_directories(work / "input" / "my_regcodes");
        std::ofstream list(work / "input" / "my_regcodes" / "generated.txt", std::ios::binary);
        const int sections = kPackageCount * livery_installation::kLiveriesPerPackage;
        for (int serial = 1; serial < sections; serial += 5) {
            const int file = serial / livery_installation::kSectionsPerFile;
            list << fmtlib::format("AIG {} {} livery {};L{:06},M{:06}\n",
                                   livery_installation::lf_airline(serial % livery_installation::kAirlineCount),
                                   livery_installation::lf_type(file % livery_installation::kTypeCount), serial,
                                   serial, serial);
        }
    }
    ~MemoryFixture() {
        std::error_code ignored;
        fs::remove_all(work, ignored);
    }
    MemoryFixture(const MemoryFixture&) = delete;
    MemoryFixture& operator=(const MemoryFixture&) = delete;

    const GeneratedInstallation installation;
    const fs::path work;
};

const MemoryFixture& lf_fixture() {
    static const MemoryFixture fixture;
    return fixture;
}

// A value of /proc/self/status in bytes ("VmRSS", "VmHWM"); 0 when absent.
double lf_statusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(key + ":")) {
            return std::strtod(line.c_str() + key.size() + 1, nullptr) * 1024.0;
        }
    }
    return 0.0;
}

// Bytes handed out by malloc and not freed.
double lf_heapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// One report of the aircraft as the feed sends it, in the n-th round: the
// aircraft fly east from the points of a grid of 40 by 25 around the
// reference position, 0.01 degree apart.
std::string lf_record(int aircraft, int round) {
    constexpr int kGridRows = 40;
    constexpr int kGridColumns = 25;
    const double latDeg = 47.45 + 0.01 * (aircraft % kGridRows - kGridRows / 2);
    const double lonDeg = 8.56 + 0.01 * (aircraft / kGridRows - kGridColumns / 2) + 0.005 * round;
    const std::string airline = livery_installation::lf_airline(aircraft % livery_installation::kAirlineCount);
    const std::string type = livery_installation::lf_type(aircraft % livery_installation::kTypeCount);
    return fmtlib::format(
        "RTTFC,{},{:.4f},{:.4f},3025,0,1,90.0,165.2,{}{},{},R{:05},LHR,ZRH,{:.1f},x,x,adsb_icao,,,"
        "150,,,-1.4,,90.0,,,A3,1013.2,3000,165.0,0,,,1,0,0,,{},{:.1f},47",
        7000000 + aircraft, latDeg, lonDeg, airline, aircraft, type, aircraft,
        1700000000.5 + kSecondsBetweenReports * round, airline, 1700000000.4 + kSecondsBetweenReports * round);
}

// The feed's reports taken in, as the main loop's ticks do: each round's
// reports go through the traffic reader, and the ticks run until the
// traffic manager has taken them all, then on until the last are played.
void lf_takeInAircraft() {
    LOG.value = false;
    simFrameRate = 60.0F;
    TrafficReader::referencePosition = GeoPosition{47.45, 8.56};
    trafficRadiusNm = 40.0;
    gf_setAcceptingFeed(true);
    for (int round = 0; round < kReportsPerAircraft; ++round) {
        for (int aircraft = 0; aircraft < kAircraftCount; ++aircraft) {
            trafficReader.processDatagram(lf_record(aircraft, round));
        }
        while (!addingStack.empty()) {
            lf_handleAddingStack();
        }
    }
    for (std::int32_t tick = 0; tick < kTicksAfterReports; ++tick) {
        lf_handleAddingStack();
    }
}

// What the measuring child tells the benchmark, in bytes.
struct ChildFigures {
    double scanPeak = 0.0;
    double catalogueResident = 0.0;
    double catalogueHeap = 0.0;
    double aircraftResident = 0.0;
    double aircraftHeap = 0.0;
    double finalPeak = 0.0;
    double liveries = 0.0;
    double registrations = 0.0;
    double aircraft = 0.0;
    double spawned = 0.0;  // aircraft sent to the simulator
};

// The child's work; true when it held what it is meant to: every livery in
// the catalogue and every aircraft in the traffic manager.
bool lf_runChild(bool holdEverything, ChildFigures& figures) {
    if (!holdEverything) {
        return true;
    }
    const MemoryFixture& fixture = lf_fixture();
    fs::current_path(fixture.work);
    maxWorkers = static_cast<int>(std::thread::hardware_concurrency());
    if (scanLiveryFolders({fixture.installation.root}) != LiveryScanResult::found) {
        return false;
    }
    figures.scanPeak = lf_statusBytes("VmHWM");
    processScannedLiveries();
    figures.catalogueResident = lf_statusBytes("VmRSS");
    figures.catalogueHeap = lf_heapInUse();
    figures.liveries = static_cast<double>(MainWindow::liveryCount.load());
    figures.registrations = static_cast<double>(liveryCatalog.regcodeTitles.size());
    lf_takeInAircraft();
    figures.aircraftResident = lf_statusBytes("VmRSS");
    figures.aircraftHeap = lf_heapInUse();
    figures.aircraft = static_cast<double>(liveAircraft.size());
    figures.spawned = static_cast<double>(std::ranges::count_if(
        liveAircraft, [](const LiveAc& aircraft) { return aircraft.simState != SimState::Buffer; }));
    return MainWindow::liveryCount == kPackageCount * livery_installation::kLiveriesPerPackage &&
           liveAircraft.size() == kAircraftCount;
}

void BM_PeakRss(benchmark::State& state) {
    const bool holdEverything = state.range(0) != 0;
    if (holdEverything) {
        lf_fixture();  // written by this process, before the child starts
    }
    for (auto _ : state) {
        std::array<int, 2> pipeEnds{};
        if (::pipe(pipeEnds.data()) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            ChildFigures figures;
            bool done = false;
            try {
                done = lf_runChild(holdEverything, figures);
            } catch (const std::exception& error) {
                std::fprintf(stderr, "%s\n", error.what());
            }
            figures.finalPeak = lf_statusBytes("VmHWM");
            const bool written = ::write(pipeEnds[1], &figures, sizeof figures) == sizeof figures;
            ::_exit(done && written ? EXIT_SUCCESS : EXIT_FAILURE);
        }
        ::close(pipeEnds[1]);
        ChildFigures figures;
        const bool read = child > 0 && ::read(pipeEnds[0], &figures, sizeof figures) == sizeof figures;
        ::close(pipeEnds[0]);
        int status = 0;
        rusage usage{};
        if (child <= 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != EXIT_SUCCESS || !read) {
            state.SkipWithError("the child failed, or held fewer liveries or aircraft than planned");
            return;
        }
        // ru_maxrss is in kilobytes; the kernel may count the last pages of
        // the child after its own last look at its peak, or before.
        const double peak = std::max(static_cast<double>(usage.ru_maxrss) * 1024.0, figures.finalPeak);
        state.counters["peak_MB"] = peak / kBytesPerMegabyte;
        if (holdEverything) {
            state.counters["scan_peak_MB"] = figures.scanPeak / kBytesPerMegabyte;
            state.counters["catalogue_MB"] = figures.catalogueResident / kBytesPerMegabyte;
            state.counters["catalogue_heap_MB"] = figures.catalogueHeap / kBytesPerMegabyte;
            state.counters["aircraft_MB"] = figures.aircraftResident / kBytesPerMegabyte;
            state.counters["aircraft_heap_MB"] = figures.aircraftHeap / kBytesPerMegabyte;
            state.counters["liveries"] = figures.liveries;
            state.counters["registrations"] = figures.registrations;
            state.counters["aircraft"] = figures.aircraft;
            state.counters["spawned"] = figures.spawned;
        }
    }
}
BENCHMARK(BM_PeakRss)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
