// dBase reading and writing at scale: scanning a variable.dbf-shaped table (CitectSCADA's own
// field list, about 3.6 KB a record, 2% deleted) for NAME and UNIT of every live record with
// Locate and ReadFieldByName, at a quarter, half and all of the record count to show that the
// scan is linear; and loading and saving a kztrendvars.dbf of 100,000 bindings.
//
// Environment: KZ_BENCH_RECORDS (default 200000) and KZ_BENCH_DIR, a folder for the tables that
// is kept so that scripts/bench-dbf can read the same file with other tools; without it a
// temporary folder is used and removed.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "projfiles/citect_data_mgr.h"
#include "projfiles/dbase_file.h"
// Compiled in, as benchmarks link only the core: the stand-in installation's table writers, and
// the host's UiService, which prints any message on stderr.
#include "../src/cli/console_ui.cpp"
#include "../tests/support/citect_install.cpp"

namespace {

namespace fs = std::filesystem;
using kz::projfiles::CDBaseFile;

constexpr int kBindings = 100000;
constexpr int kProjects = 10;

class Workspace {
 public:
  Workspace() {
    if (const char* dir = std::getenv("KZ_BENCH_DIR")) {
      root_ = dir;
      fs::create_directories(root_);
    } else {
      std::string pattern = (fs::temp_directory_path() / "kzbench-XXXXXX").string();
      if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
      root_ = pattern;
      owned_ = true;
    }
    const char* n = std::getenv("KZ_BENCH_RECORDS");
    records_ = n ? std::atol(n) : 200000;
    setenv("KZDLOGSRV_WINDIR", (root_ / "windows").c_str(), 1);
    setenv("KZDLOGSRV_REGISTRY", (root_ / "registry").c_str(), 1);
  }
  ~Workspace() {
    std::error_code ec;
    if (owned_) fs::remove_all(root_, ec);
  }

  long records() const { return records_; }

  // variable.dbf of `count` records (variable.dbf itself for the full count), made once.
  fs::path VariableTable(long count) {
    const fs::path path =
        root_ / (count == records_ ? std::string("variable.dbf")
                                   : "variable-" + std::to_string(count) + ".dbf");
    if (!fs::exists(path)) {
      const bool ok =
          kz::test::WriteVariableTable(path, static_cast<std::size_t>(count), [](std::size_t i) {
            return kz::test::CitectVariable{"Tag_" + std::to_string(i),
                                            "Station" + std::to_string(i % 97), i % 50 == 49};
          });
      if (!ok) throw std::runtime_error("cannot write " + path.string());
    }
    return path;
  }

  // An installation of kProjects projects and a store binding every trend tag of them.
  fs::path TrendStore() {
    const fs::path store = root_ / "kztrendvars.dbf";
    if (fs::exists(store)) return store;
    kz::test::CitectInstall install;
    install.user_folder = root_ / "User";
    for (int p = 0; p < kProjects; ++p) {
      kz::test::CitectProject project{"Project" + std::to_string(p), "", {}, {}};
      for (int t = 0; t < kBindings / kProjects; ++t) {
        project.trends.push_back({"Trend" + std::to_string(t), "Expr_" + std::to_string(t)});
      }
      install.projects.push_back(std::move(project));
    }
    if (!kz::test::WriteCitectInstall(install)) throw std::runtime_error("cannot install");
    kz::cli::ConsoleUi ui(std::cerr);
    kz::projfiles::CCitectDataMgr mgr(ui);
    for (int i = 0; i < kBindings; ++i) {
      auto& tag = mgr.m_tags.Add();
      tag.m_strCitectProj = "Project" + std::to_string(i % kProjects);
      tag.m_strTrendVar = "Trend" + std::to_string(i / kProjects);
      tag.m_strProjFile = (root_ / "Projects/Site.kpj").string();
      tag.m_strStaName = "Station" + std::to_string(i % 97);
      tag.m_strDatalog = "Hourly";
      tag.m_strTagName = "Tag" + std::to_string(i);
    }
    if (mgr.ReadWrite(store.string(), true) != kz::projfiles::kDataOk) {
      throw std::runtime_error("cannot save " + store.string());
    }
    return store;
  }

  fs::path Path(const std::string& name) const { return root_ / name; }

 private:
  fs::path root_;
  bool owned_ = false;
  long records_ = 0;
};

Workspace& Work() {
  static Workspace work;
  return work;
}

void BM_ScanVariableTable(benchmark::State& state) {
  const long count = Work().records() * state.range(0) / 4;
  const fs::path path = Work().VariableTable(count);
  std::string name, unit;
  long live = 0;
  for (auto _ : state) {
    CDBaseFile table;
    if (!table.Open(path, CDBaseFile::Mode::ReadOnly)) {
      state.SkipWithError("cannot open the table");
      return;
    }
    live = 0;
    std::size_t bytes = 0;
    for (bool more = table.Locate(false, false); more; more = table.Locate(true, false)) {
      table.ReadFieldByName(name, "NAME");
      table.ReadFieldByName(unit, "UNIT");
      bytes += name.size() + unit.size();
      ++live;
    }
    benchmark::DoNotOptimize(bytes);
    table.Close();
  }
  state.counters["records"] = static_cast<double>(count);
  state.counters["live"] = static_cast<double>(live);
  state.counters["ns per record"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}
BENCHMARK(BM_ScanVariableTable)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_LoadTrendStore(benchmark::State& state) {
  const fs::path store = Work().TrendStore();
  kz::cli::ConsoleUi ui(std::cerr);
  for (auto _ : state) {
    kz::projfiles::CCitectDataMgr mgr(ui);
    if (mgr.ReadWrite(store.string(), false) != kz::projfiles::kDataOk ||
        mgr.m_tags.size() != kBindings || mgr.m_tags[kBindings - 1].m_strExpr.empty()) {
      state.SkipWithError("load failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kBindings);
}
BENCHMARK(BM_LoadTrendStore)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveTrendStore(benchmark::State& state) {
  const fs::path store = Work().TrendStore();
  kz::cli::ConsoleUi ui(std::cerr);
  kz::projfiles::CCitectDataMgr mgr(ui);
  mgr.ReadWrite(store.string(), false);
  const std::string target = Work().Path("kztrendvars-saved.dbf").string();
  for (auto _ : state) {
    if (mgr.ReadWrite(target, true) != kz::projfiles::kDataOk) {
      state.SkipWithError("save failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kBindings);
}
BENCHMARK(BM_SaveTrendStore)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
