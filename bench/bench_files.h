// Pieces the benchmark programs share: generated input files of several sizes in a temporary
// folder, a touch that makes the profile cache parse a file again, and a main() that either runs
// the benchmarks or writes one generated file for the scripts to compare against.
#pragma once

#include <benchmark/benchmark.h>
#include <utime.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <utility>

namespace kz::bench {

// Writes the generated file of size n to the path; false when it could not.
using SampleWriter = std::function<bool(const std::string& path, int n)>;

// One generated file per size in a temporary folder, removed at exit.
class GeneratedFiles {
 public:
  // Files are named `stem` + n + `extension`.
  GeneratedFiles(std::string stem, std::string extension, SampleWriter write)
      : stem_(std::move(stem)), extension_(std::move(extension)), write_(std::move(write)) {}
  ~GeneratedFiles() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  GeneratedFiles(const GeneratedFiles&) = delete;
  GeneratedFiles& operator=(const GeneratedFiles&) = delete;

  std::string Get(int n) {
    if (dir_.empty()) {
      std::string pattern = (std::filesystem::temp_directory_path() / "kzbench-XXXXXX").string();
      if (!mkdtemp(pattern.data())) std::abort();
      dir_ = pattern;
    }
    auto& path = paths_[n];
    if (path.empty()) {
      path = (dir_ / (stem_ + std::to_string(n) + extension_)).string();
      if (!write_(path, n)) std::abort();
    }
    return path;
  }

 private:
  std::string stem_, extension_;
  SampleWriter write_;
  std::filesystem::path dir_;
  std::map<int, std::string> paths_;
};

// Gives the file a new modification time, so the next load parses it again instead of using the
// cached parse.
inline void Touch(const std::string& path) {
  static time_t stamp = 1000000000;
  const utimbuf times{++stamp, stamp};
  utime(path.c_str(), &times);
}

//   PROGRAM [benchmark flags]          run the benchmarks
//   PROGRAM --write-sample PATH [N]    write the generated file (default N `default_n`) and exit
inline int BenchMain(int argc, char** argv, const char* program, int default_n,
                     const SampleWriter& write) {
  if (argc >= 3 && std::string(argv[1]) == "--write-sample") {
    const int n = argc >= 4 ? std::atoi(argv[3]) : default_n;
    if (n < 1 || !write(argv[2], n)) {
      std::cerr << program << ": " << argv[2] << ": cannot write the sample\n";
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

}  // namespace kz::bench
