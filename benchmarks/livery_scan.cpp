// The livery scan of a large installation against just reading its files.
// The scan reads every aircraft.cfg of the AI packages at start-up; it
// should cost little more than reading them.
//
// The generated installation (livery_installation.h): 5,000 aircraft.cfg
// files with 20,000 [fltsim.N] sections in 250 packages. Both benchmarks
// read the files from the page cache (they were just written).
//   BM_ReadFiles: walk the tree and read every file whole, one thread.
//   BM_ScanFolder/N: the scan of the whole tree with N worker threads
//   (0: the processor's hardware threads, as the program runs it).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <thread>

#include "core/worker_slots.h"
#include "liveries/folder_search.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_data.h"
#include "liveries/scan_reports.h"
#include "livery_installation.h"
#include "read_tree.h"

namespace {

namespace fs = std::filesystem;

using livery_installation::GeneratedInstallation;

constexpr int kPackageCount = 250;

const GeneratedInstallation& lf_installation() {
    static const GeneratedInstallation installation("scan", kPackageCount);
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

