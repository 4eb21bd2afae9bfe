#include "editor/data_file_name.h"

#include <cstdio>
#include <ctime>

#include "editor/new_file_mode.h"

namespace kz::editor {

namespace {

// The base name of each choice, with the placeholders the sample shows.
constexpr std::array<const char*, kBaseNameChoices.size()> kBaseNames = {
    "StaName",          "Sta#", "DlogCfgName", "StaName_DlogCfgName", "DlogCfgName_Sta#",
    "DlogCfgName_StaID"};

}  // namespace

std::string DateStamp(std::chrono::year_month_day date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::chrono::year_month_day LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                     std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                     std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string SampleDataFileName(std::string_view directory, int new_file_mode, int base_name_choice,
                               std::chrono::year_month_day today) {
  if (base_name_choice < 0 || base_name_choice >= static_cast<int>(kBaseNames.size())) return {};
  std::string name(directory);
  if (!name.empty() && name.back() != '/') name += '/';
  name += kBaseNames[static_cast<std::size_t>(base_name_choice)];
  if (new_file_mode != kNewFileSame) {
    name += '_';
    name += DateStamp(today);
  }
  name += ".csv";
  return name;
}

}  // namespace kz::editor
