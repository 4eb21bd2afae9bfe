// Automatic trend tag resolution at scale: 10,000 selected trend tags against a variable.dbf of
// 1,000,000 records (CitectSCADA's own field list, about 3.6 KB a record) and a folder of 1,000
// station project files of 10 stations each, 2,000 of which feed the tags (5 tags a station);
// and the same at half size, to show that the time grows linearly.
//
// The UI here answers at once, also the progress window's cancel checks. In the product a check
// lasts what the UI takes to repaint the window and see its button (5 ms in the windowed UI):
// with the fixed intervals (every 102 variables, every project file, every 12 records, every 7
// stations) the full case makes about 11,900 checks, which the "checks" counter reports, so
// the waiting that the windowed product adds is counted here rather than measured.
//
// The inputs are generated once per process in a temporary folder, removed at exit.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "citect/tag_resolver.h"
#include "support/citect_install.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"

namespace {

namespace fs = std::filesystem;
using kz::citect::CCitectTrendTag;
using kz::citect::CCitectTrendTagArray;

constexpr int kVariablesPerFile = 1000;
constexpr int kTagsPerFile = 10;
constexpr int kStationsPerFile = 10;
constexpr int kTagsPerStation = 5;
constexpr int kFillerTags = 15;  // datalog tags of a station that no trend tag names

std::string Number(const char* format, long n) {
  char text[32];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

// Station s feeds the trend tags of variables (s * kTagsPerStation + k) * stride; the other
// stations of a file feed none.
std::string FeedingStation(long s) { return Number("Site%06ld", s); }

class Inputs {
 public:
  Inputs() {
    std::string pattern = (fs::temp_directory_path() / "kzbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    setenv("KZDLOGSRV_WINDIR", (root_ / "windows").c_str(), 1);
    setenv("KZDLOGSRV_REGISTRY", (root_ / "registry").c_str(), 1);
    kz::test::CitectInstall install;
    install.user_folder = root_ / "User";
    if (!kz::test::WriteCitectInstall(install)) throw std::runtime_error("install failed");
  }
  ~Inputs() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  // The project ("P<files>") and folder of one size, written on first use.
  std::string Folder(int files) {
    const std::string project = Number("P%ld", files);
    const fs::path folder = root_ / ("kpj" + std::to_string(files));
    if (made_[files]++) return folder.string() + "/";
    const long variables = long{files} * kVariablesPerFile;
    const long tags = long{files} * kTagsPerFile;
    const long stride = variables / tags;
    const bool ok = kz::test::WriteVariableTable(
        root_ / "User" / project / "variable.dbf", static_cast<std::size_t>(variables),
        [&](std::size_t i) {
          const long v = static_cast<long>(i);
          const bool feeds = v % stride == 0;
          return kz::test::CitectVariable{
              Number("V%07ld", v), feeds ? FeedingStation(v / stride / kTagsPerStation)
                                         : Number("IO%ld", v % 97)};
        });
    if (!ok) throw std::runtime_error("variable.dbf not written");
    const long feeding = tags / kTagsPerStation;
    for (long f = 0; f < files; ++f) {
      kz::test::KpjProject p;
      for (int k = 0; k < kStationsPerFile; ++k) {
        // Feeding stations are spread over the files, two to a file at full size.
        const long s = f + long{k} * files;
        auto& station = p.stations.emplace_back();
        station.name = s < feeding ? FeedingStation(s) : Number("Other%06ld", s);
        station.number = static_cast<std::int32_t>(s + 1);
        station.datalogs = {"Log-" + station.name};
        auto& datalog = p.datalogs.emplace_back();
        datalog.name = station.datalogs[0];
        datalog.transfers = {{"Hourly", 129, 1}, {"Daily", 128, 0}};
        for (int t = 0; t < kTagsPerStation && s < feeding; ++t) {
          datalog.tags.push_back(Number("V%07ld", (s * kTagsPerStation + t) * stride));
        }
        for (int t = 0; t < kFillerTags; ++t) datalog.tags.push_back(Number("Spare%ld", t));
        datalog.tags.push_back("Interval:3600");
      }
      if (!kz::test::WriteKpjProject(folder / Number("Site%05ld.kpj", f), p)) {
        throw std::runtime_error("project file not written");
      }
    }
    return folder.string() + "/";
  }

 private:
  fs::path root_;
  std::map<int, int> made_;
};

Inputs& TheInputs() {
  static Inputs inputs;
  return inputs;
}

void BM_ResolveTags(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  const std::string folder = TheInputs().Folder(files);
  const long tags = long{files} * kTagsPerFile;
  const long stride = kVariablesPerFile / kTagsPerFile;
  CCitectTrendTagArray records;
  for (long i = 0; i < tags; ++i) {
    auto& t = records.Add();
    t.m_strCitectProj = Number("P%ld", files);
    t.m_strTrendVar = Number("Trend%ld", i);
    t.m_strExpr = Number("V%07ld", i * stride);
  }
  kz::citect::ResolveRequest request{Number("P%ld", files), {}, folder};
  for (std::size_t i = 0; i < records.size(); ++i) request.tags.push_back(&records[i]);
  // Records the checks and returns from each at once; answers the messages with OK.
  kz::test::ScriptedUi ui;
  // Once untimed, so that every size is measured with its files in the page cache, not while
  // the freshly written ones are still being flushed.
  kz::citect::ResolveTags(ui, request);
  for (auto _ : state) {
    ui.pumps.clear();
    if (kz::citect::ResolveTags(ui, request) != kz::citect::kResolveDone) {
      state.SkipWithError("resolution failed");
      return;
    }
  }
  long bound = 0;
  for (std::size_t i = 0; i < records.size(); ++i) bound += !records[i].m_strTagName.empty();
  if (bound != tags) state.SkipWithError("not every trend tag was bound");
  state.counters["checks"] = static_cast<double>(ui.pumps.size());
  state.counters["tags"] = static_cast<double>(tags);
}
BENCHMARK(BM_ResolveTags)->Arg(500)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
