// The registry stand-in: one text file per hive in the .reg export format under
// RegistryDirectory() ("HKEY_CURRENT_USER.reg", "HKEY_LOCAL_MACHINE.reg", "HKEY_CLASSES_ROOT.reg").
// Key paths use '\\' between components and are matched without case. Every change is a
// read-modify-write under an exclusive lock of the hive (flock on a lock file beside it) and is
// written by atomic replace, so two processes never lose each other's values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::platform {

enum class Hive { CurrentUser, LocalMachine, ClassesRoot };

struct RegValue {
  enum class Kind { String, ExpandString, Dword };
  Kind kind = Kind::String;
  std::string text;    // String, ExpandString: the bytes as stored
  std::uint32_t dword = 0;
};

// One hive in memory. Parsing accepts any bytes: what does not parse is skipped, never fatal.
class RegistryHive {
 public:
  RegistryHive() = default;
  static RegistryHive Parse(std::string_view bytes);
  std::string Serialize() const;  // "Windows Registry Editor Version 5.00" format

  bool KeyExists(std::string_view key) const;
  // Names of the direct subkeys, sorted without case (the order Windows enumerates them).
  std::vector<std::string> Subkeys(std::string_view key) const;
  // "" names the default value ("@").
  std::optional<RegValue> GetValue(std::string_view key, std::string_view name) const;

  void CreateKey(std::string_view key);  // with every missing parent
  void SetValue(std::string_view key, std::string_view name, RegValue value);  // creates the key
  void DeleteValue(std::string_view key, std::string_view name);
  void DeleteTree(std::string_view key);  // the key, its values and all keys below it

 private:
  struct Key {
    std::string path;  // as first written
    std::vector<std::pair<std::string, RegValue>> values;
  };
  std::vector<Key> keys_;  // in file order
  Key* Find(std::string_view key);
  const Key* Find(std::string_view key) const;
};

// File access to the hives.
class Registry {
 public:
  // Reads the hive's file; a missing or unreadable file is an empty hive.
  static RegistryHive Load(Hive hive);
  // Locks the hive, loads it, lets `edit` change it, writes it back atomically, unlocks.
  // False when the lock or the write failed; the file is then unchanged.
  static bool Modify(Hive hive, const std::function<void(RegistryHive&)>& edit);
  static std::filesystem::path HivePath(Hive hive);

  // Shorthands.
  static std::optional<std::string> GetString(Hive hive, std::string_view key,
                                              std::string_view name);
  static bool SetString(Hive hive, std::string_view key, std::string_view name,
                        std::string_view value);
};

// The application profile of SetRegistryKey("Thornbridge"): values of a section under
// HKEY_CURRENT_USER\Software\Thornbridge\kzdlogsrv\<section>.
class AppProfile {
 public:
  static constexpr std::string_view kRoot = "Software\\Thornbridge\\kzdlogsrv";
  static std::string GetString(std::string_view section, std::string_view entry,
                               std::string_view def);
  // A dword value, or a string value holding a decimal number; else def.
  static int GetInt(std::string_view section, std::string_view entry, int def);
  static bool WriteString(std::string_view section, std::string_view entry,
                          std::string_view value);
  static bool WriteInt(std::string_view section, std::string_view entry, int value);
};

}  // namespace kz::platform
