// Loading a station project file and listing it as the add-from-file dialog does: N stations
// with 5 datalog configurations of 10 client transfers each, for N = 1,000, 2,000 and 4,000.
//
//   bench_kpj [benchmark flags]          run the benchmarks
//   bench_kpj --write-sample PATH [N]    write the generated file (default N 2,000) and exit
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench_files.h"
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

kz::bench::GeneratedFiles files("Project", ".kpj", WriteSample);

// Every station with its number, its configurations and their transfers, and the first transfer
// of each looked up as the dialog does when it selects it. Gives the number of transfers listed.
std::size_t ListAll(const kz::projfiles::CProjectFileData& project) {
  std::vector<std::string> stations, datalogs, transfers;
  std::size_t listed = 0;
  project.GetStationNames(stations);
  for (const auto& s : stations) {
    benchmark::DoNotOptimize(project.GetStationNumber(s));
    project.GetDatalogNames(s, datalogs);
    for (const auto& d : datalogs) {
      project.GetTransferNames(s, d, transfers);
      listed += transfers.size();
      if (!transfers.empty() && !project.GetTransfer(s, d, transfers.front())) return 0;
    }
  }
  return listed;
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
    kz::bench::Touch(path);
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
  return kz::bench::BenchMain(argc, argv, "bench_kpj", 2000, WriteSample);
}
