// `config apply` as a whole: load a configuration of N client transfers (with N/100 ports and
// scheduled transfers), read a desired state from JSON that changes the data file of every tenth
// transfer, apply it through the editor's checks and save the file; N = 5,000, 10,000 and
// 20,000. The file is put back between runs.
//
//   bench_config_apply [benchmark flags]          run the benchmarks
//   bench_config_apply --write-sample PATH [N]    write the generated configuration and exit
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_files.h"
#include "cli/desired_json.h"
#include "config/cfg_mgr.h"
#include "editor/config_apply.h"

namespace {

std::string DataFile(int i, bool changed) {
  return (changed ? "/srv/datalog/moved/st" : "/srv/datalog/st") + std::to_string(i) + ".csv";
}

std::string GeneratedConfig(int transfers) {
  std::string text =
      "[general]\r\nmode=0\r\nset sta clock=1\r\nclock tolerance=60\r\n\r\n[transfers]\r\n";
  for (int i = 0; i < transfers; ++i) {
    text += std::to_string(i) + "=xfer" + std::to_string(i) + "\r\n";
  }
  for (int i = 0; i < transfers; ++i) {
    text += "\r\n[xfer" + std::to_string(i) + "]\r\nnew file mode=2\r\nnew file synch mode=" +
            std::to_string(i % 7) + "\r\ndata file=" + DataFile(i, false) +
            "\r\nstation number=" + std::to_string(i / 4) + "\r\nID=" + std::to_string(i % 4) +
            "\r\ndatalog file=log" + std::to_string(i % 4) + ".kdl\r\n";
  }
  text += "\r\n[ports]\r\n";
  for (int i = 0; i < transfers / 100; ++i) {
    text += std::to_string(i) + "=UDP" + std::to_string(1658 + i) + "\r\n";
  }
  text += "\r\n[scheduled]\r\n";
  for (int i = 0; i < transfers / 100; ++i) {
    text += std::to_string(i) + "=1,0,1,0,0," + std::to_string(i) + ",0,`Station " +
            std::to_string(i) + "`,,UDP1658," + std::to_string(i % 4) + "\r\n";
  }
  return text;
}

// The desired state: every transfer, every tenth with a new data file; ports and scheduled
// transfers as they are.
std::string DesiredJson(int transfers) {
  std::string json = "{\"transfers\": [";
  for (int i = 0; i < transfers; ++i) {
    if (i) json += ",";
    json += "{\"station number\": " + std::to_string(i / 4) + ", \"ID\": " +
            std::to_string(i % 4) + ", \"datalog file\": \"log" + std::to_string(i % 4) +
            ".kdl\", \"new file mode\": 2, \"new file synch mode\": " + std::to_string(i % 7) +
            ", \"data file\": \"" + DataFile(i, i % 10 == 0) + "\"}";
  }
  json += "], \"ports\": [";
  for (int i = 0; i < transfers / 100; ++i) {
    json += (i ? "," : "") + std::string("{\"type\": \"UDP\", \"number\": ") +
            std::to_string(1658 + i) + "}";
  }
  return json + "]}";
}

bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

kz::bench::GeneratedFiles& Files() {
  static kz::bench::GeneratedFiles files("kzdlogrcv", ".cfg", [](const std::string& path, int n) {
    return WriteText(path, GeneratedConfig(n));
  });
  return files;
}

void BM_Apply(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string original = Files().Get(n);
  const std::string path = original + ".work";
  const std::string config = GeneratedConfig(n);
  const std::string json = DesiredJson(n);
  for (auto _ : state) {
    state.PauseTiming();
    if (!WriteText(path, config)) state.SkipWithError("cannot write the configuration");
    kz::bench::Touch(path);
    state.ResumeTiming();

    kz::config::CCfgMgr model;
    model.ReadWrite(path, false);
    kz::editor::DesiredConfig desired;
    std::vector<kz::editor::ConfigProblem> problems;
    if (!kz::cli::DesiredFromJson(json, desired, problems)) state.SkipWithError("bad JSON");
    const auto result = kz::editor::ApplyDesired(model, desired, {});
    if (!result.ok() || result.changes.size() != static_cast<std::size_t>((n + 9) / 10)) {
      state.SkipWithError("the apply did not change what it should");
    }
    if (model.ReadWrite(path, true) != kz::config::kCfgOk) state.SkipWithError("not saved");
  }
  std::filesystem::remove(path);
}

}  // namespace

BENCHMARK(BM_Apply)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  return kz::bench::BenchMain(argc, argv, "bench_config_apply", 10000, [](const std::string& path,
                                                                          int n) {
    return WriteText(path, GeneratedConfig(n));
  });
}
