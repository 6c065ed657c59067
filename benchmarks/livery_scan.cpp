// The livery scan of a large installation against just reading its files.
// The scan reads every aircraft.cfg of the AI packages at start-up; it
// should cost little more than reading them.
//
// The generated installation: 5,000 aircraft.cfg files with 20,000
// [fltsim.N] sections (four per file, 25 lines each, as AI packages write
// them), in 250 packages of 20 aircraft; 40 types, 100 airlines; every
// section with a registration, one in fifty without an airline. Both
// benchmarks read the files from the page cache (they were just written).
//   BM_ReadFiles: walk the tree and read every file whole, one thread.
//   BM_ScanFolder/N: the scan of the whole tree with N worker threads
//   (0: the processor's hardware threads, as the program runs it).

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "core/format.h"
#include "core/worker_slots.h"
#include "liveries/aircraft_database.h"
#include "liveries/folder_search.h"
#include "liveries/livery_data.h"
#include "liveries/scan_reports.h"
#include "read_tree.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPackageCount = 250;
constexpr int kAircraftPerPackage = 20;
constexpr int kSectionsPerFile = 4;
constexpr int kTypeCount = 40;
constexpr int kAirlineCount = 100;

std::string lf_type(int index) { return fmtlib::format("T{:03}", index); }
std::string lf_airline(int index) { return fmtlib::format("A{:02}", index); }

std::string lf_aircraftCfg(int file) {
    const int type = file % kTypeCount;
    std::string text = fmtlib::format(R"([VERSION]
major = 1
minor = 0

[GENERAL]
atc_type = "Generated"
atc_model = "Model {0}"
Category = "Airplane"
icao_type_designator = "{0}"
icao_manufacturer = "MAKER"
icao_engine_type = "Jet"

[VARIATION]
base_container = "..\AIG_{0}"

;===================== FLTSIM =====================
)",
                                      lf_type(type));
    for (int section = 0; section < kSectionsPerFile; ++section) {
        const int serial = file * kSectionsPerFile + section;
        const int airline = serial % kAirlineCount;
        const std::string airlineLine =
            serial % 50 == 0 ? std::string() : fmtlib::format("icao_airline = \"{}\" ; ###\n", lf_airline(airline));
        text += fmtlib::format(R"(
[FLTSIM.{0}]
title = "AIG {1} {2} livery {3}" ; Variation name
model = "" ; model folder
panel = "" ; panel folder
sound = "" ; sound folder
texture = "{1}_{3}" ; texture folder
kb_checklists = "" ; Procedures/Checklist sibling file name
description = "Generated livery {3} of airline {1}" ; Variation description.
ui_manufacturer = "Maker" ; e.g. Boeing, Cessna
ui_type = "{2}" ; e.g. 747-400, 172
ui_variation = "{1} {3}" ; e.g. World Air, IFR Panel
ui_typerole = "Commercial Airliner"
ui_createdby = "Generator"
atc_id = "N{3:05}" ; tail number
atc_id_enable = 1 ; enable tail number
atc_airline = "Airline {1}" ; airline name
atc_flight_number = "1123" ; flight number
atc_heavy = 0 ; heavy?
atc_parking_types = "GATE,RAMP" ; "ANY" / "RAMP" / "CARGO" / "MIL_CARGO" / "MIL_COMBAT" / "GATE" / "DOCK"
atc_parking_codes = "{1}" ; Comma separated and may be as small as one character each
{4}isAirTraffic = 1 ; Is the plane usable for air traffic
isUserSelectable = 0 ; Is the plane selectable by the user
)",
                               section, lf_airline(airline), lf_type(type), serial, airlineLine);
    }
    return text;
}

// The installation, written once for the program and removed at its end.
struct GeneratedInstallation {
    GeneratedInstallation() : root(fs::temp_directory_path() / fmtlib::format("vantrel-bench-scan-{}", ::getpid())) {
        for (int package = 0; package < kPackageCount; ++package) {
            for (int aircraft = 0; aircraft < kAircraftPerPackage; ++aircraft) {
                const int file = package * kAircraftPerPackage + aircraft;
                const fs::path folder = root / fmtlib::format("aig-package-{:03}", package) / "SimObjects" /
                                        "Airplanes" / fmtlib::format("AIG_{:04}", file);
                fs::create_directories(folder);
                std::ofstream(folder / "aircraft.cfg", std::ios::binary) << lf_aircraftCfg(file);
            }
        }
        dbase = DbaseTables{};
        for (int type = 0; type < kTypeCount; ++type) {
            dbase.knownAircraftTypes.insert(lf_type(type));
        }
        for (int airline = 0; airline < kAirlineCount; ++airline) {
            dbase.icaoAirlines.insert(lf_airline(airline));
        }
    }
    ~GeneratedInstallation() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    GeneratedInstallation(const GeneratedInstallation&) = delete;
    GeneratedInstallation& operator=(const GeneratedInstallation&) = delete;

    const fs::path root;
};

const GeneratedInstallation& lf_installation() {
    static const GeneratedInstallation installation;
    return installation;
}

void BM_ReadFiles(benchmark::State& state) {
    const fs::path& root = lf_installation().root;
    TreeContent content;
    for (auto _ : state) {
        content = readTree(root);
        benchmark::DoNotOptimize(content.bytes);
    }
    state.counters["files"] = static_cast<double>(content.files);
}
BENCHMARK(BM_ReadFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScanFolder(benchmark::State& state) {
    const fs::path& root = lf_installation().root;
    const int workers = state.range(0) == 0 ? static_cast<int>(std::thread::hardware_concurrency())
                                            : static_cast<int>(state.range(0));
    maxWorkers = workers;
    std::size_t liveries = 0;
    for (auto _ : state) {
        searchLiveriesInFolder(1, root);
        liveries = liveryList.size();
        state.PauseTiming();
        liveryList.clear();
        clearScanReportLists();
        state.ResumeTiming();
    }
    state.counters["liveries"] = static_cast<double>(liveries);
    state.counters["workers"] = workers;
}
BENCHMARK(BM_ScanFolder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

