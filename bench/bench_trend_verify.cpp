// Verifying the trend tag list as "Verify Tags" does: N bindings spread over N / 100 station
// project files (20 stations of 5 datalog configurations each, so every binding opens a datalog
// group of its own), for N = 50,000 and 100,000. Each size has files of its own and runs once, so
// every project file is read and parsed in the timed part, as on the dialog's first verification.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "citect/record/citect_trend_tag.h"
#include "citect/tag_verifier.h"
#include "projfiles/citect_data_mgr.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"

namespace {

constexpr int kBindingsPerFile = 100;
constexpr int kStations = 20;
constexpr int kDatalogs = 5;

// A temporary folder removed at exit.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kzbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

TempFolder folder;

// The bindings, with one in ten naming a tag that its datalog does not define.
kz::citect::CCitectTrendTagArray MakeBindings(int count) {
  const auto dir = folder.path() / ("n" + std::to_string(count));
  const auto project = kz::test::GeneratedKpjProject(kStations, kDatalogs, 2);
  const int files = count / kBindingsPerFile;
  for (int f = 0; f < files; ++f) {
    if (!kz::test::WriteKpjProject(dir / ("Site" + std::to_string(f) + ".kpj"), project)) {
      std::abort();
    }
  }
  kz::citect::CCitectTrendTagArray tags;
  for (int i = 0; i < count; ++i) {
    const int in_file = i % kBindingsPerFile;
    kz::citect::CCitectTrendTag& t = tags.Add();
    t.m_strCitectProj = "Plant";
    t.m_strTrendVar = "Trend" + std::to_string(i);
    t.m_strExpr = "Tag" + std::to_string(i);
    t.m_strProjFile = (dir / ("Site" + std::to_string(i / kBindingsPerFile) + ".kpj")).string();
    t.m_strStaName = project.stations[static_cast<std::size_t>(in_file / kDatalogs)].name;
    t.m_strDatalog = project.datalogs[static_cast<std::size_t>(in_file % kDatalogs)].name;
    t.m_strTagName = i % 10 == 0 ? "Missing" : (i % 2 ? "Flow" : "Level");
  }
  return tags;
}

void BM_VerifyTags(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const auto tags = MakeBindings(count);
  kz::test::ScriptedUi ui;
  std::size_t warnings = 0;
  for (auto _ : state) {
    kz::projfiles::CCitectDataMgr data(ui);  // the dialog's manager: no project file read yet
    warnings = kz::citect::VerifyTags(tags, data).size();
  }
  if (warnings != static_cast<std::size_t>(count / 10)) state.SkipWithError("unexpected warnings");
  state.SetComplexityN(count);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * count);
}
BENCHMARK(BM_VerifyTags)
    ->Arg(50'000)
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
