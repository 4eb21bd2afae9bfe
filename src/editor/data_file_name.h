// The naming rule of the data files that the server creates for clients that connect on their
// own: the data directory, a base name made of the parts the base name choice names, today's date
// unless the client always uses the same file, and ".csv". The General page shows it as a sample,
// with placeholders (StaName, Sta#, DlogCfgName, StaID) for the parts that vary by client.
#pragma once

#include <array>
#include <chrono>
#include <string>
#include <string_view>

namespace kz::editor {

// The "Data file base name:" choices, by their stored index.
inline constexpr std::array<const char*, 6> kBaseNameChoices = {"<Station Name>",
                                                                "<Station Number>",
                                                                "<Datalog Cfg Name>",
                                                                "<Station Name_Datalog Cfg Name>",
                                                                "<Datalog Cfg Name_Station Number>",
                                                                "<Datalog Cfg Name_Station ID>"};

// The date as eight digits, year, month, day ("%Y%m%d").
std::string DateStamp(std::chrono::year_month_day date);
// Today in the local time zone.
std::chrono::year_month_day LocalToday();

// The sample name. `directory` gets a "/" unless it is empty or ends with one. The name is dated
// ("_" and DateStamp(today) before ".csv") for every `new_file_mode` but kNewFileSame; -1 (no
// selection) is dated. A `base_name_choice` outside kBaseNameChoices gives "".
std::string SampleDataFileName(std::string_view directory, int new_file_mode, int base_name_choice,
                               std::chrono::year_month_day today);

}  // namespace kz::editor
