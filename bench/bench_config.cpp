// Load and save of large configurations: N client transfers, N/10 ports (half of them serial)
// and N/10 scheduled transfers, for N = 5,000, 10,000 and 20,000; beside the load, libinih
// reading the same files into sections of keys (when the build found libinih).
//
//   bench_config [benchmark flags]          run the benchmarks
//   bench_config --write-sample PATH [N]    write the generated file (default N 10,000) and exit
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "bench_files.h"
#include "config/cfg_mgr.h"
#include "platform/file_io.h"

#ifdef KZ_BENCH_INIH
#include "inih_sections.h"
#endif

namespace {

std::string GeneratedConfig(int transfers) {
  const int ports = transfers / 10;
  const int scheduled = transfers / 10;
  std::string text;
  text.reserve(static_cast<std::size_t>(transfers) * 200);
  text +=
      "; generated for benchmarking\r\n[general]\r\nmode=0\r\nnew file mode=1\r\n"
      "new file synch mode=3600\r\nauto mode data path=/srv/datalog/auto\r\n"
      "auto mode base name choice=0\r\nset sta clock=1\r\nclock tolerance=60\r\n"
      "pc time format=0\r\nenable log=1\r\nlog dir=/var/log/kzdlogrcv\r\nuse scaling=1\r\n"
      "check duplicates=0\r\n\r\n[transfers]\r\n";
  for (int i = 0; i < transfers; ++i) {
    text += std::to_string(i) + "=xfer" + std::to_string(i) + "\r\n";
  }
  for (int i = 0; i < transfers; ++i) {
    const std::string n = std::to_string(i);
    text += "\r\n[xfer" + n + "]\r\nnew file mode=" + std::to_string(i % 4) +
            "\r\nnew file synch mode=" + std::to_string(i % 7) + "\r\ndata file=/srv/datalog/st" +
            n + ".csv\r\nstation number=" + std::to_string(i / 4) +
            "\r\nID=" + std::to_string(i % 4) + "\r\ndatalog file=log" + std::to_string(i % 4) +
            ".kdl\r\n";
  }
  text += "\r\n[ports]\r\n";
  for (int i = 0; i < ports; ++i) {
    text += std::to_string(i) +
            (i % 2 ? "=UDP" + std::to_string(1658 + i) : "=COM" + std::to_string(i + 1)) + "\r\n";
  }
  for (int i = 0; i < ports; i += 2) {
    text += "\r\n[COM" + std::to_string(i + 1) +
            "]\r\nbaud=19200\r\ndata_bits=8\r\nstop_bits=1\r\nparity=n\r\nflow=n\r\n";
  }
  text += "\r\n[scheduled]\r\n";
  for (int i = 0; i < scheduled; ++i) {
    text += std::to_string(i) + "=1,0,1,0,0," + std::to_string(i) + ",0,`Station " +
            std::to_string(i) + ", hourly`,,COM1," + std::to_string(i % 4) + "\r\n";
  }
  return text;
}

bool WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

bool WriteSample(const std::string& path, int transfers) {
  return WriteText(path, GeneratedConfig(transfers));
}

kz::bench::GeneratedFiles files("kzdlogrcv", ".cfg", WriteSample);

// A fresh model per run, as each configure call creates its own; making and destroying it is
// not timed. Neither is freeing the previous run's parse: the benchmark holds it until the next
// pause, so the timed load only drops the cache's reference to it.
// The load waits until the touched file is no longer "racy" (changed within the last file-clock
// tick), as a configuration file is when a configure call loads it. Otherwise the cache would
// keep the parse as racy, and taking hold of it in the next pause would read the whole file
// again, leaving it in the processor cache for the timed read when it fits there.
void BM_Load(benchmark::State& state) {
  const std::string path = files.Get(static_cast<int>(state.range(0)));
  auto model = std::make_unique<kz::config::CCfgMgr>();
  std::shared_ptr<const kz::platform::ProfileDocument> previous;
  for (auto _ : state) {
    state.PauseTiming();
    previous = kz::platform::ProfileSnapshot(path);
    kz::bench::Touch(path);
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    model = std::make_unique<kz::config::CCfgMgr>();
    state.ResumeTiming();
    model->ReadWrite(path, false);
    benchmark::DoNotOptimize(model->GetConnectionCount());
  }
  if (model->GetConnectionCount() != state.range(0)) state.SkipWithError("wrong transfer count");
  state.SetComplexityN(state.range(0));
}

#ifdef KZ_BENCH_INIH
// The same file read and parsed by libinih into sections of keys, with the same pause as the
// load's, so that both start from caches as cold. Freeing the previous run's result is not timed.
void BM_LoadInih(benchmark::State& state) {
  const std::string path = files.Get(static_cast<int>(state.range(0)));
  auto result = std::make_unique<kz::bench::InihSections>();
  std::unique_ptr<kz::bench::InihSections> previous;
  for (auto _ : state) {
    state.PauseTiming();
    previous = std::move(result);
    result = std::make_unique<kz::bench::InihSections>();
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    state.ResumeTiming();
    std::string text;
    if (!kz::platform::ReadWholeFile(path, text) || !result->Parse(text)) {
      state.SkipWithError("libinih could not read the file");
      break;
    }
    benchmark::DoNotOptimize(result->Sections().size());
  }
  const auto transfers = result->Sections().find("transfers");
  if (transfers == result->Sections().end() ||
      transfers->second.size() != static_cast<std::size_t>(state.range(0))) {
    state.SkipWithError("wrong transfer count");
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadInih)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
#endif

void BM_Save(benchmark::State& state) {
  const std::string path = files.Get(static_cast<int>(state.range(0)));
  kz::config::CCfgMgr model;
  model.ReadWrite(path, false);
  for (auto _ : state) {
    if (model.ReadWrite(path, true) != kz::config::kCfgOk) state.SkipWithError("save failed");
  }
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_Load)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return kz::bench::BenchMain(argc, argv, "bench_config", 10000, WriteSample);
}
