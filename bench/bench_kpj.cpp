// Loading a station project file and listing it as the add-from-file dialog does: N stations
// with 5 datalog configurations of 10 client transfers each, for N = 1,000, 2,000 and 4,000.
//
//   bench_kpj [benchmark flags]          run the benchmarks
//   bench_kpj --write-sample PATH [N]    write the generated file (default N 2,000) and exit
#include <benchmark/benchmark.h>
#include <utime.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/profile.h"
#include "projfiles/project_file_data.h"
#include "support/kpj_project.h"

namespace {

constexpr int kDatalogs = 5;
constexpr int kTransfers = 10;

bool WriteSample(const std::string& path, int stations) {
  return kz::test::WriteKpjProject(path,
                                   kz::test::GeneratedKpjProject(stations, kDatalogs, kTransfers));
}

// One generated file per size in a temporary folder, removed at exit.
class Files {
 public:
  ~Files() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  std::string Get(int stations) {
    if (dir_.empty()) {
      std::string pattern = (std::filesystem::temp_directory_path() / "kzbench-XXXXXX").string();
      if (!mkdtemp(pattern.data())) std::abort();
      dir_ = pattern;
    }
    auto& path = paths_[stations];
    if (path.empty()) {
      path = (dir_ / ("Project" + std::to_string(stations) + ".kpj")).string();
      if (!WriteSample(path, stations)) std::abort();
    }
    return path;
  }

 private:
  std::filesystem::path dir_;
  std::map<int, std::string> paths_;
};

Files files;

// A new modification time, so the next load parses the file again instead of using the cached
// parse.
void Touch(const std::string& path) {
  static time_t stamp = 1000000000;
  const utimbuf times{++stamp, stamp};
  utime(path.c_str(), &times);
}

// Every station, its configurations and their transfers, each transfer looked up by name as the
// dialog does when one is chosen. Gives the number of transfers found.
std::size_t ListAll(const kz::projfiles::CProjectFileData& project) {
  std::vector<std::string> stations, datalogs, transfers;
  std::size_t found = 0;
  project.GetStationNames(stations);
  for (const auto& s : stations) {
    benchmark::DoNotOptimize(project.GetStationNumber(s));
    project.GetDatalogNames(s, datalogs);
    for (const auto& d : datalogs) {
      project.GetTransferNames(s, d, transfers);
      for (const auto& t : transfers) found += project.GetTransfer(s, d, t) != nullptr;
    }
  }
  return found;
}

// The project data lives as long as the dialog that loads it; neither it nor the previous parse
// is destroyed in the timed part. The wait after the touch lets the file's change leave the
// file clock's tick, as it has when a person picks a file, so the parse is cached normally.
void BM_LoadAndList(benchmark::State& state) {
  const int stations = static_cast<int>(state.range(0));
  const std::string path = files.Get(stations);
  auto project = std::make_unique<kz::projfiles::CProjectFileData>();
  std::shared_ptr<const kz::platform::ProfileDocument> previous;
  std::size_t found = 0;
  for (auto _ : state) {
    state.PauseTiming();
    previous = kz::platform::ProfileSnapshot(path);
    Touch(path);
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    project = std::make_unique<kz::projfiles::CProjectFileData>();
    state.ResumeTiming();
    project->Load(path);
    found = ListAll(*project);
  }
  if (found != static_cast<std::size_t>(stations) * kDatalogs * kTransfers) {
    state.SkipWithError("wrong transfer count");
  }
  state.counters["transfers"] = static_cast<double>(found);
  state.SetComplexityN(stations);
}

BENCHMARK(BM_LoadAndList)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--write-sample") {
    const int stations = argc >= 4 ? std::atoi(argv[3]) : 2000;
    if (stations < 1 || !WriteSample(argv[2], stations)) {
      std::cerr << "bench_kpj: " << argv[2] << ": cannot write the sample\n";
      return 1;
    }
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
