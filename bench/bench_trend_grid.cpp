// Sorting the trend tag grid's rows by a column title click, for 50,000 and 100,000 bindings
// whose texts share long prefixes and tie often (a few Citect projects, tags numbered within
// areas, stations shared by many tags), in a shuffled list order. Each sort starts from the list
// order; it should grow as n log n.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "citect/citect_grid_col.h"
#include "citect/citect_tag_grid.h"
#include "silent_ui.h"

namespace {

using kz::citect::CCitectTagGrid;
using kz::citect::CCitectTrendTagArray;

void FillTags(CCitectTrendTagArray& tags, int count) {
  static const char* const kProjects[] = {"Water_Treatment", "water_treatment", "Water_Network",
                                          "Waste_Water"};
  static const char* const kAreas[] = {"Reservoir_North", "Reservoir_South", "Pump_Station",
                                       "Filter_Bank"};
  static const char* const kDatalogs[] = {"Hourly", "Daily", "Minute_Averages"};
  std::mt19937 random(7);
  std::vector<int> order(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), random);
  char text[96];
  for (int i : order) {
    kz::citect::CCitectTrendTag& tag = tags.Add();
    tag.m_strCitectProj = kProjects[i % 4];
    std::snprintf(text, sizeof text, "WTP_%s_Level_%05d", kAreas[(i / 4) % 4], i / 16);
    tag.m_strTrendVar = text;
    std::snprintf(text, sizeof text, "/srv/kalden/projects/site_%02d.kpj", i % 40);
    tag.m_strProjFile = text;
    std::snprintf(text, sizeof text, "Station_%03d", i % 500);
    tag.m_strStaName = text;
    tag.m_strDatalog = kDatalogs[i % 3];
    if (i % 10 != 0) {  // a tenth still unbound
      std::snprintf(text, sizeof text, "Flow_%d", i % 64);
      tag.m_strTagName = text;
    }
  }
}

void SortBy(benchmark::State& state, int column) {
  CCitectTrendTagArray tags;
  const int count = static_cast<int>(state.range(0));
  FillTags(tags, count);
  kz::bench::SilentUi ui;
  CCitectTagGrid grid(tags, ui);
  for (auto _ : state) {
    state.PauseTiming();
    grid.ReloadTags();
    state.ResumeTiming();
    grid.OnTitleClick(column);
    benchmark::DoNotOptimize(grid.GetRecordAtRow(0));
  }
  state.SetComplexityN(count);
}

// Unique texts, compared a long shared prefix in.
void BM_SortByTrendTag(benchmark::State& state) { SortBy(state, kz::citect::kCitectTrendVarCol); }
// Four projects: nearly every comparison falls through to the tie-break columns.
void BM_SortByProject(benchmark::State& state) { SortBy(state, kz::citect::kCitectProjCol); }

BENCHMARK(BM_SortByTrendTag)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(BM_SortByProject)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

}  // namespace
