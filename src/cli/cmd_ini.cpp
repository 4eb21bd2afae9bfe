// ini get, ini set, ini delete: one profile call each, for administrators who script changes to
// the configuration file, velmora.ini or citect.ini.
#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "cli/commands.h"
#include "platform/profile.h"

namespace kz::cli {
namespace {

constexpr const char* kFileHelp =
    "Profile file; a name without '/' lies in the Windows directory ($KZDLOGSRV_WINDIR), as for "
    "the profile calls: write ./NAME for a file in the current folder";

struct IniArgs {
  std::string file;
  std::string section;
  std::optional<std::string> key;
  std::string value;
  std::string def;
  std::string size = "1024";
};

bool Exists(const std::filesystem::path& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// One line naming the file and why nothing was written. `existed`: whether the file was there
// before the write.
int WriteFailed(const IniArgs& args, const Status& why, bool existed) {
  const std::string file = platform::ProfilePath(args.file).string();
  if (why.Is(Status::Kind::kInvalidArgument)) {
    Fail(file, why.reason());
  } else {
    Fail(file,
         std::string(why.reason()) + (existed ? "; the file is unchanged" : "; no file was made"));
  }
  return kFailed;
}

int Get(const IniArgs& args) {
  std::size_t size = 0;
  const char* end = args.size.data() + args.size.size();
  if (const auto [p, ec] = std::from_chars(args.size.data(), end, size);
      ec != std::errc() || p != end || args.size.empty()) {
    Fail("--size", "not a buffer size (a whole number from 0): " + args.size);
    return kUsage;
  }
  // The module's reads take an unreadable file for a missing one; a person asking wants to know.
  // A batch without writes reads as the profile calls do and commits nothing, but fails for a
  // file that is there and cannot be read.
  platform::ProfileBatch file(args.file);
  if (const Status read = file.Commit(); !read) {
    Fail(platform::ProfilePath(args.file).string(),
         "cannot be read: " + std::string(read.reason()));
    return kFailed;
  }
  std::cout << file.GetString(args.section, *args.key, args.def, size) << '\n';
  return kOk;
}

int Set(const IniArgs& args) {
  const bool existed = Exists(platform::ProfilePath(args.file));
  const Status written =
      platform::WriteProfileString(args.section, *args.key, args.value, args.file);
  return written ? kOk : WriteFailed(args, written, existed);
}

int Delete(const IniArgs& args) {
  const bool existed = Exists(platform::ProfilePath(args.file));
  const std::optional<std::string_view> key =
      args.key ? std::optional<std::string_view>(*args.key) : std::nullopt;
  const Status written = platform::WriteProfileString(args.section, key, std::nullopt, args.file);
  return written ? kOk : WriteFailed(args, written, existed);
}

// A subcommand with the FILE SECTION KEY positionals that every ini command takes; `run` gives
// its exit status.
std::pair<CLI::App*, std::shared_ptr<IniArgs>> AddIniCommand(CLI::App& ini, const char* name,
                                                             const char* help, const char* key_help,
                                                             bool key_required,
                                                             int (*run)(const IniArgs&),
                                                             int& exit_code) {
  auto args = std::make_shared<IniArgs>();
  CLI::App* command = ini.add_subcommand(name, help);
  command->add_option("FILE", args->file, kFileHelp)->required()->check(kNonEmptyPath);
  command->add_option("SECTION", args->section, "Section name")->required();
  command->add_option("KEY", args->key, key_help)->required(key_required);
  command->callback([args, run, &exit_code] { exit_code = run(*args); });
  return {command, args};
}

}  // namespace

void AddIniCommands(CLI::App& app, int& exit_code) {
  CLI::App* ini = app.add_subcommand(
      "ini",
      "Read and write single keys of profile (INI) files as the server and the module do: names "
      "without regard to case, the file replaced in one step or not at all.");
  ini->require_subcommand(1);

  auto [get, get_args] = AddIniCommand(
      *ini, "get",
      "Print a key's value as the profile reader returns it (blanks trimmed, one pair of "
      "enclosing quotes removed, cut to SIZE - 1 bytes), followed by a newline. A missing file, "
      "section or key prints the default; a file that is there but cannot be read fails.",
      "Key name", true, Get, exit_code);
  get->add_option("--default", get_args->def,
                  "Text printed when the key is missing (trailing spaces removed)");
  get->add_option("--size", get_args->size, "The caller's buffer size, terminating zero included")
      ->type_name("N")
      ->capture_default_str();

  auto [set, set_args] = AddIniCommand(
      *ini, "set",
      "Write a key: replace its value in place, else add it after the last key of its section, "
      "else add the section at the end of the file. A missing file is created. A value holding a "
      "line break is refused. Put -- before a VALUE that begins with '-'.",
      "Key name", true, Set, exit_code);
  set->add_option("VALUE", set_args->value, "Value, written exactly as given")->required();

  AddIniCommand(*ini, "delete",
                "Delete a key, or without KEY a whole section (its comment lines stay). Deleting "
                "what is not there succeeds and leaves the file alone.",
                "Key name; without it the section is deleted", false, Delete, exit_code);
}

}  // namespace kz::cli
