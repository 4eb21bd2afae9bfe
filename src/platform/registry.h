// The registry stand-in: one text file per hive in the .reg export format under
// RegistryDirectory() ("HKEY_CURRENT_USER.reg", "HKEY_LOCAL_MACHINE.reg", "HKEY_CLASSES_ROOT.reg").
// Key paths use '\\' between components and are matched without case. Every change is a
// read-modify-write under an exclusive lock of the hive (flock on "<hive>.reg.lock" beside it) and
// is written by atomic replace, so two processes never lose each other's values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/status.h"

namespace kz::platform {

enum class Hive { CurrentUser, LocalMachine, ClassesRoot };

struct RegValue {
  enum class Kind { String, ExpandString, Dword };
  Kind kind = Kind::String;
  std::string text;  // String, ExpandString: the bytes as stored
  std::uint32_t dword = 0;
};

// One hive in memory. Parsing accepts any bytes and is never fatal: a line it does not understand
// (a comment, another kind of value, a damaged line, a key of no hive) is kept verbatim and
// written back where it stood: among its key's values, or after the values of the key before it.
//
// File form (one file per hive):
//   Windows Registry Editor Version 5.00
//   <blank line>
//   [HKEY_CURRENT_USER\Software\Thornbridge\kzdlogsrv\settings]
//   "server path"="C:\\Tools\\kzdlogrcv.exe"      String: '\' and '"' escaped with '\'
//   "server init time ms"=dword:000005dc           Dword: eight hex digits
//   @="default value"                              the default value
//   "with line break"=hex(1):61,0d,0a,62            String holding CR, LF or NUL: its raw bytes
//   "expand"=hex(2):25,50,41,54,48,25               ExpandString: its raw bytes
// Lines end in CRLF when written; CR, LF or CRLF are read. hex(1) and hex(2) hold the 8-bit text
// itself, not the UTF-16 text that Windows' own export would write, so every byte survives.
// Hex lists may continue on the next line after a trailing '\'. Key lines name the hive as
// their first component; key paths given to the methods below leave it out ("" is the hive's
// root). Keys and value names are matched without ASCII case.
class RegistryHive {
 public:
  RegistryHive() = default;
  static RegistryHive Parse(std::string_view bytes);
  std::string Serialize() const;  // "Windows Registry Editor Version 5.00" format

  // The hive's name written in key lines ("HKEY_CURRENT_USER" unless the parsed file or
  // Registry::Load said otherwise).
  const std::string& RootName() const { return root_; }
  void SetRootName(std::string_view root) { root_ = root; }

  bool KeyExists(std::string_view key) const;  // also a parent implied by a deeper key
  // Names of the direct subkeys, sorted without case (the order Windows enumerates them).
  std::vector<std::string> Subkeys(std::string_view key) const;
  // "" names the default value ("@").
  std::optional<RegValue> GetValue(std::string_view key, std::string_view name) const;

  // A key path or value name holding CR or LF cannot stand on its line of the file: such a call
  // changes nothing and returns false.
  bool CreateKey(std::string_view key);  // with every missing parent
  bool SetValue(std::string_view key, std::string_view name, RegValue value);  // creates the key
  void DeleteValue(std::string_view key, std::string_view name);
  void DeleteTree(std::string_view key);  // the key, its values and all keys below it

 private:
  // Position of a kept line that follows all of its key's values (it stood under a header of no
  // hive).
  static constexpr std::size_t kAfterValues = SIZE_MAX;
  struct Key {
    std::string path;  // as first written, without the hive, components joined by one '\'
    std::vector<std::pair<std::string, RegValue>> values;
    // Lines not understood, in file order, each after the first `position` values.
    std::vector<std::pair<std::size_t, std::string>> kept;
  };
  std::string root_ = "HKEY_CURRENT_USER";
  std::vector<std::string> preamble_;                   // lines not understood before the first key
  std::vector<Key> keys_;                               // in file order
  std::unordered_map<std::string, std::size_t> index_;  // lower-cased path -> keys_ position
  Key* Find(std::string_view key);
  const Key* Find(std::string_view key) const;
  Key& Create(std::string_view normalized);
  void Reindex();
};

// File access to the hives.
class Registry {
 public:
  // Reads the hive's file; a missing or unreadable file is an empty hive.
  static RegistryHive Load(Hive hive);
  // Locks the hive, loads it, lets `edit` change it, writes it back atomically, unlocks. The
  // registry folder is created when missing. Fails when the hive could not be locked, read or
  // written; the file is then unchanged. An edit that changes nothing writes nothing.
  static Status Modify(Hive hive, const std::function<void(RegistryHive&)>& edit);
  static std::filesystem::path HivePath(Hive hive);

  // Shorthands. GetString gives a String or ExpandString value's text, nullopt for a missing
  // value or a dword.
  static std::optional<std::string> GetString(Hive hive, std::string_view key,
                                              std::string_view name);
  // kInvalidArgument when the hive refuses the key path or name (RegistryHive::SetValue).
  static Status SetValue(Hive hive, std::string_view key, std::string_view name, RegValue value);
  static Status SetString(Hive hive, std::string_view key, std::string_view name,
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
  // CWinApp's profile writes: true when the value was stored.
  static bool WriteString(std::string_view section, std::string_view entry, std::string_view value);
  static bool WriteInt(std::string_view section, std::string_view entry, int value);
};

}  // namespace kz::platform
