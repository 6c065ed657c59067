// The BGL part of the add-on airport scan over a large Community folder,
// against just reading its files. The scan reads every BGL file with an
// airport section at start-up and writes a stand file per airport.
//
// The generated folder: 200 add-on airport packages, each with a manifest
// and one airport file of about 215 KB (an airport record with 4 helipads,
// 250 parking places and 2,000 other subrecords of 100 bytes, such as
// taxiway points, to pass over) and 3 scenery files of 20 KB without an
// airport section; 1,000 files, 55 MB in all. Every airport's publisher is unknown, so
// every airport gets a generated stand file. The files are read from the
// page cache (they were just written).
//
// On the 8 cores of the development machine, shared with other builds:
// reading alone 48 ms; one airport file 1.1 ms (0.9 ms of it CPU, most of
// the rest creating the stand file); the whole folder 208 ms with one
// worker thread, 108 ms with 8.
//   BM_ReadFiles: walk the tree and read every file whole, one thread.
//   BM_ProcessAirportFile: one scan worker's file: read, walk, publisher
//   from the manifest, 254 stands, the stand file written.
//   BM_ScanFolder/N: the search of the whole folder with N worker threads
//   (0: the processor's hardware threads, as the program runs it).

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "core/format.h"
#include "core/worker_slots.h"
#include "scanner/airport_folder_search.h"
#include "scanner/bgl_scan.h"
#include "scanner/scan_log.h"
#include "read_tree.h"
#include "scanner/scanner_state.h"
#include "scanner/support/bgl_builder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPackageCount = 200;
constexpr int kOtherFilesPerPackage = 3;
constexpr std::uint32_t kParkingCount = 250;
constexpr int kOtherSubrecordCount = 2000;
constexpr std::uint32_t kOtherSubrecordBytes = 100;
constexpr std::size_t kAirportSectionTypeByte = 76;  // of the builder's files

// "ZAAA", "ZAAB", ...: one ident per package.
std::string lf_icao(int package) {
    return fmtlib::format("Z{}{}{}", static_cast<char>('A' + package / 676), static_cast<char>('A' + package / 26 % 26),
                          static_cast<char>('A' + package % 26));
}

test::BglAirport lf_airport(int package) {
    test::BglAirport airport;
    airport.icao = lf_icao(package);
    airport.otherSubrecords.assign(kOtherSubrecordCount, {0x1A, kOtherSubrecordBytes});
    for (int helipad = 0; helipad < 4; ++helipad) {
        airport.helipads.push_back({50.0 + helipad * 0.001, 8.0, 20.0F});
    }
    for (std::uint32_t number = 1; number <= kParkingCount; ++number) {
        airport.parkings.push_back({.nameCode = number % 12, .type = number % 11 + 1, .number = number,
                                    .radiusM = 10.0F + static_cast<float>(number % 30), .headingDeg = 90.0F,
                                    .latDeg = 50.0 + number * 1e-4, .lonDeg = 8.0});
    }
    return airport;
}

// The folder, written once for the program and removed at its end; the
// stand files go to its airports folder (the working folder).
struct GeneratedCommunity {
    GeneratedCommunity() : root(fs::temp_directory_path() / fmtlib::format("vantrel-bench-bgl-{}", ::getpid())) {
        for (int package = 0; package < kPackageCount; ++package) {
            const fs::path folder = community / fmtlib::format("addon-airport-{:03}", package);
            fs::create_directories(folder / "scenery");
            std::ofstream(folder / "manifest.json") << R"({"manufacturer":"","creator":"Bench Maker","title":"x"})";
            const std::string bytes = test::BglBuilder().airport(lf_airport(package)).bytes();
            std::ofstream(folder / "scenery" / "airport.bgl", std::ios::binary) << bytes;
            std::string objects = bytes.substr(0, 20000);
            objects[kAirportSectionTypeByte] = '\x2e';
            for (int other = 0; other < kOtherFilesPerPackage; ++other) {
                std::ofstream(folder / "scenery" / fmtlib::format("objects{}.bgl", other), std::ios::binary) << objects;
            }
        }
        fs::current_path(root);
    }
    ~GeneratedCommunity() {
        std::error_code ignored;
        fs::current_path(fs::temp_directory_path(), ignored);
        fs::remove_all(root, ignored);
    }
    GeneratedCommunity(const GeneratedCommunity&) = delete;
    GeneratedCommunity& operator=(const GeneratedCommunity&) = delete;

    const fs::path root;
    const fs::path community = root / "Community";
};

const GeneratedCommunity& lf_community() {
    static const GeneratedCommunity generated;
    return generated;
}

void BM_ReadFiles(benchmark::State& state) {
    const fs::path& community = lf_community().community;
    TreeContent content;
    for (auto _ : state) {
        content = readTree(community);
        benchmark::DoNotOptimize(content.bytes);
    }
    state.counters["files"] = static_cast<double>(content.files);
    state.counters["MB"] = static_cast<double>(content.bytes) / 1e6;
}
BENCHMARK(BM_ReadFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessAirportFile(benchmark::State& state) {
    const fs::path file = lf_community().community / "addon-airport-000" / "scenery" / "airport.bgl";
    for (auto _ : state) {
        lf_processBGLfile(file);
        state.PauseTiming();
        ScanLog.lines.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ProcessAirportFile)->Unit(benchmark::kMicrosecond);

void BM_ScanFolder(benchmark::State& state) {
    const fs::path& community = lf_community().community;
    const int workers = state.range(0) == 0 ? static_cast<int>(std::thread::hardware_concurrency())
                                            : static_cast<int>(state.range(0));
    maxWorkers = workers;
    for (auto _ : state) {
        searchAddonAirportsInFolder(community);
        state.PauseTiming();
        ScanLog.lines.clear();
        state.ResumeTiming();
    }
    state.counters["airports"] = kPackageCount;
    state.counters["workers"] = workers;
}
BENCHMARK(BM_ScanFolder)->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
